#pragma once

// Asks for a new time step (seconds) or a number of points for resampling.
//
// Preset the values with SetTimeStep and SetNumberOfPoints, run DoModal, and after
// Accepted read GetTimeStep and GetNumberOfPoints; the radio button chosen is not kept, so
// compare each value with what was put in: the value of the radio button not chosen is
// returned as it was put in, even after an entry of it was refused. OK with the time step
// left as shown returns the preset step exactly (the edit shows only 6 significant digits).
//
// Controls by object name: "timeStepRadio", "pointsRadio", "timeStep" and
// "numberOfPoints" (both kxres::CNEdit).

#include <QDialog>
#include <QString>

class QRadioButton;

namespace kxres {

class CNEdit;
class CPPToolTip;

class CResampleDlg : public QDialog {
    Q_OBJECT
public:
    explicit CResampleDlg(QWidget *parent = nullptr);
    ~CResampleDlg() override;

    void SetTimeStep(double step) { m_timeStep = step; }
    void SetNumberOfPoints(int points) { m_numberOfPoints = points; }
    double GetTimeStep() const { return m_timeStep; }
    int GetNumberOfPoints() const { return m_numberOfPoints; }

    // Puts the values into the controls; exec() does it too.
    void InitDialog();
    int exec() override;
    int DoModal() { return exec(); }
    // Runs the checks of OK; the dialog ends with Accepted only when they pass.
    void accept() override;

private:
    void OnTimeStepRadio();
    void OnPointsRadio();
    bool ReadTimeStep();
    bool ReadNumberOfPoints();

    double m_timeStep = 0.0;
    int m_numberOfPoints = 1;
    double m_shownStep = 0.0; // the step the edit was filled with
    QString m_shownStepText;  // and its text
    int m_shownPoints = 1;    // the number of points the edit was filled with
    CNEdit *m_stepEdit = nullptr;
    CNEdit *m_pointsEdit = nullptr;
    QRadioButton *m_stepRadio = nullptr;
    QRadioButton *m_pointsRadio = nullptr;
    CPPToolTip *m_toolTip = nullptr;
};

} // namespace kxres
