#include "Mirvane/core/PlotFactory.h"

#include "Mirvane/core/CPlot4GCorridor.h"
#include "Mirvane/core/CPlot90Percent.h"
#include "Mirvane/core/CPlotAcc.h"
#include "Mirvane/core/CPlotCrossCorrelation.h"
#include "Mirvane/core/CPlotCumulativeDensity.h"
#include "Mirvane/core/CPlotDisp.h"
#include "Mirvane/core/CPlotInput.h"
#include "Mirvane/core/CPlotResidual.h"
#include "Mirvane/core/CPlotStdDeviation.h"
#include "Mirvane/core/CPlotVel.h"

namespace mirvane {

std::unique_ptr<CPlot> MakePlot(int kind)
{
    switch (kind) {
    case PlotInputData:
        return std::make_unique<CPlotInput>();
    case PlotStdDeviation:
        return std::make_unique<CPlotStdDeviation>();
    case PlotCorridor:
        return std::make_unique<CPlot4GCorridor>();
    case Plot90Percent:
        return std::make_unique<CPlot90Percent>();
    case PlotResiduals:
        return std::make_unique<CPlotResidual>();
    case PlotAcceleration:
        return std::make_unique<CPlotAcc>();
    case PlotVelocity:
        return std::make_unique<CPlotVel>();
    case PlotDisplacement:
        return std::make_unique<CPlotDisp>();
    case PlotCumulativeDensity:
        return std::make_unique<CPlotCumulativeDensity>();
    case PlotCrossCorrelation:
        return std::make_unique<CPlotCrossCorrelation>();
    default:
        return std::make_unique<CPlot>(PlotSummary);
    }
}

} // namespace mirvane
