#pragma once

// How Mirvane's document reaches the user: widgets in the program, a scripted fake
// in the tests.

#include "Mirvane/core/ResultColumns.h"
#include "signal/CNSignal.h"

#include <string>
#include <vector>

namespace mirvane {

// The values of the Select Files dialog.
struct CSelectFilesValues {
    std::vector<std::string> files;
    std::string referenceFile;
    int referenceKind = 0;         // 0 a chosen file, 1 the average
    int filterClass = 60;
    bool filter = true;
    bool truncate = true;
    double minTime = 0.0;
    double maxTime = static_cast<double>(0.3f);
};

class IMirvaneUi {
public:
    virtual ~IMirvaneUi() = default;

    // The error list dialog; never called with an empty list.
    virtual void ShowErrorList(const std::vector<std::string> &messages) = 0;
    virtual void ShowMessage(const std::string &text) = 0;
    virtual bool SelectFiles(CSelectFilesValues &values) = 0;
    // A save-file dialog with the overwrite prompt; path holds the choice on true.
    virtual bool ChooseSaveFile(const std::string &title, const std::string &filter, const std::string &startFolder,
                                std::string &path) = 0;
    virtual bool EditCriticalValues(CCriticalValues &values) = 0;
    virtual bool EditCorridorSize(double &size) = 0;
    // The UDS header viewer, modal.
    virtual void ShowUdsHeader(std::vector<kx::CNSignalPtr> signalList) = 0;
    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}
};

} // namespace mirvane
