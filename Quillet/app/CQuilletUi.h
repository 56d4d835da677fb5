#pragma once

// The neck document's way to the user, on the program's dialogs.

#include "Quillet/document/IQuilletUi.h"
#include "shared_ui/frame/CQtKxUi.h"

#include <QWidget>

namespace kxplatform {
class CSettings;
}

namespace quillet {

class CQuilletUi : public kxres::CQtKxUi<IQuilletUi> {
public:
    CQuilletUi(kxplatform::CSettings &settings, QWidget *parent);
    ~CQuilletUi() override;

    bool ChooseNeckFile(CNeckFileChoice &choice) override;
    bool EditConditions(CNeckOptions &options) override;
    bool SelectDummy(const NeckLoadCases &loadCases, CDummyChoice &choice) override;
    bool EnterCondyleOffset(double &offset) override;
    bool ChooseForceFile(CForceChoice &choice) override;

private:
    kxplatform::CSettings &m_settings;
};

} // namespace quillet
