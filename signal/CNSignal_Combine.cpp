// Sum, average and resultant of inputs. Each result is built in a local signal and
// assigned at the end, so this signal may be one of the inputs and a refused call
// leaves it as it was.

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "signal/CNSignal.h"

namespace kx {

namespace {

const char *const kEmptyContainer = "Empty Container of Signals.";
const char *const kLengths = "Signal lengths not the same.  Resample/Tuncate.";
const char *const kInconsistent = "Inconsistent Number of Data Points";

// Equal within float rounding, sample by sample.
bool SameTimes(const std::vector<double> &a, const std::vector<double> &b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!(std::fabs(a[i] - b[i]) <= 4.0 * FLT_EPSILON * std::max(std::fabs(a[i]), std::fabs(b[i]))))
            return false;
    return true;
}

} // namespace

void CNSignal::Sum(const std::vector<std::shared_ptr<CNSignal>> &inputs)
{
    if (inputs.empty())
        throw std::logic_error(kEmptyContainer);
    for (const auto &signal : inputs)
        if (!signal)
            throw std::logic_error(kEmptyContainer);
    const CNSignal &first = *inputs.front();
    const std::size_t n = first.GetYCount();
    for (const auto &signal : inputs)
        if (signal->GetYCount() != n)
            throw std::logic_error(kLengths);
    for (const auto &signal : inputs)
        CheckSameTimes(first, *signal);

    // Up to three inputs per pass, added in input order.
    std::vector<double> sum = NewSamples(n);
    double *out = sum.data();
    const double *y0 = first.GetY().data();
    std::size_t next = 1;
    if (inputs.size() >= 3) {
        const double *y1 = inputs[1]->GetY().data();
        const double *y2 = inputs[2]->GetY().data();
        for (std::size_t i = 0; i < n; ++i)
            out[i] = y0[i] + y1[i] + y2[i];
        next = 3;
    } else if (inputs.size() == 2) {
        const double *y1 = inputs[1]->GetY().data();
        for (std::size_t i = 0; i < n; ++i)
            out[i] = y0[i] + y1[i];
        next = 2;
    } else {
        std::copy(y0, y0 + n, out);
    }
    for (; next + 1 < inputs.size(); next += 2) {
        const double *y1 = inputs[next]->GetY().data();
        const double *y2 = inputs[next + 1]->GetY().data();
        for (std::size_t i = 0; i < n; ++i)
            out[i] = out[i] + y1[i] + y2[i];
    }
    if (next < inputs.size()) {
        const double *y1 = inputs[next]->GetY().data();
        for (std::size_t i = 0; i < n; ++i)
            out[i] += y1[i];
    }

    // Nothing can fail from here on.
    AssignFrom(first, std::move(sum));
    SetStatus("SUM");
    SetModified(true);
}

void CNSignal::Average(const std::vector<std::shared_ptr<CNSignal>> &inputs)
{
    if (inputs.empty())
        throw std::logic_error(kEmptyContainer);
    CNSignal result;
    result.Sum(inputs);
    const double factor = 1.0 / static_cast<double>(inputs.size());
    for (double &v : result.m_y)
        v *= factor;
    result.UpdateDerived();
    result.SetModified(true);
    result.SetStatus("AVERAGE");
    // T12.uds becomes AVG.uds; a name without an extension stays.
    const std::string &name = result.GetFileName();
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        result.SetFileName("AVG" + name.substr(dot));
    *this = result;
}

bool CNSignal::Resultant(const CNSignal &a, const CNSignal &b, const CNSignal &c)
{
    return ResultantOf({&a, &b, &c});
}

bool CNSignal::Resultant2(const CNSignal &a, const CNSignal &b)
{
    return ResultantOf({&a, &b});
}

bool CNSignal::ResultantOf(std::initializer_list<const CNSignal *> components)
{
    const CNSignal &a = **components.begin();
    const std::int32_t count = a.GetNumberOfPoints();
    const std::size_t n = a.GetYCount();
    for (const CNSignal *s : components)
        if (s->GetNumberOfPoints() != count || s->GetYCount() < n)
            throw std::logic_error(kInconsistent);
    for (const CNSignal *s : components)
        CheckSameTimes(a, *s);

    std::vector<double> magnitude = NewSamples(n);
    double *out = magnitude.data();
    auto it = components.begin();
    const double *ya = (*it++)->GetY().data();
    const double *yb = (*it++)->GetY().data();
    if (it != components.end()) {
        const double *yc = (*it)->GetY().data();
        for (std::size_t i = 0; i < n; ++i)
            out[i] = std::sqrt(ya[i] * ya[i] + yb[i] * yb[i] + yc[i] * yc[i]);
    } else {
        for (std::size_t i = 0; i < n; ++i)
            out[i] = std::sqrt(ya[i] * ya[i] + yb[i] * yb[i]);
    }

    AssignFrom(a, std::move(magnitude));
    SetAxis("RS");
    SetStatus("COMPUTED");
    SetModified(true);
    return true;
}

void CNSignal::AssignFrom(const CNSignal &source, std::vector<double> &&y)
{
    if (this != &source)
        m_messages = source.m_messages;
    AssignWithY(source, std::move(y));
}

void CNSignal::CheckSameTimes(const CNSignal &a, const CNSignal &b)
{
    const double da = a.GetDel();
    const double db = b.GetDel();
    // Steps read from files carry float rounding: equal within a millionth.
    const bool sameStep = da == db || std::fabs(da - db) <= 1e-6 * std::max(std::fabs(da), std::fabs(db));
    // Without a constant step only the times themselves tell whether the samples meet.
    const bool sameTimes = (da > 0.0 && db > 0.0) || SameTimes(a.GetX(), b.GetX());
    if (a.GetNFP() == b.GetNFP() && sameStep && sameTimes)
        return;
    const auto describe = [](const CNSignal &s) {
        std::ostringstream text;
        text << (s.GetFileName().empty() ? std::string("(unnamed signal)") : s.GetFileName()) << " (first point "
             << s.GetNFP() << ", time step " << s.GetDel() << ")";
        return text.str();
    };
    throw std::logic_error("Signals do not share first point and time step: " + describe(a) + " and " + describe(b) +
                           ".  Resample/Truncate.");
}

} // namespace kx
