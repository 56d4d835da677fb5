#include "support/HeadSignal.h"

#include <cmath>
#include <numbers>

namespace hictest {

kx::CNSignal MakeHeadSignal(const std::vector<double> &y, double dt, std::int32_t nfp)
{
    kx::CNSignal s;
    s.SetDel(dt);
    s.SetNFP(nfp);
    s.SetNLP(nfp + static_cast<std::int32_t>(y.size()) - 1);
    s.SetXType("TIME");
    s.SetXUnits("SECONDS");
    s.SetYUnits("G'S");
    s.SetAxis("RS");
    s.SetSenAtt("HEAD CG");
    s.SetOccupant1Type("H3");
    s.SetOccupant1Size("50");
    std::vector<double> x(y.size());
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = (nfp + static_cast<double>(i)) * dt;
    s.SetXYData(x, y);
    return s;
}

namespace {
template <class Shape>
std::vector<double> Pulse(std::size_t n, std::size_t start, std::size_t width, Shape shape)
{
    std::vector<double> y(n, 0.0);
    for (std::size_t k = 0; k <= width && start + k < n; ++k) {
        y[start + k] = shape(static_cast<double>(k) / static_cast<double>(width));
    }
    return y;
}
} // namespace

std::vector<double> HalfSine(std::size_t n, std::size_t start, std::size_t width, double amplitude)
{
    return Pulse(n, start, width, [amplitude](double u) { return amplitude * std::sin(std::numbers::pi * u); });
}

std::vector<double> Haversine(std::size_t n, std::size_t start, std::size_t width, double amplitude)
{
    return Pulse(n, start, width,
                 [amplitude](double u) { return amplitude * 0.5 * (1.0 - std::cos(2.0 * std::numbers::pi * u)); });
}

std::vector<double> Rectangle(std::size_t n, std::size_t start, std::size_t width, double amplitude)
{
    std::vector<double> y(n, 0.0);
    for (std::size_t k = start; k < start + width && k < n; ++k)
        y[k] = amplitude;
    return y;
}

BruteResult BruteForceHic(const std::vector<double> &a, std::int64_t first, std::int64_t last,
                          std::int64_t windowSamples, double dt)
{
    // Velocity change in G*s from sample first on.
    std::vector<double> v(a.size(), 0.0);
    for (std::int64_t i = first + 1; i <= last; ++i) {
        v[i] = v[i - 1] + 0.5 * (std::fabs(a[i]) + std::fabs(a[i - 1])) * dt;
    }
    BruteResult best;
    best.i1 = best.i2 = first;
    for (std::int64_t i = first; i < last; ++i) {
        for (std::int64_t j = i + 1; j <= last; ++j) {
            if (windowSamples > 0 && j - i > windowSamples)
                break;
            const double duration = static_cast<double>(j - i) * dt;
            const double mean = (v[j] - v[i]) / duration;
            const double hic = std::pow(mean, 2.5) * duration;
            if (hic > best.hic) {
                best.hic = hic;
                best.i1 = i;
                best.i2 = j;
            }
        }
    }
    return best;
}

} // namespace hictest
