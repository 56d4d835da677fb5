#pragma once
// Small hand-made signals for the operation tests.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "signal/CNSignal.h"

namespace kx::test {

// Constant-step signal with X = (nfp + i) * del and the given Y.
inline CNSignal StepSignal(double del, std::int32_t nfp, const std::vector<double> &y)
{
    CNSignal s;
    s.SetDel(del);
    s.SetNFP(nfp);
    s.SetNLP(nfp + static_cast<std::int32_t>(y.size()) - 1);
    std::vector<double> x(y.size());
    for (std::size_t i = 0; i < y.size(); ++i)
        x[i] = (static_cast<double>(nfp) + static_cast<double>(i)) * del;
    s.SetXYData(x, y);
    return s;
}

// Signal with free X values (DEL 0), point numbers 0 .. n - 1.
inline CNSignal XYSignal(const std::vector<double> &x, const std::vector<double> &y)
{
    CNSignal s;
    s.SetDel(0.0);
    s.SetNFP(0);
    s.SetNLP(static_cast<std::int32_t>(y.size()) - 1);
    s.SetXYData(x, y);
    return s;
}

inline std::vector<double> Ramp(std::size_t n, double start, double slope)
{
    std::vector<double> v(n);
    for (std::size_t i = 0; i < n; ++i)
        v[i] = start + slope * static_cast<double>(i);
    return v;
}

// Text of the std::logic_error f throws, or "<no throw>".
template <typename F>
std::string ErrorText(F &&f)
{
    try {
        f();
    } catch (const std::logic_error &e) {
        return e.what();
    }
    return "<no throw>";
}

// Everything an operation may touch, for "left as it was" checks.
struct Snapshot {
    std::vector<double> x, y, z;
    std::int32_t nfp, nlp, count;
    double del;
    std::string status, fileName, axis;
    bool modified;

    explicit Snapshot(const CData &s)
        : x(s.GetX())
        , y(s.GetY())
        , z(s.GetZ())
        , nfp(s.GetNFP())
        , nlp(s.GetNLP())
        , count(s.GetNumberOfPoints())
        , del(s.GetDel())
        , status(s.GetStatus())
        , fileName(s.GetFileName())
        , axis(s.GetAxis())
        , modified(s.IsModified())
    {}
    bool operator==(const Snapshot &) const = default;
};

} // namespace kx::test
