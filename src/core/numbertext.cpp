// Field text to number and back (placeholder until the full reader lands).
#include "numbertext.h"

#include <cstdlib>
#include <string>

#include "errors.h"

namespace costmodel {

namespace {
char gSeparator = '.';
}

char DecimalSeparator() { return gSeparator; }
void SetDecimalSeparator(char separator) { gSeparator = separator; }
void SetDecimalSeparatorFrom(std::string_view s) { gSeparator = s.size() == 1 ? s[0] : '.'; }
void LoadDecimalSeparatorFromEnvironment() {}

double TextToNumber(std::string_view utf8Text) {
    std::string s(utf8Text);
    char* end = nullptr;
    double v = std::strtod(s.c_str(), &end);
    if (s.empty() || *end != '\0') throw ConversionError(NotANumberMessage(utf8Text));
    return v;
}

std::string NumberToText(double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    return buf;
}

}  // namespace costmodel
