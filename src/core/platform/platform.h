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

// What DecodeShiftJis found.
enum class DecodeStatus { Done, Invalid, NoConverter };

// UTF-8 of Shift-JIS (CP932) bytes, appended to utf8. Invalid when the bytes are not CP932
// (then errorOffset, if given, is where the first bad byte is, and utf8 holds what came
// before it); NoConverter when the system has no CP932 converter.
DecodeStatus DecodeShiftJis(std::string_view bytes, std::string& utf8,
                            std::size_t* errorOffset = nullptr);

// The user's decimal symbol in UTF-8 as the user's locale settings give it, independent of
// the process locale; empty when it cannot be read.
std::string UserDecimalSeparator();

}  // namespace costmodel::platform
