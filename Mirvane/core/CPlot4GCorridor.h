#pragma once

#include "Mirvane/core/CPlot.h"

namespace mirvane {

class CPlot4GCorridor : public CPlot {
public:
    CPlot4GCorridor();
    bool Fill(const std::vector<CSignal> &records, const kx::CNSignal &reference, std::vector<kx::CNSignal> &series,
              std::vector<std::string> &labels) override;
    void GetAxisTitles(std::string &xTitle, std::string &yTitle) const override;

private:
    std::string m_xTitle;
    std::string m_yTitle;
};

} // namespace mirvane
