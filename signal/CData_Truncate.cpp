// Truncation, padding and cutting, offset removal, scaling, shifting and Y peaks.
// Every operation checks its input and computes into locals before it changes the
// signal, so a refused call leaves the signal as it was.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "signal/Approx.h"
#include "signal/CData.h"
#include "signal/TimeStep.h"
#include "signal/Units.h"

namespace kx {

namespace {

bool FitsInt32(std::int64_t v)
{
    return v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
}

// Keeps v[from .. from + count) in place.
void KeepRange(std::vector<double> &v, std::size_t from, std::size_t count)
{
    v.erase(v.begin() + static_cast<std::ptrdiff_t>(from + count), v.end());
    v.erase(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(from));
}

// Keeps samples from .. from + count of X and Y, and of Z when it matches X (zeros else).
void KeepSamples(std::vector<double> &x, std::vector<double> &y, std::vector<double> &z, std::size_t from,
                 std::size_t count)
{
    if (z.size() == x.size())
        KeepRange(z, from, count);
    else
        z.assign(count, 0.0);
    KeepRange(x, from, count);
    KeepRange(y, from, count);
}

// Nearest integer, halves to even.
double RoundHalfEven(double v)
{
    const double lower = std::floor(v);
    const double diff = v - lower;
    if (diff > 0.5)
        return lower + 1.0;
    if (diff < 0.5)
        return lower;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

} // namespace

bool CData::TruncateByTime(double start, double stop)
{
    if (stop <= start) {
        std::ostringstream text;
        text << "Stop time (" << stop << ") is before or equals Start Time (" << start << ")";
        throw std::logic_error(text.str());
    }
    RequireIncreasingTimes(*this);

    UpdateNumberOfPoints();
    const std::size_t n = std::min({static_cast<std::size_t>(std::max(m_numberOfPoints, 0)), m_x.size(), m_y.size()});
    std::size_t first = 0;
    while (first < n && !(m_x[first] >= start))
        ++first;
    // The last sample of the signal is never kept.
    std::size_t end = first;
    while (end + 1 < n && m_x[end] < stop)
        ++end;
    const std::size_t kept = end - first;
    if (kept == 0)
        throw std::logic_error("No X or Y Signal Data");

    // The first kept sample keeps its point number, so X = NFP * DEL still holds.
    std::int64_t newNfp = 0;
    if (GetDel() > 0.0)
        newNfp = static_cast<std::int64_t>(GetNFP()) + static_cast<std::int64_t>(first);
    const std::int64_t newNlp = newNfp + static_cast<std::int64_t>(kept) - 1;
    if (!FitsInt32(newNfp) || !FitsInt32(newNlp))
        throw std::logic_error("Unable to provide requested stop/start indices");

    // Everything is checked: cut the samples in place.
    KeepSamples(m_x, m_y, m_z, first, kept);
    SetNFP(static_cast<std::int32_t>(newNfp));
    SetNLP(static_cast<std::int32_t>(newNlp));
    SetStatus("Truncated");
    UpdateDerived();
    SetModified(true);
    return true;
}

bool CData::TruncateByIndex(std::int32_t first, std::int32_t last)
{
    if (first >= last) {
        std::ostringstream text;
        text << "Start Index (" << first << ")is >= Stop Index (" << last << ")";
        throw std::logic_error(text.str());
    }
    const std::int64_t a = static_cast<std::int64_t>(first) - GetNFP();
    const std::int64_t b = static_cast<std::int64_t>(last) - GetNFP();
    if (b <= a)
        throw std::logic_error("Stop index is <= Start Index");
    UpdateNumberOfPoints();
    if (a < 0 || b >= m_numberOfPoints || b >= static_cast<std::int64_t>(m_y.size()) ||
        b >= static_cast<std::int64_t>(m_x.size()))
        throw std::logic_error("Unable to provide requested stop/start indices");

    KeepSamples(m_x, m_y, m_z, static_cast<std::size_t>(a), static_cast<std::size_t>(b - a + 1));
    SetNFP(first);
    SetNLP(last);
    SetStatus("Truncated");
    UpdateDerived();
    SetModified(true);
    return true;
}

bool CData::PadCutPoints(std::int32_t atFirst, std::int32_t atLast, std::int32_t newNfp, std::int32_t newNlp)
{
    const std::size_t n = m_y.size();
    if (n == 0 || m_x.size() != n)
        throw std::logic_error("No X or Y Signal Data");
    const std::int64_t cutFirst = atFirst < 0 ? -static_cast<std::int64_t>(atFirst) : 0;
    const std::int64_t cutLast = atLast < 0 ? -static_cast<std::int64_t>(atLast) : 0;
    if (cutFirst + cutLast >= static_cast<std::int64_t>(n))
        throw std::logic_error("Unable to provide requested stop/start indices");

    const double del = GetDel();
    std::vector<double> x(m_x);
    std::vector<double> y(m_y);
    std::vector<double> z = m_z.size() == n ? m_z : std::vector<double>(n, 0.0);

    if (atLast > 0) {
        const double lastX = x.back();
        const double lastY = y.back();
        const double lastZ = z.back();
        for (std::int32_t i = 1; i <= atLast; ++i) {
            x.push_back(lastX + i * del);
            y.push_back(lastY);
            z.push_back(lastZ);
        }
    } else if (atLast < 0) {
        const auto keep = n - static_cast<std::size_t>(cutLast);
        x.resize(keep);
        y.resize(keep);
        z.resize(keep);
    }

    if (atFirst > 0) {
        const auto add = static_cast<std::size_t>(atFirst);
        const double firstX = x.front();
        std::vector<double> px(add);
        for (std::size_t i = 0; i < add; ++i)
            px[i] = firstX - static_cast<double>(add - i) * del;
        x.insert(x.begin(), px.begin(), px.end());
        y.insert(y.begin(), add, y.front());
        z.insert(z.begin(), add, z.front());
    } else if (atFirst < 0) {
        const auto drop = static_cast<std::ptrdiff_t>(cutFirst);
        x.erase(x.begin(), x.begin() + drop);
        y.erase(y.begin(), y.begin() + drop);
        z.erase(z.begin(), z.begin() + drop);
    }

    SetXYZData(x, y, z);
    SetNFP(newNfp);
    SetNLP(newNlp);
    UpdateDerived();
    SetModified(true);
    return true;
}

double CData::EstimateBias(std::vector<double> &y)
{
    if (y.empty())
        return 0.0;
    std::size_t peak = 0;
    double largest = std::fabs(y[0]);
    for (std::size_t i = 1; i < y.size(); ++i) {
        if (std::fabs(y[i]) > largest) {
            largest = std::fabs(y[i]);
            peak = i;
        }
    }
    if (peak == 0)
        return 0.0;

    // Shortest half of the samples before the peak.
    std::vector<double> s(y.begin(), y.begin() + static_cast<std::ptrdiff_t>(peak));
    // NaN sorts last, so the ordering stays valid whatever the data hold.
    std::sort(s.begin(), s.end(), [](double a, double b) { return a < b || (std::isnan(b) && !std::isnan(a)); });
    const std::size_t half = peak / 2;
    std::size_t best = 0;
    double bestWidth = std::numeric_limits<double>::infinity();
    for (std::size_t j = 0; j + half < peak; ++j) {
        const double width = std::fabs(s[j + half] - s[j]);
        if (width <= bestWidth) { // the later window wins a tie
            bestWidth = width;
            best = j;
        }
    }
    const double bias = s[best + (half + 1) / 2];
    for (double &v : y)
        v -= bias;
    return bias;
}

double CData::Bias()
{
    if (!(GetDel() > 0.0))
        throw std::logic_error("Bias Algorithm requres y only data");
    if (m_y.empty())
        throw std::logic_error("Bias: empty data points");
    const double bias = EstimateBias(m_y);
    UpdateDerived();
    SetModified(true);
    return bias;
}

double CData::BiasTailPercent(double percent, bool fromStart)
{
    if (!(percent > 0.0 && percent <= 100.0))
        throw std::logic_error("BiasTailPercent: percent must be between 1 and 100");
    const double offset = BiasTailPercentCore(m_y, percent, fromStart);
    UpdateDerived();
    SetModified(true);
    return offset;
}

double CData::BiasTailPercentCore(std::vector<double> &y, double percent, bool fromStart) const
{
    if (!(GetDel() > 0.0))
        throw std::logic_error("BiasTailPercent Algorithm requres y only data");
    if (y.empty())
        throw std::logic_error("BiasTailPercent: empty data points");

    const std::size_t n = y.size();
    const double wanted = RoundHalfEven(static_cast<double>(n) * percent * 0.01);
    std::size_t k = 0;
    if (wanted == 0.0)
        k = 1;
    else if (wanted > static_cast<double>(n))
        k = n - 1;
    else if (wanted > 0.0)
        k = static_cast<std::size_t>(wanted);
    if (k == 0) // negative or not a number, or one sample asked for more than all
        throw std::logic_error("BiasTailPercent: No Points Averaged");

    const std::size_t from = fromStart ? 0 : n - k;
    double sum = 0.0;
    for (std::size_t i = from; i < from + k; ++i)
        sum += y[i];
    const double mean = sum / static_cast<double>(k);
    for (double &v : y)
        v -= mean;
    return mean;
}

bool CData::ShiftX(double dx)
{
    if (!std::isfinite(dx))
        throw std::logic_error("Cannot shift signal by a value that is not finite");
    if (m_x.empty())
        throw std::logic_error("No X Data");
    std::int64_t shift = 0;
    if (GetDel() > 0.0) {
        // Nearest whole number of steps, halves away from zero, in both directions.
        const double points = dx / GetDel();
        if (!FitsInt(points))
            throw std::logic_error("Shift out of range");
        shift = Round(points);
        if (!FitsInt32(GetNFP() + shift) || !FitsInt32(GetNLP() + shift))
            throw std::logic_error("Shift out of range");
    }
    for (double &v : m_x)
        v += dx;
    SetNFP(static_cast<std::int32_t>(GetNFP() + shift));
    SetNLP(static_cast<std::int32_t>(GetNLP() + shift));
    UpdateDerived();
    SetModified(true);
    return true;
}

bool CData::ShiftY(double dy)
{
    if (!std::isfinite(dy))
        throw std::logic_error("Cannot shift signal by a value that is not finite");
    if (m_y.empty())
        throw std::logic_error("No Y Data");
    for (double &v : m_y)
        v += dy;
    UpdateDerived();
    SetModified(true);
    return true;
}

bool CData::ScaleX(double factor)
{
    if (factor == 0.0)
        throw std::logic_error("Cannot scale signal by zero");
    if (!std::isfinite(factor))
        throw std::logic_error("Cannot scale signal by a factor that is not finite");
    if (m_x.empty())
        throw std::logic_error("No X Data");
    for (double &v : m_x)
        v *= factor;
    if (GetDel() > 0.0)
        SetDel(GetDel() * factor);
    UpdateDerived();
    SetModified(true);
    return true;
}

bool CData::ScaleY(double factor)
{
    if (factor == 0.0)
        throw std::logic_error("Cannot scale signal by zero");
    if (!std::isfinite(factor))
        throw std::logic_error("Cannot scale signal by a factor that is not finite");
    if (m_y.empty())
        throw std::logic_error("No Y Data");
    for (double &v : m_y)
        v *= factor;
    UpdateDerived();
    SetModified(true);
    return true;
}

namespace {

// First Y that wins against every other by before, with its X (ms when X is in seconds).
template <typename Before>
bool FirstPeak(const CData &s, Before before, double &y, double &x)
{
    const std::vector<double> &xs = s.GetX();
    const std::vector<double> &ys = s.GetY();
    const std::size_t n = std::min(xs.size(), ys.size());
    if (n == 0)
        return false;
    std::size_t at = 0;
    for (std::size_t i = 1; i < n; ++i)
        if (before(ys[i], ys[at]))
            at = i;
    y = ys[at];
    x = IsSeconds(s.GetXUnits()) ? xs[at] * 1000.0 : xs[at];
    return true;
}

} // namespace

bool CData::GetYMaxPoint(double &yMax, double &xAtMax) const
{
    return FirstPeak(
        *this, [](double a, double b) { return a > b; }, yMax, xAtMax);
}

bool CData::GetYMinPoint(double &yMin, double &xAtMin) const
{
    return FirstPeak(
        *this, [](double a, double b) { return a < b; }, yMin, xAtMin);
}

bool CData::GetYExtremes(double &yMin, double &xAtMin, double &yMax, double &xAtMax) const
{
    if (!GetYMaxPoint(yMax, xAtMax))
        return false;
    return GetYMinPoint(yMin, xAtMin);
}

} // namespace kx
