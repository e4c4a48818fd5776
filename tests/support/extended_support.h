// Extended values from decimal texts, for tests: the C library's reading where long double
// is the x87 format, MPFR's elsewhere.
#pragma once

#include <cstdlib>
#include <cstring>
#include <string>

#include "extended/extended.h"

namespace costmodel::decimals {

inline ExtendedBits NearestBits(const std::string& decimal) {
#ifdef ZANVORO_HAVE_X87_LONG_DOUBLE
    return NativeExtended::FromLongDouble(std::strtold(decimal.c_str(), nullptr)).Bits();
#else
    return SoftExtended::FromDecimal(decimal).Bits();
#endif
}

inline Extended Ext(const std::string& decimal) { return Extended::FromBits(NearestBits(decimal)); }

}  // namespace costmodel::decimals
