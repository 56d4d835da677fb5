#pragma once
// The "Test" page of the header viewer.

#include "shared_ui/header/CUdsFieldPage.h"

namespace kxres {

class CUDSTestDialog : public CUdsFieldPage {
    Q_OBJECT
public:
    explicit CUDSTestDialog(QWidget *parent = nullptr);
    ~CUDSTestDialog() override;

protected:
    void FillFrom(const kx::CNSignal &signal) override;
};

} // namespace kxres
