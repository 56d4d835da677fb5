#pragma once

// "Select Signal Interval": start and stop time in seconds.

#include <QDialog>

class QLineEdit;

namespace sorvelt {

class CTruncateDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTruncateDlg(QWidget *parent = nullptr);

    void SetInterval(double start, double stop);
    double GetStart() const { return m_start; }
    double GetStop() const { return m_stop; }
    void accept() override;

private:
    double m_start = 0.0;
    double m_stop = 0.0;
    QLineEdit *m_startEdit = nullptr;
    QLineEdit *m_stopEdit = nullptr;
};

} // namespace sorvelt
