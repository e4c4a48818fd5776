// Uniform random doubles drawn without the standard distribution, whose long double logarithm
// breaks where the library and the compiler disagree on long double (-mlong-double-64).
#pragma once

#include <cstdint>

namespace testsupport {

class UniformDouble {
public:
    UniformDouble(double lo, double hi) : lo_(lo), span_(hi - lo) {}

    template <class Rng>
    double operator()(Rng& rng) const {
        // 53 random bits: every double in [0, 1) that a step of 2^-53 reaches.
        const double unit = static_cast<double>(static_cast<std::uint64_t>(rng()) >> 11) * 0x1p-53;
        return lo_ + span_ * unit;
    }

private:
    double lo_, span_;
};

}  // namespace testsupport
