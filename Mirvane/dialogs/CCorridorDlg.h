#pragma once

// Edits the corridor size; only a positive size is taken.

#include <QDialog>

class QLineEdit;

namespace mirvane {

class CCorridorDlg : public QDialog {
    Q_OBJECT
public:
    explicit CCorridorDlg(QWidget *parent = nullptr);
    void SetSize(double size);
    double Size() const { return m_size; }
    QLineEdit *Edit() const { return m_edit; }
    void accept() override;

private:
    double m_size = 4.0;
    QLineEdit *m_edit = nullptr;
};

} // namespace mirvane
