#include "support/NeckSignal.h"

namespace necktest {

kx::CNSignal MakeNeckSignal(const std::string &axis, const std::string &yUnits, const std::vector<double> &y,
                            int filterClass)
{
    kx::CNSignal s;
    const double dt = 0.0001;
    s.SetDel(dt);
    s.SetNFP(0);
    s.SetNLP(static_cast<int>(y.size()) - 1);
    s.SetXType("TIME");
    s.SetXUnits("SECONDS");
    s.SetYUnits(yUnits);
    s.SetAxis(axis);
    s.SetSenAtt("NECK - UPPER");
    s.SetOccupant1Type("H3");
    s.SetOccupant1Size("50");
    std::vector<double> x(y.size());
    for (std::size_t i = 0; i < x.size(); ++i)
        x[i] = static_cast<double>(i) * dt;
    if (!y.empty())
        s.SetXYData(x, y);
    s.SetFilterClass(filterClass);
    return s;
}

} // namespace necktest
