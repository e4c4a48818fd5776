// costmodel::Extended: the model's 64-bit-significand arithmetic, native x87 or in software.
#pragma once

#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "extended/soft_extended.h"

#if defined(__i386__) || defined(__x86_64__) || defined(_M_IX86)
#if LDBL_MANT_DIG == 64 && LDBL_MAX_EXP == 16384
#define ZANVORO_HAVE_X87_LONG_DOUBLE 1
#endif
#endif

#if defined(ZANVORO_EXTENDED_NATIVE) && !defined(ZANVORO_HAVE_X87_LONG_DOUBLE)
#error "ZANVORO_EXTENDED=native needs long double to be the x87 80-bit format"
#endif

#if defined(_WIN32) && defined(ZANVORO_HAVE_X87_LONG_DOUBLE)
#include <float.h>
#endif

namespace costmodel {

#ifdef ZANVORO_HAVE_X87_LONG_DOUBLE

// The x87's own long double behind the same interface as SoftExtended.
class NativeExtended {
public:
    constexpr NativeExtended() = default;
    constexpr explicit NativeExtended(double d) : v_(d) {}
    constexpr explicit NativeExtended(int i) : v_(i) {}
    constexpr explicit NativeExtended(std::int64_t i) : v_(static_cast<long double>(i)) {}

    static NativeExtended FromLongDouble(long double v) {
        NativeExtended r;
        r.v_ = v;
        return r;
    }
    long double ToLongDouble() const { return v_; }

    static NativeExtended FromBits(const ExtendedBits& b) {
        // Same layout: one load, where a copy through memory would stall the store buffer.
        typedef long double __attribute__((__may_alias__)) Aliased;  // NOLINT(modernize-use-using)
        static_assert(sizeof(ExtendedBits) == 16 && offsetof(ExtendedBits, signExponent) == 8);
        NativeExtended r;
        r.v_ = *reinterpret_cast<const Aliased*>(&b);
        return r;
    }
    ExtendedBits Bits() const {
        unsigned char raw[sizeof(long double)];
        std::memcpy(raw, &v_, sizeof raw);
        ExtendedBits b;
        std::memcpy(&b.significand, raw, 8);
        std::memcpy(&b.signExponent, raw + 8, 2);
        return b;
    }

    double ToDouble() const { return static_cast<double>(v_); }
    bool IsNaN() const { return std::isnan(v_); }
    bool IsInf() const { return std::isinf(v_); }

    friend NativeExtended operator+(NativeExtended a, NativeExtended b) { return raw(a.v_ + b.v_); }
    friend NativeExtended operator-(NativeExtended a, NativeExtended b) { return raw(a.v_ - b.v_); }
    friend NativeExtended operator*(NativeExtended a, NativeExtended b) { return raw(a.v_ * b.v_); }
    friend NativeExtended operator/(NativeExtended a, NativeExtended b) { return raw(a.v_ / b.v_); }
    friend NativeExtended operator-(NativeExtended a) { return raw(-a.v_); }
    friend bool operator==(NativeExtended a, NativeExtended b) { return a.v_ == b.v_; }
    friend bool operator!=(NativeExtended a, NativeExtended b) { return a.v_ != b.v_; }
    friend bool operator<(NativeExtended a, NativeExtended b) { return a.v_ < b.v_; }
    friend bool operator<=(NativeExtended a, NativeExtended b) { return a.v_ <= b.v_; }
    friend bool operator>(NativeExtended a, NativeExtended b) { return a.v_ > b.v_; }
    friend bool operator>=(NativeExtended a, NativeExtended b) { return a.v_ >= b.v_; }

    // floorl and integer conversions switch the x87 rounding mode and dominate the search's
    // time. Adding 1.5 × 2^63 leaves one unit per ulp, so the round trip gives the nearest
    // integer exactly; one step down where that went up makes it the floor.
    friend NativeExtended FloorOfSmall(NativeExtended x) {  // |x| < 2^62
        constexpr long double kShift = 0x1.8p63L;
        long double r = (x.v_ + kShift) - kShift;
        if (r > x.v_) r -= 1.0L;
        return raw(r);
    }
    friend NativeExtended Floor(NativeExtended x) {
        if (!(x.v_ > -0x1p62L && x.v_ < 0x1p62L)) return raw(std::floor(x.v_));
        return FloorOfSmall(x);
    }
    friend NativeExtended Log(NativeExtended x) { return raw(std::log(x.v_)); }
    friend NativeExtended Exp(NativeExtended x) { return raw(std::exp(x.v_)); }
    friend NativeExtended Log10(NativeExtended x) { return raw(std::log10(x.v_)); }

private:
    static NativeExtended raw(long double v) { return FromLongDouble(v); }
    long double v_ = 0;
};

#endif

#if defined(ZANVORO_EXTENDED_SOFT)
using Extended = SoftExtended;
#else
using Extended = NativeExtended;
#endif

// Holds the x87 at 64-bit precision while a calculation runs: Windows starts threads at 53
// bits, where every native result would be a double's. Nothing to do elsewhere.
class PrecisionGuard {
public:
#if defined(_WIN32) && defined(ZANVORO_HAVE_X87_LONG_DOUBLE) && !defined(ZANVORO_EXTENDED_SOFT)
#if defined(_MSC_VER)
    PrecisionGuard() {
        unsigned int x87 = 0, sse = 0;
        __control87_2(0, 0, &x87, &sse);
        saved_ = x87 & _MCW_PC;
        if (saved_ != _PC_64) __control87_2(_PC_64, _MCW_PC, &x87, nullptr);
    }
    ~PrecisionGuard() {
        unsigned int x87 = 0;
        if (saved_ != _PC_64) __control87_2(saved_, _MCW_PC, &x87, nullptr);
    }

private:
    unsigned int saved_ = _PC_64;
#else
    // MinGW: the control word directly; bits 8-9 are the precision control, 11 = 64 bits.
    PrecisionGuard() {
        __asm__ __volatile__("fnstcw %0" : "=m"(saved_));
        const unsigned short extended = static_cast<unsigned short>(saved_ | 0x0300u);
        if (extended != saved_) __asm__ __volatile__("fldcw %0" : : "m"(extended));
    }
    ~PrecisionGuard() { __asm__ __volatile__("fldcw %0" : : "m"(saved_)); }

private:
    unsigned short saved_ = 0;
#endif
#else
    PrecisionGuard() {}  // NOLINT(modernize-use-equals-default): keeps it a scope guard
#endif
    PrecisionGuard(const PrecisionGuard&) = delete;
    PrecisionGuard& operator=(const PrecisionGuard&) = delete;
};

}  // namespace costmodel
