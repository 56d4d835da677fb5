#pragma once

// The widgets behind HIC's document port.

#include "HIC/document/IHicUi.h"
#include "shared_ui/frame/CQtKxUi.h"

#include <QWidget>

namespace kxplatform {
class CSettings;
}

namespace hic {

class CHICUi : public kxres::CQtKxUi<IHicUi> {
public:
    CHICUi(kxplatform::CSettings &settings, QWidget *parent);

    bool OpenFiles(OpenFilesValues &values) override;
    bool EditLabels(PlotLabels &labels) override;
    bool EditWindow(double &windowMs, double stepMs) override;
    bool EditSurfaceParams(SurfaceParams &params) override;

private:
    kxplatform::CSettings &m_settings;
};

} // namespace hic
