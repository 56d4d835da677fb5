#pragma once

// The widgets behind the document's user-interface port.

#include "Mirvane/document/IMirvaneUi.h"
#include "shared_ui/frame/CQtKxUi.h"

#include <QWidget>

namespace kxplatform {
class CSettings;
}

namespace mirvane {

class CMirvaneUi : public kxres::CQtKxUi<IMirvaneUi> {
public:
    CMirvaneUi(kxplatform::CSettings &settings, QWidget *parent);

    bool SelectFiles(CSelectFilesValues &values) override;
    bool EditCriticalValues(CCriticalValues &values) override;
    bool EditCorridorSize(double &size) override;

private:
    kxplatform::CSettings &m_settings;
};

} // namespace mirvane
