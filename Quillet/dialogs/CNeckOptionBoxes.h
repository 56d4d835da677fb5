#pragma once

// The six option check boxes of File Open and of the command-line conditions.

#include "Quillet/document/IQuilletUi.h"

#include <QWidget>

class QCheckBox;

namespace quillet {

class CNeckOptionBoxes : public QWidget {
    Q_OBJECT
public:
    // conditionsText: the command-line dialog's own wording of the first box.
    explicit CNeckOptionBoxes(bool conditionsText, QWidget *parent = nullptr);

    void SetOptions(const CNeckOptions &options);
    CNeckOptions GetOptions() const { return m_options; }

    QCheckBox *SaeCoordinates() const { return m_sae; }
    QCheckBox *RemoveBias() const { return m_bias; }
    QCheckBox *CheckUds() const { return m_check; }
    QCheckBox *SaeFilters() const { return m_filters; }
    QCheckBox *Advanced() const { return m_advanced; }
    QCheckBox *OutOfPosition() const { return m_oop; }

private:
    void Show();

    CNeckOptions m_options;
    QCheckBox *m_sae = nullptr;
    QCheckBox *m_bias = nullptr;
    QCheckBox *m_check = nullptr;
    QCheckBox *m_filters = nullptr;
    QCheckBox *m_advanced = nullptr;
    QCheckBox *m_oop = nullptr;
};

} // namespace quillet
