// Sum, average and resultant of inputs. Each result is built in a local signal and
// assigned at the end, so this signal may be one of the inputs and a refused call
// leaves it as it was.

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "signal/CNSignal.h"

namespace kx {

namespace {

const char* const kEmptyContainer = "Empty Container of Signals.";
const char* const kLengths = "Signal lengths not the same.  Resample/Tuncate.";
const char* const kInconsistent = "Inconsistent Number of Data Points";

}  // namespace

void CNSignal::Sum(const std::vector<std::shared_ptr<CNSignal>>& inputs)
{
    if (inputs.empty())
        throw std::logic_error(kEmptyContainer);
    for (const auto& signal : inputs)
        if (!signal)
            throw std::logic_error(kEmptyContainer);
    const CNSignal& first = *inputs.front();
    const std::size_t n = first.GetYCount();
    for (const auto& signal : inputs)
        if (signal->GetYCount() != n)
            throw std::logic_error(kLengths);

    std::vector<double> sum(first.GetY());
    for (std::size_t s = 1; s < inputs.size(); ++s) {
        const std::vector<double>& y = inputs[s]->GetY();
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

void CNSignal::Average(const std::vector<std::shared_ptr<CNSignal>>& inputs)
{
    if (inputs.empty())
        throw std::logic_error(kEmptyContainer);
    CNSignal result;
    result.Sum(inputs);
    const double factor = 1.0 / static_cast<double>(inputs.size());
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
    return ResultantOf({&a, &b, &c});
}

bool CNSignal::Resultant2(const CNSignal& a, const CNSignal& b)
{
    return ResultantOf({&a, &b});
}

bool CNSignal::ResultantOf(std::initializer_list<const CNSignal*> components)
{
    const CNSignal& a = **components.begin();
    const std::int32_t count = a.GetNumberOfPoints();
    const std::size_t n = a.GetYCount();
    for (const CNSignal* s : components)
        if (s->GetNumberOfPoints() != count || s->GetYCount() < n)
            throw std::logic_error(kInconsistent);

    std::vector<double> magnitude(n, 0.0);
    for (const CNSignal* s : components) {
        const std::vector<double>& y = s->GetY();
        for (std::size_t i = 0; i < n; ++i)
            magnitude[i] += y[i] * y[i];
    }
    for (double& v : magnitude)
        v = std::sqrt(v);

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
