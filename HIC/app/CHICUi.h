#pragma once

// The widgets behind HIC's document port.

#include "HIC/document/IHicUi.h"

#include <QPointer>
#include <QWidget>

#include <memory>

namespace kxplatform {
class CSettings;
}
namespace kxres {
class CWaitCursor;
}

namespace hic {

class CHICUi : public IHicUi {
public:
    explicit CHICUi(kxplatform::CSettings &settings, QWidget *parent = nullptr);
    ~CHICUi() override;
    void SetParent(QWidget *parent) { m_parent = parent; }

    void ShowErrorList(const std::vector<std::string> &messages) override;
    void ShowMessage(const std::string &text) override;
    bool OpenFiles(OpenFilesValues &values) override;
    bool EditLabels(PlotLabels &labels) override;
    bool EditWindow(double &windowMs, double stepMs) override;
    bool EditSurfaceParams(SurfaceParams &params) override;
    bool ChooseSaveFile(const std::string &title, const std::string &filter, std::string &path) override;
    bool PutTextOnClipboard(const std::string &text) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;

private:
    kxplatform::CSettings &m_settings;
    QPointer<QWidget> m_parent;
    std::unique_ptr<kxres::CWaitCursor> m_wait;
};

} // namespace hic
