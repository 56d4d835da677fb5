#pragma once
// The "Vehicle" page of the header viewer with its two vehicle pages.

#include "shared_ui/header/CChildPropertyPage.h"
#include "shared_ui/header/CUdsFieldPage.h"

namespace kxres {

class CUdsVeh1Dialog : public CUdsFieldPage {
    Q_OBJECT
public:
    explicit CUdsVeh1Dialog(QWidget *parent = nullptr);
    ~CUdsVeh1Dialog() override;

protected:
    void FillFrom(const kx::CNSignal &signal) override;
};

class CUdsVeh2Dialog : public CUdsFieldPage {
    Q_OBJECT
public:
    explicit CUdsVeh2Dialog(QWidget *parent = nullptr);
    ~CUdsVeh2Dialog() override;

protected:
    void FillFrom(const kx::CNSignal &signal) override;
};

class CUDSVehDialog : public CChildPropertyPage {
    Q_OBJECT
public:
    explicit CUDSVehDialog(QWidget *parent = nullptr);
    ~CUDSVehDialog() override;
    CUdsVeh1Dialog *GetVehicle1() const { return m_vehicle1; }
    CUdsVeh2Dialog *GetVehicle2() const { return m_vehicle2; }

private:
    CUdsVeh1Dialog *m_vehicle1;
    CUdsVeh2Dialog *m_vehicle2;
};

} // namespace kxres
