#pragma once

// Small signals made in code for the tests of the comparison core.

#include "Mirvane/core/CSignal.h"
#include "signal/CNSignal.h"

#include <functional>
#include <string>
#include <vector>

namespace mirvane_test {

// Constant-step signal: point numbers nfp .. nfp + count - 1, Y = f(time).
inline kx::CNSignal MakeSignal(int nfp, int count, double del, const std::function<double(double)> &f,
                               const std::string &yUnits = "G'S")
{
    kx::CNSignal signal;
    signal.SetDel(del);
    signal.SetNFP(nfp);
    signal.SetNLP(nfp + count - 1);
    std::vector<double> x;
    std::vector<double> y;
    for (int i = 0; i < count; ++i) {
        const double t = (nfp + i) * del;
        x.push_back(t);
        y.push_back(f(t));
    }
    signal.SetXYData(x, y);
    signal.SetYUnits(yUnits);
    signal.SetYType("ACCELERATION");
    return signal;
}

inline mirvane::CSignal MakeRecord(const std::string &name, const kx::CNSignal &signal)
{
    mirvane::CSignal record(name);
    record.Signal() = signal;
    return record;
}

} // namespace mirvane_test
