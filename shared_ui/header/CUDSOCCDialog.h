#pragma once
// The "Occupant" page of the header viewer with its occupant and injury pages.

#include "shared_ui/header/CChildPropertyPage.h"
#include "shared_ui/header/CUdsFieldPage.h"

namespace kxres {

class CUdsOcc1Dialog : public CUdsFieldPage {
    Q_OBJECT
public:
    explicit CUdsOcc1Dialog(QWidget *parent = nullptr);
    ~CUdsOcc1Dialog() override;

protected:
    void FillFrom(const kx::CNSignal &signal) override;
};

class CUdsOcc2Dialog : public CUdsFieldPage {
    Q_OBJECT
public:
    explicit CUdsOcc2Dialog(QWidget *parent = nullptr);
    ~CUdsOcc2Dialog() override;

protected:
    void FillFrom(const kx::CNSignal &signal) override;
};

class CUdsOccupantInjuryDialog : public CUdsFieldPage {
    Q_OBJECT
public:
    explicit CUdsOccupantInjuryDialog(QWidget *parent = nullptr);
    ~CUdsOccupantInjuryDialog() override;

protected:
    void FillFrom(const kx::CNSignal &signal) override;
};

class CUDSOCCDialog : public CChildPropertyPage {
    Q_OBJECT
public:
    explicit CUDSOCCDialog(QWidget *parent = nullptr);
    ~CUDSOCCDialog() override;
    CUdsOcc1Dialog *GetOccupant1() const { return m_occupant1; }
    CUdsOcc2Dialog *GetOccupant2() const { return m_occupant2; }
    CUdsOccupantInjuryDialog *GetInjury() const { return m_injury; }

private:
    CUdsOcc1Dialog *m_occupant1;
    CUdsOcc2Dialog *m_occupant2;
    CUdsOccupantInjuryDialog *m_injury;
};

} // namespace kxres
