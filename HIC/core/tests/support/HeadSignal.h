#pragma once
// Head acceleration signals and an exhaustive HIC search for the tests.

#include <cstdint>
#include <vector>

#include "signal/CNSignal.h"

namespace hictest {

// Resultant head acceleration in G's at step dt, first point number nfp, Hybrid III 50th.
kx::CNSignal MakeHeadSignal(const std::vector<double> &y, double dt, std::int32_t nfp = 0);

// Samples of a pulse: zeros, then the pulse from sample `start` on, then zeros.
std::vector<double> HalfSine(std::size_t n, std::size_t start, std::size_t width, double amplitude);
std::vector<double> Haversine(std::size_t n, std::size_t start, std::size_t width, double amplitude);
std::vector<double> Rectangle(std::size_t n, std::size_t start, std::size_t width, double amplitude);

struct BruteResult {
    double hic = 0.0;
    std::int64_t i1 = 0;
    std::int64_t i2 = 0;
};

// Every pair first <= i < j <= last with (j - i) <= window samples (no limit when
// windowSamples <= 0): mean of |a| over [t_i, t_j] by trapezoids, raised to 2.5, times
// the duration in seconds.
BruteResult BruteForceHic(const std::vector<double> &a, std::int64_t first, std::int64_t last,
                          std::int64_t windowSamples, double dt);

} // namespace hictest
