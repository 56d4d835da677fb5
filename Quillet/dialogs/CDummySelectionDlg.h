#pragma once

// The measurement and the dummy chosen by hand when the header is not trusted.

#include "Quillet/document/IQuilletUi.h"

#include <QDialog>

#include <array>
#include <optional>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace quillet {

class CDummySelectionDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int Other = 6;

    CDummySelectionDlg(const NeckLoadCases &loadCases, QWidget *parent = nullptr);

    void SetChoice(const CDummyChoice &choice);
    CDummyChoice GetChoice() const { return m_choice; }
    // Refuses (Rejected at once) unless all six load cases are given.
    int exec() override;
    void accept() override;

    void OnMeasurement(int index);
    void OnDummy(int index);

    QComboBox *MeasurementCombo() const { return m_measurement; }
    QRadioButton *DummyRadio(int index) const { return m_radios.at(std::size_t(index)); }
    QLineEdit *CriticalEdit(int which) const { return which == 0 ? m_critical1 : m_critical2; }
    QLabel *CriticalLabel(int which) const { return which == 0 ? m_label1 : m_label2; }

private:
    // The two load cases of a measurement: first and second.
    std::array<KxNeck208 *, 2> Pair(int measurement) const;
    void StoreCodes();
    void ShowCriticalValues();
    // A typed critical value, or nothing after saying why, naming the field.
    std::optional<double> TypedCritical(QLineEdit *edit, const QString &name);

    NeckLoadCases m_loadCases;
    CDummyChoice m_choice;
    QComboBox *m_measurement = nullptr;
    QButtonGroup *m_group = nullptr;
    std::array<QRadioButton *, 7> m_radios{};
    QLineEdit *m_critical1 = nullptr;
    QLineEdit *m_critical2 = nullptr;
    QLabel *m_label1 = nullptr;
    QLabel *m_label2 = nullptr;
};

} // namespace quillet
