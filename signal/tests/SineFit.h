#pragma once
// Least-squares fit of a sine of known frequency to part of a sampled record.

#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

namespace kxtest {

struct SineFit {
    double amplitude = 0.0;
    double phase = 0.0; // radians, of a sin(w t + phase) model
};

// Samples sin(2 pi f t) at t = i * dt for i = 0 .. n-1.
inline std::vector<double> MakeSine(double f, double dt, std::size_t n, double amplitude = 1.0)
{
    std::vector<double> y(n);
    for (std::size_t i = 0; i < n; ++i)
        y[i] = amplitude * std::sin(2.0 * std::numbers::pi * f * static_cast<double>(i) * dt);
    return y;
}

// Fits a sin(w t) + b cos(w t) over samples first .. last-1 (t = i * dt).
inline SineFit FitSine(const std::vector<double> &y, double f, double dt, std::size_t first, std::size_t last)
{
    double ss = 0, sc = 0, cc = 0, ys = 0, yc = 0;
    for (std::size_t i = first; i < last; ++i) {
        const double w = 2.0 * std::numbers::pi * f * static_cast<double>(i) * dt;
        const double s = std::sin(w);
        const double c = std::cos(w);
        ss += s * s;
        sc += s * c;
        cc += c * c;
        ys += y[i] * s;
        yc += y[i] * c;
    }
    const double det = ss * cc - sc * sc;
    const double a = (ys * cc - yc * sc) / det;
    const double b = (yc * ss - ys * sc) / det;
    return {std::hypot(a, b), std::atan2(b, a)};
}

inline double Decibels(double gain)
{
    return 20.0 * std::log10(gain);
}

} // namespace kxtest
