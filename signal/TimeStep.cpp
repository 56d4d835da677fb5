#include "signal/TimeStep.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "signal/CData.h"

namespace kx {

const char *const kTimesNotIncreasing = "X axis data is not monotonically increasing";
const char *const kNoConstantStep = "no constant time step: its times are not evenly spaced";

namespace {

bool FitsPointNumbers(std::int64_t first, std::size_t n)
{
    constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
    return first >= lo && first + static_cast<std::int64_t>(n) - 1 <= hi;
}

} // namespace

// A time read from a file as a float is on the grid when it is within a few float
// roundings of its grid time.
bool TimesOnGrid(const std::vector<double> &x, double step, std::int64_t first)
{
    constexpr double kUlps = 4.0 * FLT_EPSILON;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double expected = static_cast<double>(first + static_cast<std::int64_t>(i)) * step;
        if (!(std::fabs(x[i] - expected) <= kUlps * std::max(std::fabs(x[i]), step)))
            return false;
    }
    return true;
}

std::optional<TimeGrid> FindTimeGrid(const std::vector<double> &x, std::int32_t nfp, double nominalStep)
{
    const std::size_t n = x.size();
    if (n < 2 || !std::isfinite(x.front()) || !std::isfinite(x.back()))
        return std::nullopt;
    if (nominalStep > 0.0 && std::isfinite(nominalStep) && FitsPointNumbers(nfp, n) && TimesOnGrid(x, nominalStep, nfp))
        return TimeGrid{nominalStep, nfp};

    // The step of the times, held as the header holds it (a float); the step a writer
    // meant (six significant digits) when the times fit it as well.
    const double measured = (x.back() - x.front()) / static_cast<double>(n - 1);
    if (!(measured > 0.0) || !std::isfinite(measured))
        return std::nullopt;
    const double scale = std::pow(10.0, std::floor(std::log10(measured)) - 5.0);
    for (const double candidate : {std::round(measured / scale) * scale, measured}) {
        const auto step = static_cast<double>(static_cast<float>(candidate));
        if (!(step > 0.0) || !std::isfinite(step))
            continue;
        const double firstPosition = x.front() / step;
        if (!(std::fabs(firstPosition) < 4.0e9))
            continue;
        const auto first = static_cast<std::int64_t>(std::llround(firstPosition));
        if (FitsPointNumbers(first, n) && TimesOnGrid(x, step, first))
            return TimeGrid{step, static_cast<std::int32_t>(first)};
    }
    return std::nullopt;
}

bool TimesGoBackwards(const std::vector<double> &x)
{
    for (std::size_t i = 1; i < x.size(); ++i)
        if (x[i] < x[i - 1])
            return true;
    return false;
}

void RequireIncreasingTimes(const CData &signal)
{
    if (signal.GetXType() == "TIME" && TimesGoBackwards(signal.GetX()))
        throw std::logic_error(kTimesNotIncreasing);
}

void RequireConstantStep(const CData &signal, const std::string &lead)
{
    RequireIncreasingTimes(signal);
    const double step = signal.GetDel();
    if (!(step > 0.0) || !std::isfinite(step))
        throw std::logic_error(lead + " - " + kNoConstantStep);
}

} // namespace kx
