#pragma once

// The document's way to the user, on the program's dialogs.

#include "Sorvelt/document/ISorveltUi.h"

#include <QPointer>
#include <QWidget>

#include <functional>

namespace kxres {
class CProgressWnd;
}

namespace sorvelt {

class CSorveltDoc;

class CSorveltUi : public ISorveltUi {
public:
    explicit CSorveltUi(CSorveltDoc &doc, QWidget *parent = nullptr);
    ~CSorveltUi() override;

    void SetParent(QWidget *parent) { m_parent = parent; }
    // Called with each file the document opens (the recent-file list).
    std::function<void(const std::string &)> onRecentFile;

    void ShowMessage(const std::string &text, Icon icon) override;
    void ShowErrorList(const std::vector<std::string> &messages) override;
    bool ChooseOpenFile(const std::string &title, const std::string &filter, const std::string &startFolder,
                        std::string &path) override;
    bool ChooseSaveFile(const std::string &title, const std::string &defaultExtension, const std::string &startFolder,
                        std::string &path) override;
    bool EditLabel(const std::string &caption, const std::string &prompt, std::string &value) override;
    bool ChooseFilterClass(int &filterClass) override;
    bool EditResample(CResampleValues &values) override;
    bool EditTruncate(double &start, double &stop) override;
    bool EditConvert(CConvertValues &values) override;
    bool EditPlotLabels(CPlotLabels &labels) override;
    bool PutTextOnClipboard(const std::string &text) override;
    void SetMainWindowText(const std::string &text) override;
    void AddRecentFile(const std::string &path) override;
    void BeginProgress(const std::string &title, int total) override;
    bool StepProgress(int done, const std::string &text) override;
    void EndProgress() override;

private:
    CSorveltDoc &m_doc;
    QPointer<QWidget> m_parent;
    QPointer<kxres::CProgressWnd> m_progress;
};

} // namespace sorvelt
