#pragma once

// "Select Time Step or Number of Points" over a known duration: the user types one of
// the two, OK completes the other (CompleteStepOrPoints) and refuses, with the
// caller's message and the dialog left open, what the strict parser or the rule
// refuses.
//
// Controls by object name: "byStep" and "byPoints" (radio buttons), "step" and "points".

#include "shared_ui/kit/StepOrPoints.h"

#include <QDialog>
#include <QString>

class QLineEdit;
class QRadioButton;

namespace kxres {

class CStepOrPointsDlg : public QDialog {
    Q_OBJECT
public:
    // What OK says when the typed time step, respectively number of points, is refused.
    struct Messages {
        QString badStep;
        QString badPoints;
    };

    CStepOrPointsDlg(Messages messages, QWidget *parent = nullptr);

    void SetStepOrPoints(const CStepOrPoints &values, double duration);
    const CStepOrPoints &StepOrPoints() const { return m_values; }
    double Duration() const { return m_duration; }
    // Enables the step edit (true) or the points edit and focuses it.
    void ChooseTimeStep(bool byStep);
    bool IsTimeStepChosen() const { return m_byStep; }
    void accept() override;

protected:
    // The step as it will be held (a single-precision holder rounds it).
    virtual double HeldStep(double step) const { return step; }

private:
    Messages m_messages;
    CStepOrPoints m_values;
    double m_duration = 0.0;
    bool m_byStep = true;
    QRadioButton *m_stepRadio = nullptr;
    QRadioButton *m_pointsRadio = nullptr;
    QLineEdit *m_stepEdit = nullptr;
    QLineEdit *m_pointsEdit = nullptr;
};

} // namespace kxres
