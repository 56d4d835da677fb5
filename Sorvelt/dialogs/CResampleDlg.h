#pragma once

// "Select Time Step or Number of Points": Sorvelt's resampling dialog. The other
// value follows from the chosen one and the duration of the first curve.

#include "Sorvelt/document/ISorveltUi.h"

#include <QDialog>

class QLineEdit;
class QRadioButton;

namespace sorvelt {

class CResampleDlg : public QDialog {
    Q_OBJECT
public:
    explicit CResampleDlg(QWidget *parent = nullptr);

    void SetValues(const CResampleValues &values);
    const CResampleValues &GetValues() const { return m_values; }
    // 0 time step, 1 number of points.
    void ChooseMode(int mode);
    int Mode() const { return m_mode; }
    void accept() override;

private:
    CResampleValues m_values;
    int m_mode = 0;
    QRadioButton *m_stepRadio = nullptr;
    QRadioButton *m_pointsRadio = nullptr;
    QLineEdit *m_step = nullptr;
    QLineEdit *m_points = nullptr;
};

} // namespace sorvelt
