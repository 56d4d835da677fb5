#pragma once

// How the document reaches the user: the program implements it with widgets,
// the tests with a scripted fake.

#include "shared_ui/kit/IKxUi.h"
#include "shared_ui/kit/PlotLabels.h"

#include <string>

namespace sorvelt {

// The conversion dialog's fields.
struct CConvertValues {
    std::string header;
    std::string parameters;
    std::string channels;
    std::string folder;
};

// The resample dialog's fields: duration and step in seconds.
struct CResampleValues {
    double duration = 0.0;
    double step = 0.0;
    int points = 0;
};

using CPlotLabels = kxres::CPlotLabels;

class ISorveltUi : public kxres::IKxUi {
public:
    // The filter-class dialog: 60, 180, 600 or 1000 in and out.
    virtual bool ChooseFilterClass(int &filterClass) = 0;
    virtual bool EditResample(CResampleValues &values) = 0;
    virtual bool EditTruncate(double &start, double &stop) = 0;
    virtual bool EditConvert(CConvertValues &values) = 0;
    virtual bool EditPlotLabels(CPlotLabels &labels) = 0;
    virtual void AddRecentFile(const std::string &path) { (void)path; }
};

} // namespace sorvelt
