// SoftExtended: the x87 80-bit format in software, correctly rounded to nearest-even.
#pragma once

#include <cstdint>
#include <string_view>

namespace costmodel {

// An x87 extended value: sign and 15-bit biased exponent, and the 64-bit significand with its
// explicit integer bit. Laid out as the x87 stores it, so the x87 can load it directly.
struct alignas(16) ExtendedBits {
    constexpr ExtendedBits() = default;
    constexpr ExtendedBits(std::uint16_t se, std::uint64_t m) : significand(m), signExponent(se) {}

    std::uint64_t significand = 0;
    std::uint16_t signExponent = 0;

    bool operator==(const ExtendedBits&) const = default;
};

// Every operation gives what the x87 gives at 64-bit precision with all exceptions masked:
// denormals, infinities and its default NaN included.
class SoftExtended {
public:
    constexpr SoftExtended() = default;
    explicit SoftExtended(double d);
    explicit SoftExtended(int i) : SoftExtended(static_cast<std::int64_t>(i)) {}
    explicit SoftExtended(std::int64_t i);

    static constexpr SoftExtended FromBits(ExtendedBits b) {
        return {b.signExponent, b.significand};
    }
    constexpr ExtendedBits Bits() const { return {se_, m_}; }

    // The nearest value to a decimal text such as "1e4608" or "-2.5" (needs MPFR).
    static SoftExtended FromDecimal(std::string_view text);

    double ToDouble() const;
    bool IsNaN() const { return (se_ & 0x7FFF) == 0x7FFF && m_ != kIntegerBit; }
    bool IsInf() const { return (se_ & 0x7FFF) == 0x7FFF && m_ == kIntegerBit; }

    friend SoftExtended operator+(SoftExtended a, SoftExtended b);
    friend SoftExtended operator-(SoftExtended a, SoftExtended b) { return a + -b; }
    friend SoftExtended operator*(SoftExtended a, SoftExtended b);
    friend SoftExtended operator/(SoftExtended a, SoftExtended b);
    friend SoftExtended operator-(SoftExtended a) {
        return {static_cast<std::uint16_t>(a.se_ ^ 0x8000), a.m_};
    }

    friend bool operator==(SoftExtended a, SoftExtended b) { return compare(a, b) == 0; }
    friend bool operator!=(SoftExtended a, SoftExtended b) { return compare(a, b) != 0; }
    friend bool operator<(SoftExtended a, SoftExtended b) { return compare(a, b) == -1; }
    friend bool operator<=(SoftExtended a, SoftExtended b) {
        const int c = compare(a, b);
        return c == -1 || c == 0;
    }
    friend bool operator>(SoftExtended a, SoftExtended b) { return compare(a, b) == 1; }
    friend bool operator>=(SoftExtended a, SoftExtended b) {
        const int c = compare(a, b);
        return c == 1 || c == 0;
    }

    friend SoftExtended Floor(SoftExtended x);
    // The same, for |x| < 2^62, where the x87 has a faster way.
    friend SoftExtended FloorOfSmall(SoftExtended x) { return Floor(x); }
    // Correctly rounded (MPFR).
    friend SoftExtended Log(SoftExtended x);
    friend SoftExtended Exp(SoftExtended x);
    friend SoftExtended Log10(SoftExtended x);

private:
    static constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;
    constexpr SoftExtended(std::uint16_t se, std::uint64_t m) : se_(se), m_(m) {}
    // -1, 0, 1, or 2 when unordered.
    static int compare(SoftExtended a, SoftExtended b);

    std::uint16_t se_ = 0;
    std::uint64_t m_ = 0;
};

}  // namespace costmodel
