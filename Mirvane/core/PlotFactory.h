#pragma once

#include "Mirvane/core/CPlot.h"

#include <memory>

namespace mirvane {

// The plot object of kind 1..11; a Summary object for any other kind.
std::unique_ptr<CPlot> MakePlot(int kind);

} // namespace mirvane
