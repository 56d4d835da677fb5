#pragma once

// The percentage of points at one end of a signal from which its offset is taken.

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace pellora {

class CBiasTailPercentDlg : public QDialog {
    Q_OBJECT
public:
    explicit CBiasTailPercentDlg(QWidget *parent = nullptr);

    void SetPercentage(double percent);
    double GetPercentage() const { return m_percent; }
    // 1: the points at the start of the signal, 0: those at its end.
    int GetFromStart() const { return m_fromStart; }
    void SetFromStart(int fromStart);

    static bool IsValidPercentage(double percent) { return percent >= 0.0 && percent <= 100.0; }
    void accept() override;

private:
    double m_percent = 5.0;
    int m_fromStart = 0;
    QLineEdit *m_edit = nullptr;
    QRadioButton *m_start = nullptr;
    QRadioButton *m_end = nullptr;
};

} // namespace pellora
