#pragma once
// The UDS header viewer: every header field of one or several signals, page by page,
// with arrows to step through the signals and a page that prints the header report.

#include <QString>

#include <memory>
#include <vector>

#include "shared_ui/header/CChildPropertyPage.h"
#include "signal/CNSignal.h"

class QLabel;
class QPushButton;
class QToolButton;

namespace kxres {

class CPrintPreviewer;
class CUDSCurveDialog;
class CUDSOCCDialog;
class CUDSTestDialog;
class CUDSVehDialog;

class CUDSDialog : public CChildPropertyPage {
    Q_OBJECT
public:
    explicit CUDSDialog(QWidget *parent = nullptr);
    ~CUDSDialog() override;

    // Keeps the list; the first signal becomes the current one.
    void SetSignals(std::vector<std::shared_ptr<kx::CNSignal>> signalList);
    bool OnInitDialog() override;
    // Shows the current signal on every page (empty pages without one).
    void FillHeaderPages();
    // The arrows: moves delta signals on when that stays within the list.
    void OnDeltaposSpin(int delta);
    // The program's Print command, passed on to the report page.
    void OnFilePrint();
    void OnCancel() override;
    void reject() override;

    int GetCurrentIndex() const { return m_index; }
    const std::shared_ptr<kx::CNSignal> &GetCurrentSignal() const { return m_current; }
    // "2 Of 3"
    QString GetCounterText() const;
    bool IsStepperShown() const;
    static QString TitlePrefix() { return QStringLiteral("UDS File Specification - "); }

    CUDSTestDialog *GetTestPage() const { return m_test; }
    CUDSVehDialog *GetVehiclePage() const { return m_vehicle; }
    CUDSCurveDialog *GetCurvePage() const { return m_curve; }
    CUDSOCCDialog *GetOccupantPage() const { return m_occupant; }
    CPrintPreviewer *GetPrintPreviewPage() const { return m_printPreview; }
    QToolButton *GetUpButton() const { return m_up; }
    QToolButton *GetDownButton() const { return m_down; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ShowCounter();

    CUDSTestDialog *m_test;
    CUDSVehDialog *m_vehicle;
    CUDSCurveDialog *m_curve;
    CUDSOCCDialog *m_occupant;
    CPrintPreviewer *m_printPreview;
    std::vector<std::shared_ptr<kx::CNSignal>> m_signals;
    std::shared_ptr<kx::CNSignal> m_current;
    int m_index = 0;
    QString m_titlePrefix;
    QWidget *m_spin;
    QToolButton *m_up;
    QToolButton *m_down;
    QLabel *m_number;
    QLabel *m_of;
    QLabel *m_count;
    QPushButton *m_help;
    QPushButton *m_cancel;
    QPushButton *m_apply;
    bool m_initialised = false;
};

} // namespace kxres
