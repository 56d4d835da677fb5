#pragma once

// The four texts of a plot: title, subtitle and the two axis labels.

#include <string>

namespace kxres {

struct CPlotLabels {
    std::string title;
    std::string subTitle;
    std::string xLabel;
    std::string yLabel;
};

} // namespace kxres
