#pragma once

// The condyle offset typed by the user, in metres.

#include <QDialog>

class QLineEdit;

namespace quillet {

class CCondylleDlg : public QDialog {
    Q_OBJECT
public:
    explicit CCondylleDlg(QWidget *parent = nullptr);
    void SetOffset(double offset);
    double GetOffset() const { return m_offset; }
    QLineEdit *Edit() const { return m_edit; }
    // Takes a valid number and closes; warns and stays open otherwise.
    void accept() override;

private:
    QLineEdit *m_edit = nullptr;
    double m_offset = 0.0;
};

} // namespace quillet
