// SoftExtended arithmetic: 64-bit significands through 128-bit intermediates.
#include "extended/soft_extended.h"

#include <cstring>

#if !defined(__SIZEOF_INT128__) && defined(_MSC_VER) && defined(_M_X64)
#include <intrin.h>
#endif

namespace costmodel {

namespace {

using u64 = std::uint64_t;

#if defined(__SIZEOF_INT128__)
__extension__ typedef unsigned __int128 u128;  // NOLINT(modernize-use-using): needs __extension__
#endif

constexpr int kBias = 16383;
constexpr int kMaxField = 0x7FFF;
constexpr u64 kTop = u64{1} << 63;
// The x87's answer to an invalid operation: negative, quiet, no payload.
constexpr std::uint16_t kIndefiniteSe = 0xFFFF;
constexpr u64 kIndefiniteM = u64{3} << 62;

// hi:lo = a × b
void mul64(u64 a, u64 b, u64& hi, u64& lo) {
#if defined(__SIZEOF_INT128__)
    const u128 p = static_cast<u128>(a) * b;
    hi = static_cast<u64>(p >> 64);
    lo = static_cast<u64>(p);
#else
    lo = _umul128(a, b, &hi);
#endif
}

// (hi:lo) / d with hi < d, so the quotient fits 64 bits.
u64 div128(u64 hi, u64 lo, u64 d, u64& rem) {
#if defined(__SIZEOF_INT128__)
    const u128 n = (static_cast<u128>(hi) << 64) | lo;
    rem = static_cast<u64>(n % d);
    return static_cast<u64>(n / d);
#else
    return _udiv128(hi, lo, d, &rem);
#endif
}

int leadingZeros(u64 x) {  // x != 0
#if defined(__GNUC__)
    return __builtin_clzll(x);
#else
    int n = 0;
    while (!(x & kTop)) {
        x <<= 1;
        ++n;
    }
    return n;
#endif
}

// hi:lo shifted right by n; every bit shifted out is ORed into the lowest bit.
void shiftRightJam(u64& hi, u64& lo, int n) {
    if (n == 0) return;
    if (n < 64) {
        const bool lost = (lo << (64 - n)) != 0;
        lo = (lo >> n) | (hi << (64 - n)) | static_cast<u64>(lost);
        hi >>= n;
    } else if (n == 64) {
        lo = hi | static_cast<u64>(lo != 0);
        hi = 0;
    } else if (n < 128) {
        const bool lost = lo != 0 || (hi << (128 - n)) != 0;
        lo = (hi >> (n - 64)) | static_cast<u64>(lost);
        hi = 0;
    } else {
        lo = static_cast<u64>(hi != 0 || lo != 0);
        hi = 0;
    }
}

// A finite nonzero value as m × 2^(exp - 63) with m's top bit set.
struct Parts {
    bool negative;
    int exp;
    u64 m;
};

int fieldOf(std::uint16_t se) { return se & kMaxField; }
bool negativeOf(std::uint16_t se) { return (se & 0x8000) != 0; }

Parts unpack(std::uint16_t se, u64 m) {
    const int field = fieldOf(se);
    if (field == 0) {  // denormal: no integer bit, exponent of the smallest normal
        const int s = leadingZeros(m);
        return {negativeOf(se), 1 - kBias - s, m << s};
    }
    return {negativeOf(se), field - kBias, m};
}

SoftExtended make(bool negative, int field, u64 m) {
    const auto se = static_cast<std::uint16_t>((negative ? 0x8000 : 0) | field);
    return SoftExtended::FromBits({se, m});
}

SoftExtended infinity(bool negative) { return make(negative, kMaxField, kTop); }
SoftExtended zero(bool negative) { return make(negative, 0, 0); }
SoftExtended indefinite() { return SoftExtended::FromBits({kIndefiniteSe, kIndefiniteM}); }

bool isNaN(ExtendedBits b) { return fieldOf(b.signExponent) == kMaxField && b.significand != kTop; }
bool isInf(ExtendedBits b) { return fieldOf(b.signExponent) == kMaxField && b.significand == kTop; }
bool isZero(ExtendedBits b) { return fieldOf(b.signExponent) == 0 && b.significand == 0; }

// The NaN an operation on a NaN gives: quieted; of two, the one with the larger significand.
SoftExtended propagate(ExtendedBits a, ExtendedBits b) {
    const u64 quiet = u64{1} << 62;
    ExtendedBits r = a;
    if (!isNaN(a) || (isNaN(b) && (b.significand | quiet) > (a.significand | quiet))) r = b;
    r.significand |= quiet;
    return SoftExtended::FromBits(r);
}

// Rounds hi.lo × 2^(exp - 63) (hi's top bit set, lo the bits below) to the format.
SoftExtended roundPack(bool negative, int exp, u64 hi, u64 lo) {
    int field = exp + kBias;
    if (field <= 0) {
        // Below the normal range the value keeps fewer bits: the x87's denormals.
        shiftRightJam(hi, lo, 1 - field);
        field = 0;
    }
    if (lo > kTop || (lo == kTop && (hi & 1))) {
        ++hi;
        if (hi == 0) {
            hi = kTop;
            ++field;
        } else if (field == 0 && (hi & kTop)) {
            field = 1;  // rounded up to the smallest normal
        }
    }
    if (field >= kMaxField) return infinity(negative);
    return make(negative, field, hi);
}

}  // namespace

SoftExtended::SoftExtended(double d) {
    u64 bits;
    std::memcpy(&bits, &d, sizeof bits);
    const bool negative = (bits >> 63) != 0;
    const int field = static_cast<int>((bits >> 52) & 0x7FF);
    const u64 fraction = bits & ((u64{1} << 52) - 1);
    SoftExtended r;
    if (field == 0x7FF) {
        // Infinity, or a NaN whose payload moves up and is made quiet, as the x87 loads it.
        r = fraction == 0 ? infinity(negative)
                          : make(negative, kMaxField, kTop | (u64{1} << 62) | (fraction << 11));
    } else if (field == 0) {
        if (fraction == 0) {
            r = zero(negative);
        } else {
            const int s = leadingZeros(fraction);
            r = make(negative, (63 - s) - 1074 + kBias, fraction << s);
        }
    } else {
        r = make(negative, field - 1023 + kBias, kTop | (fraction << 11));
    }
    *this = r;
}

SoftExtended::SoftExtended(std::int64_t i) {
    if (i == 0) return;
    const bool negative = i < 0;
    const u64 magnitude = negative ? ~static_cast<u64>(i) + 1 : static_cast<u64>(i);
    const int s = leadingZeros(magnitude);
    *this = make(negative, 63 - s + kBias, magnitude << s);
}

double SoftExtended::ToDouble() const {
    const ExtendedBits b = Bits();
    const bool negative = negativeOf(se_);
    u64 out = negative ? kTop : 0;
    if (isNaN(b)) {
        out |= (u64{0x7FF} << 52) | (u64{1} << 51) | ((m_ << 1) >> 12);
    } else if (isInf(b)) {
        out |= u64{0x7FF} << 52;
    } else if (!isZero(b)) {
        const Parts p = unpack(se_, m_);
        int field = p.exp + 1023;
        // Bits to drop below a double's significand, more below its normal range.
        const int drop = field >= 1 ? 11 : 12 - field;
        u64 q = 0;
        bool up = false;
        if (drop < 64) {
            q = p.m >> drop;
            const u64 rest = p.m & ((u64{1} << drop) - 1), half = u64{1} << (drop - 1);
            up = rest > half || (rest == half && (q & 1));
        } else if (drop == 64) {
            up = p.m > kTop;  // exactly half rounds to the even 0
        }
        q += static_cast<u64>(up);
        if (field >= 1) {
            if (q == (u64{1} << 53)) {
                q >>= 1;
                ++field;
            }
            if (field >= 0x7FF) {
                out |= u64{0x7FF} << 52;
            } else {
                out |= (static_cast<u64>(field) << 52) | (q & ((u64{1} << 52) - 1));
            }
        } else {
            out |= q;  // a carry into bit 52 is the smallest normal, as it should be
        }
    }
    double d;
    std::memcpy(&d, &out, sizeof d);
    return d;
}

int SoftExtended::compare(SoftExtended a, SoftExtended b) {
    const ExtendedBits x = a.Bits(), y = b.Bits();
    if (isNaN(x) || isNaN(y)) return 2;
    if (isZero(x) && isZero(y)) return 0;
    const bool xn = negativeOf(x.signExponent), yn = negativeOf(y.signExponent);
    if (xn != yn) return xn ? -1 : 1;
    // Canonical encodings order by exponent field, then significand.
    const int fx = fieldOf(x.signExponent), fy = fieldOf(y.signExponent);
    int magnitude = 0;
    if (fx != fy) {
        magnitude = fx < fy ? -1 : 1;
    } else if (x.significand != y.significand) {
        magnitude = x.significand < y.significand ? -1 : 1;
    }
    return xn ? -magnitude : magnitude;
}

SoftExtended operator+(SoftExtended a, SoftExtended b) {
    const ExtendedBits x = a.Bits(), y = b.Bits();
    if (isNaN(x) || isNaN(y)) return propagate(x, y);
    const bool xn = negativeOf(x.signExponent), yn = negativeOf(y.signExponent);
    if (isInf(x) || isInf(y)) {
        if (isInf(x) && isInf(y) && xn != yn) return indefinite();
        return isInf(x) ? a : b;
    }
    if (isZero(x)) return isZero(y) ? zero(xn && yn) : b;
    if (isZero(y)) return a;

    Parts p = unpack(x.signExponent, x.significand), q = unpack(y.signExponent, y.significand);
    if (q.exp > p.exp || (q.exp == p.exp && q.m > p.m)) {
        const Parts t = p;
        p = q;
        q = t;
    }
    u64 bh = q.m, bl = 0;
    const long long gap = static_cast<long long>(p.exp) - q.exp;
    shiftRightJam(bh, bl, gap > 200 ? 200 : static_cast<int>(gap));
    int exp = p.exp;
    u64 hi, lo;
    if (p.negative == q.negative) {
        lo = bl;
        hi = p.m + bh;
        if (hi < p.m) {  // carried out of the top
            lo = (lo >> 1) | (hi << 63) | (lo & 1);
            hi = (hi >> 1) | kTop;
            ++exp;
        }
    } else {
        lo = u64{0} - bl;
        hi = p.m - bh - static_cast<u64>(bl != 0);
        if (hi == 0 && lo == 0) return zero(false);
        int s;
        if (hi == 0) {
            s = 64 + leadingZeros(lo);
            hi = lo << (s - 64);
            lo = 0;
        } else {
            s = leadingZeros(hi);
            if (s > 0) {
                hi = (hi << s) | (lo >> (64 - s));
                lo <<= s;
            }
        }
        exp -= s;
    }
    return roundPack(p.negative, exp, hi, lo);
}

SoftExtended operator*(SoftExtended a, SoftExtended b) {
    const ExtendedBits x = a.Bits(), y = b.Bits();
    if (isNaN(x) || isNaN(y)) return propagate(x, y);
    const bool negative = negativeOf(x.signExponent) != negativeOf(y.signExponent);
    if (isInf(x) || isInf(y)) {
        if (isZero(x) || isZero(y)) return indefinite();
        return infinity(negative);
    }
    if (isZero(x) || isZero(y)) return zero(negative);
    const Parts p = unpack(x.signExponent, x.significand),
                q = unpack(y.signExponent, y.significand);
    u64 hi, lo;
    mul64(p.m, q.m, hi, lo);
    int exp = p.exp + q.exp;
    if (hi & kTop) {
        ++exp;
    } else {
        hi = (hi << 1) | (lo >> 63);
        lo <<= 1;
    }
    return roundPack(negative, exp, hi, lo);
}

SoftExtended operator/(SoftExtended a, SoftExtended b) {
    const ExtendedBits x = a.Bits(), y = b.Bits();
    if (isNaN(x) || isNaN(y)) return propagate(x, y);
    const bool negative = negativeOf(x.signExponent) != negativeOf(y.signExponent);
    if (isInf(x)) return isInf(y) ? indefinite() : infinity(negative);
    if (isInf(y)) return zero(negative);
    if (isZero(y)) return isZero(x) ? indefinite() : infinity(negative);
    if (isZero(x)) return zero(negative);
    const Parts p = unpack(x.signExponent, x.significand),
                q = unpack(y.signExponent, y.significand);
    // A 64-bit quotient with its top bit set; the remainder tells where the rest lies.
    u64 rem;
    u64 quotient;
    int exp;
    if (p.m >= q.m) {
        quotient = div128(p.m >> 1, p.m << 63, q.m, rem);
        exp = p.exp - q.exp;
    } else {
        quotient = div128(p.m, 0, q.m, rem);
        exp = p.exp - q.exp - 1;
    }
    u64 lo = 0;
    if (rem != 0) {
        const u64 other = q.m - rem;  // rem against half the divisor, without overflow
        lo = rem > other ? kTop | 1 : rem == other ? kTop : 1;
    }
    return roundPack(negative, exp, quotient, lo);
}

SoftExtended Floor(SoftExtended x) {
    const ExtendedBits b = x.Bits();
    if (isNaN(b)) return propagate(b, b);
    if (isInf(b) || isZero(b)) return x;
    const Parts p = unpack(b.signExponent, b.significand);
    if (p.exp >= 63) return x;
    if (p.exp < 0) return p.negative ? SoftExtended(-1) : zero(false);
    const int fractionBits = 63 - p.exp;
    const u64 mask = (u64{1} << fractionBits) - 1;
    if ((p.m & mask) == 0) return x;
    u64 m = p.m & ~mask;
    int exp = p.exp;
    if (p.negative) {
        m += u64{1} << fractionBits;
        if (m == 0) {
            m = kTop;
            ++exp;
        }
    }
    return make(p.negative, exp + kBias, m);
}

}  // namespace costmodel
