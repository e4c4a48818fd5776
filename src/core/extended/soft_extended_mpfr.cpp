// SoftExtended's logarithms, exponential and decimal reading, correctly rounded by MPFR.
#include <cstdint>
#include <string>

// mpfr.h declares its intmax_t functions only when told.
#define MPFR_USE_INTMAX_T 1
#include <mpfr.h>

#include "extended/soft_extended.h"

namespace costmodel {

namespace {

constexpr int kBias = 16383;
constexpr mpfr_prec_t kPrecision = 64;

// MPFR's exponent range narrowed to the x87's (denormals down to 2^-16445) for the scope,
// so its overflow, underflow and subnormal rounding are the format's own.
class FormatRange {
public:
    FormatRange() : emin_(mpfr_get_emin()), emax_(mpfr_get_emax()) {
        mpfr_set_emin(-16444);
        mpfr_set_emax(16384);
    }
    ~FormatRange() {
        mpfr_set_emin(emin_);
        mpfr_set_emax(emax_);
    }
    FormatRange(const FormatRange&) = delete;
    FormatRange& operator=(const FormatRange&) = delete;

private:
    mpfr_exp_t emin_, emax_;
};

void toMpfr(SoftExtended x, mpfr_ptr out) {
    const ExtendedBits b = x.Bits();
    const bool negative = (b.signExponent & 0x8000) != 0;
    const int field = b.signExponent & 0x7FFF;
    if (x.IsNaN()) {
        mpfr_set_nan(out);
    } else if (x.IsInf()) {
        mpfr_set_inf(out, negative ? -1 : 1);
    } else if (b.significand == 0) {
        mpfr_set_zero(out, negative ? -1 : 1);
    } else {
        // Exact: 64 bits into 64 bits.
        const long exp = (field == 0 ? 1 : field) - kBias - 63;
        mpfr_set_uj_2exp(out, b.significand, exp, MPFR_RNDN);
        if (negative) mpfr_neg(out, out, MPFR_RNDN);
    }
}

// x must already be rounded to the format (precision, range and subnormals).
SoftExtended fromMpfr(mpfr_srcptr x) {
    if (mpfr_nan_p(x)) return SoftExtended::FromBits({0xFFFF, std::uint64_t{3} << 62});
    const bool negative = mpfr_signbit(x) != 0;
    const std::uint16_t sign = negative ? 0x8000 : 0;
    if (mpfr_inf_p(x))
        return SoftExtended::FromBits(
            {static_cast<std::uint16_t>(sign | 0x7FFF), std::uint64_t{1} << 63});
    if (mpfr_zero_p(x)) return SoftExtended::FromBits({sign, 0});
    // x = 0.1b… × 2^e; its 64 significant bits as an integer.
    const long e = mpfr_get_exp(x);
    MPFR_DECL_INIT(scaled, kPrecision);
    mpfr_abs(scaled, x, MPFR_RNDN);
    mpfr_set_exp(scaled, 64);
    std::uint64_t m = mpfr_get_uj(scaled, MPFR_RNDN);
    long field = e - 1 + kBias;
    if (field <= 0) {  // denormal: the exponent of the smallest normal, fewer bits
        m >>= 1 - field;
        field = 0;
    }
    return SoftExtended::FromBits({static_cast<std::uint16_t>(sign | field), m});
}

using Function = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

SoftExtended apply(Function f, SoftExtended x) {
    MPFR_DECL_INIT(in, kPrecision);
    MPFR_DECL_INIT(out, kPrecision);
    toMpfr(x, in);
    const FormatRange range;
    int inexact = f(out, in, MPFR_RNDN);
    inexact = mpfr_check_range(out, inexact, MPFR_RNDN);
    mpfr_subnormalize(out, inexact, MPFR_RNDN);
    // The x87 answers the logarithm of a negative number with its default NaN.
    return fromMpfr(out);
}

}  // namespace

SoftExtended Log(SoftExtended x) { return apply(mpfr_log, x); }
SoftExtended Exp(SoftExtended x) { return apply(mpfr_exp, x); }
SoftExtended Log10(SoftExtended x) { return apply(mpfr_log10, x); }

SoftExtended SoftExtended::FromDecimal(std::string_view text) {
    const std::string s(text);
    MPFR_DECL_INIT(out, kPrecision);
    const FormatRange range;
    int inexact = mpfr_strtofr(out, s.c_str(), nullptr, 10, MPFR_RNDN);
    inexact = mpfr_check_range(out, inexact, MPFR_RNDN);
    mpfr_subnormalize(out, inexact, MPFR_RNDN);
    return fromMpfr(out);
}

}  // namespace costmodel
