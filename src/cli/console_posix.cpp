// The command's system on POSIX: arguments and files are bytes already.
#include "console.h"

namespace zanvorobatch {

std::vector<std::string> Arguments(int argc, char** argv) { return {argv, argv + argc}; }

void UseBinaryStandardStreams() {}

std::FILE* OpenForReading(const std::string& utf8Path) {
    return std::fopen(utf8Path.c_str(), "rb");
}

void WriteText(std::FILE* stream, std::string_view utf8) {
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    std::fflush(stream);
}

}  // namespace zanvorobatch
