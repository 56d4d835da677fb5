#pragma once
// The time step of a signal whose times were given one by one (an "X-Y" file), and
// the checks of the computations that need times in order or a constant step.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kx {

class CData;

// Times (first + i) * step for i = 0 .. n - 1.
struct TimeGrid {
    double step = 0.0;
    std::int32_t first = 0;
};

// The grid the times x lie on within float rounding: first the nominal step with
// first point number nfp, else the step of the times themselves with the first point
// number their first time gives. Nothing when they lie on no such grid (uneven,
// backwards or not finite times, fewer than two).
std::optional<TimeGrid> FindTimeGrid(const std::vector<double> &x, std::int32_t nfp, double nominalStep);

// True when every x[i] is (first + i) * step within float rounding.
bool TimesOnGrid(const std::vector<double> &x, double step, std::int64_t first);

// True when some time is smaller than the one before it.
bool TimesGoBackwards(const std::vector<double> &x);

// "X axis data is not monotonically increasing".
extern const char *const kTimesNotIncreasing;
// The cause given when a computation needs a constant step that a signal lacks.
extern const char *const kNoConstantStep;

// Throws kTimesNotIncreasing when signal's times (X of type TIME) go backwards.
void RequireIncreasingTimes(const CData &signal);
// Also throws lead + " - " + kNoConstantStep when signal's step is not a positive number.
void RequireConstantStep(const CData &signal, const std::string &lead);

} // namespace kx
