// Derivative and integral of a signal's Y over X.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "signal/CData.h"
#include "signal/CalculusKernels.h"
#include "signal/TimeStep.h"
#include "signal/UnitAlgebra.h"

namespace kx {

namespace {

// The new Y of a derivative or integral with its units and quantity.
void StoreResult(CData &signal, const std::vector<double> &y, const std::string &units, const std::string &type)
{
    signal.SetYData(y); // recomputes extremes, time range and point count
    signal.SetYUnits(units);
    signal.SetSensorType(type);
    signal.SetModified(true);
}

} // namespace

bool CData::DerivativeKernel(const std::vector<double> &x, const std::vector<double> &y, std::vector<double> &out,
                             std::size_t n, double factor)
{
    return DerivativeXY(x, y, out, n, factor);
}

bool CData::Differentiate()
{
    const std::size_t n = m_y.size();
    if (n < 2)
        throw std::logic_error("Too few data points to compute a derivative");
    RequireIncreasingTimes(*this);

    double factor = 1.0;
    std::string units;
    std::string type;
    DerivativeUnits(GetXUnits(), GetYUnits(), factor, units, type);

    std::vector<double> out;
    if (GetDel() > 0.0) {
        if (!DerivativeUniform(m_y, out, GetDel(), factor))
            throw std::logic_error("Error Computing Y derivative");
    } else if (!DerivativeKernel(m_x, m_y, out, n, factor)) {
        throw std::logic_error("Error Computing an XY derivative");
    }

    StoreResult(*this, out, units, type);
    return true;
}

bool CData::Integrate()
{
    if (CountPoints(GetNFP(), GetNLP()) < 4)
        throw std::logic_error("Too few data points to compute an Integral");
    RequireIncreasingTimes(*this);

    double factor = 1.0;
    double initialValue = 0.0;
    std::string units;
    std::string type;
    IntegralUnits(GetXUnits(), GetYUnits(), GetIniVel(), factor, initialValue, units, type, GetDimSys());

    // The initial value belongs to time zero when the record starts at or before it.
    // The kernel refuses empty or unequal X and Y and an anchor outside them.
    const std::int64_t nfp = GetNFP();
    const std::int64_t anchor = nfp < 1 ? -nfp : 0;
    std::vector<double> out;
    TrapezoidIntegral(m_x, m_y, out, static_cast<std::size_t>(anchor), initialValue, factor);

    StoreResult(*this, out, units, type);
    return true;
}

} // namespace kx
