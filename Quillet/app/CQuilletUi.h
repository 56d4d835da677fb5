#pragma once

// The neck document's way to the user, on the program's dialogs.

#include "Quillet/document/IQuilletUi.h"

#include <QPointer>
#include <QWidget>

namespace kxplatform {
class CSettings;
}
namespace kxres {
class CProgressWnd;
}

namespace quillet {

class CQuilletUi : public IQuilletUi {
public:
    explicit CQuilletUi(kxplatform::CSettings &settings, QWidget *parent = nullptr);
    ~CQuilletUi() override;

    void SetParent(QWidget *parent) { m_parent = parent; }

    void ShowErrorList(const std::vector<std::string> &messages) override;
    void ShowMessage(const std::string &text) override;
    bool AskYesNo(const std::string &text) override;
    bool ChooseNeckFile(CNeckFileChoice &choice) override;
    bool EditConditions(CNeckOptions &options) override;
    bool SelectDummy(const NeckLoadCases &loadCases, CDummyChoice &choice) override;
    bool EnterCondyleOffset(double &offset) override;
    bool ChooseForceFile(CForceChoice &choice) override;
    bool ChooseFolder(const std::string &title, std::string &folder) override;
    void ShowUdsHeader(std::vector<kx::CNSignalPtr> signalList) override;
    bool PutTextOnClipboard(const std::string &text) override;
    void SetMainWindowText(const std::string &text) override;
    void BeginProgress(const std::string &caption, int steps) override;
    bool StepProgress() override;
    void EndProgress() override;

private:
    kxplatform::CSettings &m_settings;
    QPointer<QWidget> m_parent;
    QPointer<kxres::CProgressWnd> m_progress;
};

} // namespace quillet
