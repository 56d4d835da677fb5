// Resampling of a signal to a constant time step.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <utility>
#include <vector>

#include "signal/Approx.h"
#include "signal/CData.h"
#include "signal/TimeStep.h"

namespace kx {

namespace {

constexpr std::int64_t kMaxCount = std::numeric_limits<std::int32_t>::max();

// Point count of first .. last without overflow (0 when both are 0 or first > last).
std::int64_t WideCount(std::int64_t first, std::int64_t last)
{
    if (first == 0 && last == 0)
        return 0;
    return first <= last ? last - first + 1 : 0;
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b)
{
    return -FloorDiv(-a, b);
}

} // namespace

double CData::ValueAtTime(const std::vector<double> &y, double oldStep, std::int32_t nfp, std::int32_t nlp,
                          double newStep, std::int32_t newFirst, std::int32_t k)
{
    // Only the samples the record really holds are read.
    const std::int64_t count = std::min<std::int64_t>(WideCount(nfp, nlp), static_cast<std::int64_t>(y.size()));
    if (count <= 0 || !(oldStep > 0.0))
        return 0.0;

    const std::int64_t point = static_cast<std::int64_t>(newFirst) + k;
    const double t = static_cast<double>(point) * newStep;
    const double f = t / oldStep;
    if (!FitsInt(f))
        return 0.0;
    const int j = Round(f);
    const std::int64_t m = static_cast<std::int64_t>(j) - nfp;
    if (m < 0)
        return 0.0;
    // On a sample when within 0.1 % of a step of it (a tolerance relative to the time
    // itself would snap every time far from zero to its nearest sample).
    if (std::fabs(f - j) < 0.001 && m < count)
        return y[static_cast<std::size_t>(m)];
    if (count == 1)
        return y[0];

    std::int64_t i = static_cast<std::int64_t>(std::trunc(f)) - nfp;
    if (point < 0)
        --i;
    i = std::clamp<std::int64_t>(i, 0, count - 2);
    const auto u = static_cast<std::size_t>(i);
    return y[u] + (t - static_cast<double>(i + nfp) * oldStep) / oldStep * (y[u + 1] - y[u]);
}

bool CData::ResampleKernel(const std::vector<double> &y, std::int32_t nfp, std::int32_t nlp, double oldStep,
                           double newStep, std::vector<double> &out, std::int32_t &newNfp, std::int32_t &newNlp)
{
    if (!(oldStep > 0.0) || !(newStep > 0.0))
        return false;
    // The record must hold the samples its point numbers promise.
    if (WideCount(nfp, nlp) > static_cast<std::int64_t>(y.size()))
        return false;

    const double ratio = newStep / oldStep;
    const double firstPos = nfp * oldStep / newStep;
    const double lastPos = nlp * oldStep / newStep;
    if (!FitsInt(ratio) || !FitsInt(firstPos) || !FitsInt(lastPos))
        return false;

    const int r = Round(ratio);
    const bool integral = r >= 1 && ApproxEqual(r * oldStep, newStep, 0.001);

    std::int64_t first = 0;
    std::int64_t last = 0;
    if (integral) {
        // Point numbers that are multiples of r inside nfp .. nlp, found in integers so that
        // a ratio close to but not exactly r can never step outside the record.
        first = CeilDiv(nfp, r);
        last = FloorDiv(nlp, r);
        const double t0 = static_cast<float>(static_cast<double>(std::llabs(first)) * newStep);
        if (!ApproxEqual(t0, Round(t0 / oldStep) * oldStep, 0.001))
            return false;
        if (last - first + 1 < 0)
            return false;
    } else {
        // The new record starts at or after the old start and ends at or before its end.
        first = Round(firstPos);
        if (static_cast<double>(first) * newStep < nfp * oldStep)
            ++first;
        last = Round(lastPos);
        if (static_cast<double>(last) * newStep > nlp * oldStep)
            --last;
    }
    const std::int64_t n = WideCount(first, last);
    if (n > kMaxCount)
        return false;

    std::vector<double> result(static_cast<std::size_t>(n));
    if (integral) {
        for (std::int64_t k = 0; k < n; ++k)
            result[static_cast<std::size_t>(k)] = y[static_cast<std::size_t>((first + k) * r - nfp)];
    } else {
        for (std::int64_t k = 0; k < n; ++k)
            result[static_cast<std::size_t>(k)] = ValueAtTime(
                y, oldStep, nfp, nlp, newStep, static_cast<std::int32_t>(first), static_cast<std::int32_t>(k));
    }

    // out may be y itself: it is only replaced once every value is computed.
    out = std::move(result);
    newNfp = static_cast<std::int32_t>(first);
    newNlp = static_cast<std::int32_t>(last);
    return true;
}

bool CData::ResampleCore(double step, std::vector<double> &out, std::int32_t &newNfp, std::int32_t &newNlp)
{
    UpdateNumberOfPoints();
    if (!(step > 0.0) || m_numberOfPoints == 0 || newNlp < 1)
        return false;
    const std::size_t size = std::min(m_x.size(), m_y.size());
    if (size == 0)
        return false;
    // The bracket search below needs X in ascending order.
    for (std::size_t i = 1; i < size; ++i)
        if (!(m_x[i - 1] <= m_x[i]))
            return false;

    // Grid points inside the data only: the first index rounds up and the last down,
    // each within a thousandth of a step so that times carrying float rounding still
    // count as on the grid.
    constexpr double kTolerance = 0.001;
    const double firstPos = m_x[0] / step;
    const double lastPos = m_x[size - 1] / step;
    if (!FitsInt(firstPos) || !FitsInt(lastPos))
        return false;
    const auto first = static_cast<std::int64_t>(std::ceil(firstPos - kTolerance));
    const auto last = static_cast<std::int64_t>(std::floor(lastPos + kTolerance));
    if (last < first)
        return true;

    const std::int64_t n = WideCount(first, last);
    if (n > kMaxCount)
        return false;
    const double snap = 1e-9 * step;
    std::vector<double> result;
    result.reserve(static_cast<std::size_t>(n));
    std::size_t j = 1;
    for (std::int64_t k = 0; k < n; ++k) {
        if (size == 1) {
            result.push_back(m_y[0]);
            continue;
        }
        // A time within the tolerance outside the data is read at the data's end.
        const double t = std::clamp(static_cast<double>(first + k) * step, m_x[0], m_x[size - 1]);
        while (j < size - 1 && m_x[j] < t)
            ++j;
        std::size_t i = j - 1;
        while (i > 0 && t < m_x[i])
            --i;
        const double width = m_x[j] - m_x[i];
        if (std::fabs(t - m_x[j]) <= snap)
            result.push_back(m_y[j]);
        else if (std::fabs(t - m_x[i]) <= snap)
            result.push_back(m_y[i]);
        else if (width > 0.0)
            result.push_back((t - m_x[i]) / width * (m_y[j] - m_y[i]) + m_y[i]);
        else // repeated X at an end: take the sample on the side of t
            result.push_back(t >= m_x[j] ? m_y[j] : m_y[i]);
    }

    out = std::move(result);
    newNfp = static_cast<std::int32_t>(first);
    newNlp = static_cast<std::int32_t>(last);
    return true;
}

bool CData::Interpolate(double step)
{
    if (!(step > 0.0))
        throw std::logic_error("Requested Time step <= 0");
    if (m_x.empty() || m_y.empty())
        throw std::logic_error("Not enough data points");
    if (m_x.size() < 2 || m_y.size() < 2)
        throw std::logic_error("Not enough data points: the signal has 1 point, resampling needs at least 2");
    if (TimesGoBackwards(m_x))
        throw std::logic_error(kTimesNotIncreasing);

    UpdateMinMax();
    const double estimate = (m_xMax - m_xMin) / step + 0.99;
    std::int32_t newNfp = 0;
    std::int32_t newNlp = FitsInt(estimate) ? static_cast<std::int32_t>(std::trunc(estimate)) : 0;
    std::vector<double> out;
    if (!ResampleCore(step, out, newNfp, newNlp) || out.empty())
        throw std::logic_error("Error Interpolating Data");

    // Everything is checked: from here on nothing can fail.
    SetNFP(newNfp);
    SetNLP(newNlp);
    SetDel(step);
    MakeTimeAxis();
    // What SetYData does with a Y of the new axis' size, without copying it again.
    m_y = std::move(out);
    if (m_z.size() != m_y.size())
        m_z.assign(m_y.size(), 0.0);
    UpdateDerived();
    SetModified(true);
    return true;
}

} // namespace kx
