#pragma once
// The "Instrumentation" page of the header viewer with its curve, sensor and user pages.

#include "shared_ui/header/CChildPropertyPage.h"
#include "shared_ui/header/CUdsFieldPage.h"

namespace kxres {

class CUdsCurveDataDialog : public CUdsFieldPage {
    Q_OBJECT
public:
    explicit CUdsCurveDataDialog(QWidget *parent = nullptr);
    ~CUdsCurveDataDialog() override;

protected:
    void FillFrom(const kx::CNSignal &signal) override;
};

class CUdsSensorInfoDialog : public CUdsFieldPage {
    Q_OBJECT
public:
    explicit CUdsSensorInfoDialog(QWidget *parent = nullptr);
    ~CUdsSensorInfoDialog() override;

protected:
    void FillFrom(const kx::CNSignal &signal) override;
};

class CUdsCurveUserDialog : public CUdsFieldPage {
    Q_OBJECT
public:
    explicit CUdsCurveUserDialog(QWidget *parent = nullptr);
    ~CUdsCurveUserDialog() override;

protected:
    void FillFrom(const kx::CNSignal &signal) override;
};

class CUDSCurveDialog : public CChildPropertyPage {
    Q_OBJECT
public:
    explicit CUDSCurveDialog(QWidget *parent = nullptr);
    ~CUDSCurveDialog() override;
    CUdsCurveDataDialog *GetCurveData() const { return m_curve; }
    CUdsSensorInfoDialog *GetSensorInfo() const { return m_sensor; }
    CUdsCurveUserDialog *GetCurveUser() const { return m_user; }

private:
    CUdsCurveDataDialog *m_curve;
    CUdsSensorInfoDialog *m_sensor;
    CUdsCurveUserDialog *m_user;
};

} // namespace kxres
