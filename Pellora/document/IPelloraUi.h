#pragma once

// How the document reaches the user: the program implements it with widgets,
// the tests with a scripted fake.

#include "signal/CNSignal.h"

#include <memory>
#include <string>
#include <vector>

namespace pellora {

struct CPlottingOptionValues {
    bool columnHeaders = true;
    bool saveZoom = true;
    int lineStyle = 0;              // 0 alternate, 1 thin, 2 medium, 3 thick
    std::string suiteDirectory;     // folder of the criterion programs
};

struct CPageMarginValues {
    std::string left = "0.1";
    std::string right = "0.5";
    std::string top = "0.5";
    std::string bottom = "0.5";
    int unit = 0;                   // 0 inches, 1 centimetres
};

// The progress window of a batch job. While it lives the rest of the program
// takes no input; its Cancel only raises a flag that the job polls.
class IBatchProgress {
public:
    virtual ~IBatchProgress() = default;
    // Lets pending events run, then moves one step on.
    virtual void Step() = 0;
    virtual bool IsCancelled() const = 0;
};

class IPelloraUi {
public:
    enum class Icon { Information, Exclamation, Stop };

    virtual ~IPelloraUi() = default;

    // The error list dialog; never called with an empty list.
    virtual void ShowErrorList(const std::vector<std::string> &messages) = 0;
    virtual void ShowMessage(const std::string &text, Icon icon) = 0;
    // The directory dialog of Open Directory; false on Cancel.
    virtual bool ChooseBrowseDirectory(std::string &directory) = 0;
    // An open-file dialog; path holds the chosen file on true.
    virtual bool ChooseOpenFile(const std::string &title, const std::string &filter, const std::string &startFolder,
                                std::string &path) = 0;
    // The one-value label dialog; value in and out.
    virtual bool EditLabel(const std::string &caption, const std::string &prompt, std::string &value) = 0;
    virtual bool EditSignalLabels(std::vector<std::string> &labels, const std::vector<kx::CNSignalPtr> &signalList,
                                  const std::string &nameColumn, const std::string &labelColumn) = 0;
    virtual bool EditPlottingOptions(CPlottingOptionValues &options) = 0;
    virtual bool EditPageMargins(CPageMarginValues &margins) = 0;
    virtual bool EditHitList(std::vector<std::string> &names) = 0;
    // The UDS header viewer, modal, on a copy of the signal list.
    virtual void ShowUdsHeader(std::vector<kx::CNSignalPtr> signalList) = 0;
    virtual void SetMainWindowText(const std::string &text) = 0;
    virtual void BeginWaitCursor() {}
    virtual void EndWaitCursor() {}

    // Batch jobs: a progress window over count steps; null when there is none.
    virtual std::unique_ptr<IBatchProgress> BeginProgress(const std::string &title, const std::string &text,
                                                          int count)
    {
        (void)title;
        (void)text;
        (void)count;
        return nullptr;
    }
};

} // namespace pellora
