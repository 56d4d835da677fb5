#pragma once

// Pellora's own time step or number of points dialog (the ImageExpress export).

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace pellora {

class CResampleDlg : public QDialog {
    Q_OBJECT
public:
    explicit CResampleDlg(QWidget *parent = nullptr);

    // Values before the dialog opens; the duration is derived when it is not positive.
    void SetValues(float step, int points, double duration);
    float GetStep() const { return m_step; }
    int GetPoints() const { return m_points; }
    double GetDuration() const { return m_duration; }
    bool IsTimeStepChosen() const { return m_byStep; }
    void ChooseTimeStep(bool byStep);

    // Completes the pair from the chosen value; false when it is no valid entry.
    static bool Complete(bool byStep, double duration, float &step, int &points);
    void accept() override;

private:
    float m_step = 0.0f;
    int m_points = 0;
    double m_duration = 0.0;
    bool m_byStep = true;
    QRadioButton *m_stepRadio = nullptr;
    QRadioButton *m_pointsRadio = nullptr;
    QLineEdit *m_stepEdit = nullptr;
    QLineEdit *m_pointsEdit = nullptr;
};

} // namespace pellora
