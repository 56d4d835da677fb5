#pragma once

// One legend label per signal; a double click edits a row's label.

#include <QDialog>
#include <QStringList>

class QTableWidget;

namespace pellora {

class CSignalLabelDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSignalLabelDlg(QWidget *parent = nullptr);

    void SetColumnTitles(const QString &nameColumn, const QString &labelColumn);
    // One row per signal: its name and its label.
    void SetRows(const QStringList &names, const QStringList &labels);
    QStringList GetLabels() const { return m_labels; }
    // Writes text as the label of row (what the label dialog of a double click does).
    void SetLabel(int row, const QString &text);
    QTableWidget *Table() const { return m_table; }

    void accept() override;

private:
    void OnDoubleClick(int row);

    QStringList m_labels;
    QTableWidget *m_table = nullptr;
};

} // namespace pellora
