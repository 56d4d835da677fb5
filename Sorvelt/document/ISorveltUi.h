#pragma once

// How the document reaches the user: the program implements it with widgets,
// the tests with a scripted fake.

#include <string>
#include <vector>

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

struct CPlotLabels {
    std::string title;
    std::string subTitle;
    std::string xLabel;
    std::string yLabel;
};

class ISorveltUi {
public:
    enum class Icon { Information, Exclamation, Stop };

    virtual ~ISorveltUi() = default;

    virtual void ShowMessage(const std::string &text, Icon icon) = 0;
    // The error list dialog; never called with an empty list.
    virtual void ShowErrorList(const std::vector<std::string> &messages) = 0;
    // File dialogs; path holds the chosen file on true.
    virtual bool ChooseOpenFile(const std::string &title, const std::string &filter, const std::string &startFolder,
                                std::string &path) = 0;
    virtual bool ChooseSaveFile(const std::string &title, const std::string &defaultExtension,
                                const std::string &startFolder, std::string &path) = 0;
    // The one-value label dialog; value in and out.
    virtual bool EditLabel(const std::string &caption, const std::string &prompt, std::string &value) = 0;
    // The filter-class dialog: 60, 180, 600 or 1000 in and out.
    virtual bool ChooseFilterClass(int &filterClass) = 0;
    virtual bool EditResample(CResampleValues &values) = 0;
    virtual bool EditTruncate(double &start, double &stop) = 0;
    virtual bool EditConvert(CConvertValues &values) = 0;
    virtual bool EditPlotLabels(CPlotLabels &labels) = 0;
    virtual bool PutTextOnClipboard(const std::string &text) = 0;
    virtual void SetMainWindowText(const std::string &text) = 0;
    virtual void AddRecentFile(const std::string &path) { (void)path; }
    // The modal progress window of a long job; StepProgress is false once cancelled.
    virtual void BeginProgress(const std::string &title, int total) { (void)title, (void)total; }
    virtual bool StepProgress(int done, const std::string &text)
    {
        (void)done, (void)text;
        return true;
    }
    virtual void EndProgress() {}
};

} // namespace sorvelt
