#pragma once

// The widgets behind the document's user-interface port.

#include "Mirvane/document/IMirvaneUi.h"

#include <QPointer>
#include <QWidget>

namespace kxplatform {
class CSettings;
}

namespace mirvane {

class CMirvaneUi : public IMirvaneUi {
public:
    explicit CMirvaneUi(kxplatform::CSettings &settings, QWidget *parent = nullptr);
    void SetParent(QWidget *parent) { m_parent = parent; }

    void ShowErrorList(const std::vector<std::string> &messages) override;
    void ShowMessage(const std::string &text) override;
    bool SelectFiles(CSelectFilesValues &values) override;
    bool ChooseSaveFile(const std::string &title, const std::string &filter, const std::string &startFolder,
                        std::string &path) override;
    bool EditCriticalValues(CCriticalValues &values) override;
    bool EditCorridorSize(double &size) override;
    void ShowUdsHeader(std::vector<kx::CNSignalPtr> signalList) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;

private:
    kxplatform::CSettings &m_settings;
    QPointer<QWidget> m_parent;
};

} // namespace mirvane
