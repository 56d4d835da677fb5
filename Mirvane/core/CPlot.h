#pragma once

// A plot kind: turns the records of a run into the curves the chart shows. The base
// is the Summary, which plots nothing. Plots read the records and the reference and
// never change them.

#include "Mirvane/core/CSignal.h"
#include "signal/CNSignal.h"

#include <string>
#include <vector>

namespace mirvane {

enum PlotKind : int {
    PlotSummary = 1,
    PlotInputData = 2,
    PlotStdDeviation = 3,
    PlotCorridor = 4,
    Plot90Percent = 5,
    PlotResiduals = 6,
    PlotAcceleration = 7,
    PlotVelocity = 8,
    PlotDisplacement = 9,
    PlotCumulativeDensity = 10,
    PlotCrossCorrelation = 11,
};

class CPlot {
public:
    explicit CPlot(int kind = PlotSummary);
    virtual ~CPlot();

    // Empties series and labels, then appends the curves of this kind with their
    // legend labels. False when nothing could be filled.
    virtual bool Fill(const std::vector<CSignal> &records, const kx::CNSignal &reference,
                      std::vector<kx::CNSignal> &series, std::vector<std::string> &labels);
    virtual void GetAxisTitles(std::string &xTitle, std::string &yTitle) const;

    int GetKind() const { return m_kind; }

protected:
    int m_kind;
};

// The name a kind is offered under; empty outside 1..11.
std::string PlotKindName(int kind);

} // namespace mirvane
