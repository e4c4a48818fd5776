// A field text's number in extended, before it is rounded to a double; generic over the
// extended arithmetic so the software one can be checked against the x87.
#pragma once

#include <cstdint>
#include <string_view>

#include "extended/extended.h"

namespace costmodel::detail {

// The bits of the extended value nearest to each power of ten (checked against strtold).
inline constexpr ExtendedBits kUnits[32] = {
    {0x3FFF, 0x8000000000000000u}, {0x4002, 0xA000000000000000u},  // 1e0, 1e1
    {0x4005, 0xC800000000000000u}, {0x4008, 0xFA00000000000000u},  // 1e2, 1e3
    {0x400C, 0x9C40000000000000u}, {0x400F, 0xC350000000000000u},  // 1e4, 1e5
    {0x4012, 0xF424000000000000u}, {0x4016, 0x9896800000000000u},  // 1e6, 1e7
    {0x4019, 0xBEBC200000000000u}, {0x401C, 0xEE6B280000000000u},  // 1e8, 1e9
    {0x4020, 0x9502F90000000000u}, {0x4023, 0xBA43B74000000000u},  // 1e10, 1e11
    {0x4026, 0xE8D4A51000000000u}, {0x402A, 0x9184E72A00000000u},  // 1e12, 1e13
    {0x402D, 0xB5E620F480000000u}, {0x4030, 0xE35FA931A0000000u},  // 1e14, 1e15
    {0x4034, 0x8E1BC9BF04000000u}, {0x4037, 0xB1A2BC2EC5000000u},  // 1e16, 1e17
    {0x403A, 0xDE0B6B3A76400000u}, {0x403E, 0x8AC7230489E80000u},  // 1e18, 1e19
    {0x4041, 0xAD78EBC5AC620000u}, {0x4044, 0xD8D726B7177A8000u},  // 1e20, 1e21
    {0x4048, 0x878678326EAC9000u}, {0x404B, 0xA968163F0A57B400u},  // 1e22, 1e23
    {0x404E, 0xD3C21BCECCEDA100u}, {0x4052, 0x84595161401484A0u},  // 1e24, 1e25
    {0x4055, 0xA56FA5B99019A5C8u}, {0x4058, 0xCECB8F27F4200F3Au},  // 1e26, 1e27
    {0x405C, 0x813F3978F8940984u}, {0x405F, 0xA18F07D736B90BE5u},  // 1e28, 1e29
    {0x4062, 0xC9F2C9CD04674EDFu}, {0x4065, 0xFC6F7C4045812296u},  // 1e30, 1e31
};
inline constexpr ExtendedBits kThirtyTwos[15] = {
    {0x4069, 0x9DC5ADA82B70B59Eu}, {0x40D3, 0xC2781F49FFCFA6D5u},  // 1e32, 1e64
    {0x413D, 0xEFB3AB16C59B14A3u}, {0x41A8, 0x93BA47C980E98CE0u},  // 1e96, 1e128
    {0x4212, 0xB616A12B7FE617AAu}, {0x427C, 0xE070F78D3927556Bu},  // 1e160, 1e192
    {0x42E7, 0x8A5296FFE33CC930u}, {0x4351, 0xAA7EEBFB9DF9DE8Eu},  // 1e224, 1e256
    {0x43BB, 0xD226FC195C6A2F8Cu}, {0x4426, 0x81842F29F2CCE376u},  // 1e288, 1e320
    {0x4490, 0x9FA42700DB900AD2u}, {0x44FA, 0xC4C5E310AEF8AA17u},  // 1e352, 1e384
    {0x4564, 0xF28A9C07E9B09C59u}, {0x45CF, 0x957A4AE1EBF7F3D4u},  // 1e416, 1e448
    {0x4639, 0xB83ED8DC0795A262u},                                 // 1e480
};
inline constexpr ExtendedBits kFiveTwelves[9] = {
    {0x46A3, 0xE319A0AEA60E91C7u}, {0x4D48, 0xC976758681750C17u},  // 1e512, 1e1024
    {0x53ED, 0xB2B8353B3993A7E4u}, {0x5A92, 0x9E8B3B5DC53D5DE5u},  // 1e1536, 1e2048
    {0x6137, 0x8CA554C020A1F0A6u}, {0x67DB, 0xF9895D25D88B5A8Bu},  // 1e2560, 1e3072
    {0x6E80, 0xDD5DC8A2BF27F3F8u}, {0x7525, 0xC46052028A20979Bu},  // 1e3584, 1e4096
    {0x7BCA, 0xAE3511626ED559F0u},                                 // 1e4608
};

// An exponent is read only up to this value; so at most 4999 can be written.
inline constexpr int kExponentReadLimit = 500;
// Scaling down by this much or more leaves nothing of any extended value.
inline constexpr std::int64_t kVanishingScale = 5120;

inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text with its sign, or notANumber(text) (which must not return) where it is none.
template <class X, class Fail>
X ReadExtended(std::string_view text, char separator, Fail&& notANumber) {
    const std::size_t end = text.size();
    std::size_t i = 0;

    while (i < end && text[i] == ' ') ++i;

    bool negative = false;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    const X zero(0), ten(10);
    X acc = zero;
    const auto appendDigit = [&](char c) {
        // Leading zeros leave nothing to round, and a long pasted run of them stays cheap.
        if (acc == zero) {
            acc = X(c - '0');
            return;
        }
        // Two roundings, as the x87 does them: the product, then the sum.
        acc = acc * ten;
        acc = acc + X(c - '0');
        // Past the extended range no later character can make the text a number: say so now
        // rather than read on through a megabyte paste.
        if (acc.IsInf()) notANumber(text);
    };

    bool mantissaSeen = false;
    std::uint64_t fractionDigits = 0;  // texts can be longer than any int
    for (; i < end && IsDigit(text[i]); ++i) {
        appendDigit(text[i]);
        mantissaSeen = true;
    }
    if (i < end && text[i] == separator) {
        ++i;
        mantissaSeen = true;
        for (; i < end && IsDigit(text[i]); ++i) {
            appendDigit(text[i]);
            ++fractionDigits;
        }
    }
    if (!mantissaSeen) notANumber(text);

    int exponent = 0;
    if (i < end && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool exponentNegative = false;
        if (i < end && (text[i] == '+' || text[i] == '-')) {
            exponentNegative = text[i] == '-';
            ++i;
        }
        for (; i < end && IsDigit(text[i]) && exponent < kExponentReadLimit; ++i)
            exponent = exponent * 10 + (text[i] - '0');
        if (exponentNegative) exponent = -exponent;
    }

    while (i < end && text[i] == ' ') ++i;
    if (i != end) notANumber(text);

    // Any fraction count this large scales below the vanishing point whatever the exponent.
    const std::int64_t n =
        fractionDigits >= static_cast<std::uint64_t>(kVanishingScale + 5000)
            ? -kVanishingScale
            : static_cast<std::int64_t>(exponent) - static_cast<std::int64_t>(fractionDigits);

    if (n <= -kVanishingScale) {
        acc = zero;
    } else if (n != 0) {
        const std::int64_t magnitude = n < 0 ? -n : n;
        const X unit = X::FromBits(kUnits[magnitude % 32]);
        const std::int64_t b = (magnitude / 32) % 16;
        const std::int64_t c = magnitude / 512;
        if (n > 0) {
            acc = acc * unit;
            if (b > 0) acc = acc * X::FromBits(kThirtyTwos[b - 1]);
            if (c > 0) acc = acc * X::FromBits(kFiveTwelves[c - 1]);
        } else {
            acc = acc / unit;
            if (b > 0) acc = acc / X::FromBits(kThirtyTwos[b - 1]);
            if (c > 0) acc = acc / X::FromBits(kFiveTwelves[c - 1]);
        }
        if (acc.IsInf()) notANumber(text);
    }

    return negative ? -acc : acc;
}

}  // namespace costmodel::detail
