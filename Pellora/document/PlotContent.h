#pragma once

// What a plot shows, built from signals alone: the document's current plot and
// each page of a batch job are made the same way.

#include "platform/chart/content/ChartContent.h"
#include "signal/CNSignal.h"

#include <QRectF>

#include <optional>
#include <string>
#include <vector>

namespace pellora {

// The texts and packed arrays of one plot.
struct CPlotData {
    std::string title;
    std::string subTitle;
    std::string yLabel;
    std::string xLabel;
    std::vector<std::string> signalLabels;
    // Curve c, point p at c * maxPointCount + p; shorter curves padded.
    std::vector<double> chartX;
    std::vector<double> chartY;
    int signalCount = 0;
    int maxPointCount = 0;
};

// One plot to draw off the screen: its content and the axis ranges to show in place
// of the automatic ones (the user's zoom), if any.
struct CPlotPicture {
    kxchart::ChartContent content;
    std::optional<QRectF> zoom;
};

enum class PlotImageKind { Jpeg, Metafile };

// Text of the database-name cell: "VEHICLE DB", "BIOMECHANICS DB" or "CD".
std::string DatabaseName(const kx::CNSignal &signal);
// The 7 x 4 header table of one signal.
kxchart::HeaderTable BuildHeaderTable(const kx::CNSignal &signal);
// The chart content of plot for signalList: the header table for one signal with the
// long header, else titles; curves, legend and line styles (plot-option setting lineStyle).
kxchart::ChartContent BuildPlotContent(const CPlotData &plot, const std::vector<kx::CNSignalPtr> &signalList,
                                       int lineStyle, bool shortHeader, double padValue);

} // namespace pellora
