#include "Mirvane/core/CPlotInput.h"

#include "Mirvane/core/PlotHelpers.h"

namespace mirvane {

CPlotInput::CPlotInput()
    : CPlot(PlotInputData)
{}

bool CPlotInput::Fill(const std::vector<CSignal> &records, const kx::CNSignal &reference,
                      std::vector<kx::CNSignal> &series, std::vector<std::string> &labels)
{
    series.clear();
    labels.clear();
    AppendReferenceAndRecords(records, reference, series, labels);
    return true;
}

void CPlotInput::GetAxisTitles(std::string &xTitle, std::string &yTitle) const
{
    xTitle = kTimeTitle;
    yTitle = "Unknown Units";
}

} // namespace mirvane
