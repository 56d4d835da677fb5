#pragma once

// What the main frame asks of the plot pane below the file list. The plot view
// implements it; without one the frame's plot commands stay disabled.

#include <QRectF>

#include <functional>

namespace pellora {

class IPlotPane {
public:
    virtual ~IPlotPane() = default;

    virtual bool HasChart() const = 0;
    virtual void CopyPlot() = 0;
    // The axis ranges the user zoomed the chart to; false for the automatic ones.
    virtual bool ZoomRange(QRectF &range) const = 0;
    // Called after the chart was made again or dropped.
    virtual void OnChartChanged(std::function<void()> changed) = 0;
};

} // namespace pellora
