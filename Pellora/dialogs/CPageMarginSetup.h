#pragma once

// The four print margins, as typed, and their unit (inches or centimetres).

#include "Pellora/document/IPelloraUi.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLineEdit;

namespace pellora {

class CPageMarginSetup : public QDialog {
    Q_OBJECT
public:
    explicit CPageMarginSetup(QWidget *parent = nullptr);

    void SetMargins(const CPageMarginValues &margins);
    CPageMarginValues GetMargins() const { return m_margins; }
    // The texts as shown: left, right, top, bottom.
    std::array<QString, 4> Texts() const;
    void SetUnit(int unit);

    void OnDefault();
    void OnZeroMargin();
    void accept() override;

private:
    void OnUnitChanged(int unit);

    CPageMarginValues m_margins;
    int m_shownUnit = 0;
    QLineEdit *m_left = nullptr;
    QLineEdit *m_right = nullptr;
    QLineEdit *m_top = nullptr;
    QLineEdit *m_bottom = nullptr;
    QComboBox *m_unit = nullptr;
};

} // namespace pellora
