#pragma once

// "Enter Window Size": 36 ms, 15 ms, unwindowed, or a custom window in ms.

#include <QDialog>

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace hic {

class CWindowSize : public QDialog {
    Q_OBJECT
public:
    explicit CWindowSize(double windowMs, QWidget *parent = nullptr);
    // The window chosen (ms); 0 for "UnWindowed".
    double Window() const { return m_window; }
    // The data's time step (ms): a custom window shorter than it is refused.
    void SetTimeStep(double stepMs) { m_stepMs = stepMs; }
    void accept() override;

    QRadioButton *ListRadio() const { return m_listRadio; }
    QRadioButton *CustomRadio() const { return m_customRadio; }
    QComboBox *List() const { return m_list; }
    QLineEdit *CustomEdit() const { return m_edit; }

private:
    void UpdateEnabling();

    double m_window;
    double m_stepMs = 0.0;
    QRadioButton *m_listRadio;
    QRadioButton *m_customRadio;
    QComboBox *m_list;
    QLineEdit *m_edit;
};

} // namespace hic
