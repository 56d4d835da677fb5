#pragma once

// What the main frame asks of the plot pane below the file list. The plot view
// implements it; without one the frame's plot commands stay disabled.

#include <QString>

namespace pellora {

class IPlotPane {
public:
    enum class ImageKind { Jpeg, Metafile };

    virtual ~IPlotPane() = default;

    virtual bool HasChart() const = 0;
    virtual void PrintCurrentPlot() = 0;
    virtual void PrintAllPlots() = 0;
    virtual void PreviewCurrentPlot() = 0;
    virtual void PreviewAllPlots() = 0;
    virtual void CopyPlot() = 0;
    virtual void SaveAsJpeg() = 0;
    virtual void SaveAsWmf() = 0;
    // One image per file of the list into folder, of the given size.
    virtual void SaveAllPlots(ImageKind kind, const QString &folder, int width, int height) = 0;
    virtual bool IsShortHeader() const = 0;
    virtual void SetShortHeader(bool shortHeader) = 0;
};

} // namespace pellora
