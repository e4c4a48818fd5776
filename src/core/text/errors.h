// Errors a calculation raises, with the exact texts the user reads, and how a message is completed.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace costmodel {

// An error the user reads: the message in UTF-8, before completion.
class MessageError : public std::runtime_error {
public:
    explicit MessageError(const std::string& message)
        : std::runtime_error(message), message_(message) {}

    // The whole message: what() stops at a NUL byte, which a pasted text can hold.
    const std::string& message() const noexcept { return message_; }

private:
    std::string message_;
};

// Every error the calculator raises.
class CostModelError : public MessageError {
public:
    using MessageError::MessageError;
};

// The whole message of any error: a MessageError's own, else what() says.
inline std::string_view MessageOf(const std::exception& error) {
    if (const auto* own = dynamic_cast<const MessageError*>(&error)) return own->message();
    return error.what();
}

// A field text that is not a number.
class ConversionError : public CostModelError {
public:
    using CostModelError::CostModelError;
};

// A typed number beyond the double range.
class OverflowError : public CostModelError {
public:
    using CostModelError::CostModelError;
};

// An amount or rate beyond what Roundoff can hold.
class InvalidOperationError : public CostModelError {
public:
    using CostModelError::CostModelError;
};

inline constexpr std::string_view kNotANumberFormat = "'%s' は浮動小数点数ではありません";
inline constexpr std::string_view kMessageTooLong = "結果が 4096 文字以上あります";
inline constexpr std::string_view kOverflowMessage = "浮動小数点数のｵｰﾊﾞｰﾌﾛｰ";
inline constexpr std::string_view kInvalidOperationMessage = "不正な浮動小数点数演算命令";

// The message for a field text that is not a number (or the too-long message).
std::string NotANumberMessage(std::string_view utf8Text);

// Appends "." unless the message is empty or its last character (judged by its first
// Shift-JIS byte) is a control character, space or punctuation up to ".".
std::string CompleteMessage(std::string_view utf8Message);

// Length of the text in Shift-JIS (CP932) bytes; a character CP932 lacks counts as one byte,
// as its '?' stand-in would. Counting stops once it passes limit: the result is then some
// value above limit, so a pasted megabyte costs no more than the limit does.
std::size_t ShiftJisLength(std::string_view utf8Text,
                           std::size_t limit = static_cast<std::size_t>(-1));

}  // namespace costmodel
