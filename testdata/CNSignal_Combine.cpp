// Sum, average and resultant of signals. Each result is built in a local signal and
// assigned at the end, so this signal may be one of the inputs and a refused call
// leaves it as it was.

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "testdata/CNSignal.h"

namespace kx {

namespace {

const char* const kEmptyContainer = "Empty Container of Signals.";
const char* const kLengths = "Signal lengths not the same.  Resample/Tuncate.";
const char* const kInconsistent = "Inconsistent Number of Data Points";

}  // namespace

void CNSignal::Sum(const std::vector<std::shared_ptr<CNSignal>>& signals)
{
    if (signals.empty())
        throw std::logic_error(kEmptyContainer);
    for (const auto& signal : signals)
        if (!signal)
            throw std::logic_error(kEmptyContainer);
    const CNSignal& first = *signals.front();
    const std::size_t n = first.GetYCount();
    for (const auto& signal : signals)
        if (signal->GetYCount() != n)
            throw std::logic_error(kLengths);

    std::vector<double> sum(first.GetY());
    for (std::size_t s = 1; s < signals.size(); ++s) {
        const std::vector<double>& y = signals[s]->GetY();
        for (std::size_t i = 0; i < n; ++i)
            sum[i] += y[i];
    }

    CNSignal result(first);
    result.SetYData(sum);
    result.SetStatus("SUM");
    result.UpdateDerived();
    result.SetModified(true);
    *this = result;
}

void CNSignal::Average(const std::vector<std::shared_ptr<CNSignal>>& signals)
{
    if (signals.empty())
        throw std::logic_error(kEmptyContainer);
    CNSignal result;
    result.Sum(signals);
    const double factor = 1.0 / static_cast<double>(signals.size());
    for (double& v : result.m_y)
        v *= factor;
    result.UpdateDerived();
    result.SetModified(true);
    result.SetStatus("AVERAGE");
    // T12.uds becomes AVG.uds; a name without an extension stays.
    const std::string& name = result.GetFileName();
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        result.SetFileName("AVG" + name.substr(dot));
    *this = result;
}

bool CNSignal::Resultant(const CNSignal& a, const CNSignal& b, const CNSignal& c)
{
    const std::int32_t count = a.GetNumberOfPoints();
    if (b.GetNumberOfPoints() != count || c.GetNumberOfPoints() != count)
        throw std::logic_error(kInconsistent);
    const std::size_t n = a.GetYCount();
    if (b.GetYCount() < n || c.GetYCount() < n)
        throw std::logic_error(kInconsistent);

    const std::vector<double>& ya = a.GetY();
    const std::vector<double>& yb = b.GetY();
    const std::vector<double>& yc = c.GetY();
    std::vector<double> magnitude(n);
    for (std::size_t i = 0; i < n; ++i)
        magnitude[i] = std::sqrt(ya[i] * ya[i] + yb[i] * yb[i] + yc[i] * yc[i]);

    CNSignal result(a);
    result.m_y = std::move(magnitude);
    result.SetAxis("RS");
    result.SetStatus("COMPUTED");
    result.UpdateDerived();
    result.SetModified(true);
    *this = result;
    return true;
}

bool CNSignal::Resultant2(const CNSignal& a, const CNSignal& b)
{
    const std::int32_t count = a.GetNumberOfPoints();
    if (b.GetNumberOfPoints() != count)
        throw std::logic_error(kInconsistent);
    const std::size_t n = a.GetYCount();
    if (b.GetYCount() < n)
        throw std::logic_error(kInconsistent);

    const std::vector<double>& ya = a.GetY();
    const std::vector<double>& yb = b.GetY();
    std::vector<double> magnitude(n);
    for (std::size_t i = 0; i < n; ++i)
        magnitude[i] = std::sqrt(ya[i] * ya[i] + yb[i] * yb[i]);

    CNSignal result(a);
    result.m_y = std::move(magnitude);
    result.SetAxis("RS");
    result.SetStatus("COMPUTED");
    result.UpdateDerived();
    result.SetModified(true);
    *this = result;
    return true;
}

}  // namespace kx
