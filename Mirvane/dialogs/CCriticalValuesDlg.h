#pragma once

// Edits the six critical values of the pass/fail colouring.

#include "Mirvane/core/ResultColumns.h"

#include <QDialog>

#include <array>

class QLineEdit;

namespace kxres {

class CCriticalValuesDlg : public QDialog {
    Q_OBJECT
public:
    explicit CCriticalValuesDlg(QWidget *parent = nullptr);
    void SetValues(const mirvane::CCriticalValues &values);
    const mirvane::CCriticalValues &Values() const { return m_values; }
    // Edits in the order average residual, standard deviation, corridor,
    // correlation, T statistic, moment differences.
    QLineEdit *Edit(int index) const { return m_edits.at(static_cast<std::size_t>(index)); }
    void accept() override;

private:
    mirvane::CCriticalValues m_values{0, 0, 0, 0, 0, 0};
    std::array<QLineEdit *, 6> m_edits{};
};

} // namespace kxres
