// Error messages and their completion (placeholder until the full rules land).
#include "errors.h"

namespace costmodel {

std::string NotANumberMessage(std::string_view utf8Text) {
    return "'" + std::string(utf8Text) + "' は浮動小数点数ではありません";
}

std::string CompleteMessage(std::string_view m) {
    std::string s(m);
    if (!s.empty() && static_cast<unsigned char>(s.back()) > 0x2E) s += '.';
    return s;
}

std::size_t ShiftJisLength(std::string_view utf8Text) { return utf8Text.size(); }

}  // namespace costmodel
