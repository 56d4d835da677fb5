#pragma once
// Upper-neck load-cell signals for the tests.

#include <string>
#include <vector>

#include "signal/CNSignal.h"

namespace necktest {

// 10 kHz signal from time zero, attachment "NECK - UPPER", Hybrid III 50th, marked as
// already filtered at `filterClass` so that the load cases leave the samples alone.
kx::CNSignal MakeNeckSignal(const std::string &axis, const std::string &yUnits, const std::vector<double> &y,
                            int filterClass = 600);

} // namespace necktest
