#pragma once

#include "Mirvane/core/CPlot.h"

namespace mirvane {

class CPlotVel : public CPlot {
public:
    CPlotVel();
    bool Fill(const std::vector<CSignal> &records, const kx::CNSignal &reference, std::vector<kx::CNSignal> &series,
              std::vector<std::string> &labels) override;
    void GetAxisTitles(std::string &xTitle, std::string &yTitle) const override;
};

} // namespace mirvane
