#pragma once

// How Mirvane's document reaches the user: widgets in the program, a scripted fake
// in the tests.

#include "Mirvane/core/ResultColumns.h"
#include "shared_ui/kit/IKxUi.h"
#include "signal/CNSignal.h"

#include <string>
#include <vector>

namespace mirvane {

// The values of the Select Files dialog.
struct CSelectFilesValues {
    std::vector<std::string> files;
    std::string referenceFile;
    int referenceKind = 0; // 0 a chosen file, 1 the average
    int filterClass = 60;
    bool filter = true;
    bool truncate = true;
    double minTime = 0.0;
    double maxTime = static_cast<double>(0.3f);
};

class IMirvaneUi : public kxres::IKxUi {
public:
    virtual bool SelectFiles(CSelectFilesValues &values) = 0;
    virtual bool EditCriticalValues(CCriticalValues &values) = 0;
    virtual bool EditCorridorSize(double &size) = 0;
};

} // namespace mirvane
