#pragma once

#include "Mirvane/core/CPlot.h"

namespace mirvane {

class CPlotCrossCorrelation : public CPlot {
public:
    CPlotCrossCorrelation();
    bool Fill(const std::vector<CSignal> &records, const kx::CNSignal &reference, std::vector<kx::CNSignal> &series,
              std::vector<std::string> &labels) override;
    void GetAxisTitles(std::string &xTitle, std::string &yTitle) const override;

    // Covariance of a and b at lag k over the overlapping points, divided by their count.
    static double Covariance(const std::vector<double> &a, const std::vector<double> &b, int k);
    // The series of lags -L .. L, L bounded by the length of a.
    static kx::CNSignal Series(const std::vector<double> &a, const std::vector<double> &b, int lags, double dt);
};

} // namespace mirvane
