#pragma once

// How HIC's document reaches the user: the program implements it with widgets,
// the tests with a scripted fake.

#include "HIC/core/CHicSurface.h"
#include "shared_ui/kit/IKxUi.h"
#include "shared_ui/kit/PlotLabels.h"

#include <string>

namespace hic {

// The choices of the Open dialog.
struct OpenFilesValues {
    std::string xPath, yPath, zPath, resultantPath;
    int fileType = 0;      // 0 UDS-1992, 1 ASCII
    bool resultant = true; // true: one resultant file, false: X, Y and Z files
    bool checkHeaders = false;
    bool applyFilter = false; // CFC 1000 on ASCII input
};

// The four texts of a plot.
using PlotLabels = kxres::CPlotLabels;

class IHicUi : public kxres::IKxUi {
public:
    virtual bool OpenFiles(OpenFilesValues &values) = 0;
    virtual bool EditLabels(PlotLabels &labels) = 0;
    // The window dialog; windowMs in and out.
    virtual bool EditWindow(double &windowMs, double stepMs) = 0;
    virtual bool EditSurfaceParams(SurfaceParams &params) = 0;
};

} // namespace hic
