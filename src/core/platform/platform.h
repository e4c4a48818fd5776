// What the core takes from the operating system: the Japanese code page and the user's decimal separator.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace costmodel::platform {

// Takes the next piece of converted bytes; returns false to end the conversion there.
using ByteSink = std::function<bool(std::string_view bytes)>;

// Hands sink the Shift-JIS (CP932) form of UTF-8 text, piece by piece, until the sink returns
// false. A character CP932 lacks and every byte that is not UTF-8 come out as '?', as the
// system's own conversion would put them. Returns false, having handed nothing, when the
// system has no CP932 converter.
bool EncodeShiftJis(std::string_view utf8Text, const ByteSink& sink);

// The user's decimal symbol in UTF-8 as the user's locale settings give it, independent of
// the process locale; empty when it cannot be read.
std::string UserDecimalSeparator();

}  // namespace costmodel::platform
