#include "Pellora/dialogs/CSignalLabelDlg.h"

#include "shared_ui/dialogs/CLabelDlg.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace pellora {

CSignalLabelDlg::CSignalLabelDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Double Click to Edit Signal Labels"));
    m_table = new QTableWidget(0, 2, this);
    m_table->setObjectName(QStringLiteral("labels"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->horizontalHeader()->setStretchLastSection(true);
    SetColumnTitles(QStringLiteral("Label"), QStringLiteral("Axis"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSignalLabelDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { OnDoubleClick(row); });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);
    resize(560, 300);
}

void CSignalLabelDlg::SetColumnTitles(const QString &nameColumn, const QString &labelColumn)
{
    m_table->setHorizontalHeaderLabels({nameColumn, labelColumn});
}

void CSignalLabelDlg::SetRows(const QStringList &names, const QStringList &labels)
{
    m_table->setRowCount(static_cast<int>(names.size()));
    m_labels.clear();
    for (int row = 0; row < names.size(); ++row) {
        m_table->setItem(row, 0, new QTableWidgetItem(names[row]));
        const QString label = row < labels.size() ? labels[row] : QString();
        m_table->setItem(row, 1, new QTableWidgetItem(label));
        m_labels << label;
    }
    m_table->resizeColumnToContents(0);
}

void CSignalLabelDlg::SetLabel(int row, const QString &text)
{
    if (row < 0 || row >= m_table->rowCount())
        return;
    m_table->item(row, 1)->setText(text);
}

void CSignalLabelDlg::OnDoubleClick(int row)
{
    if (row < 0 || row >= m_table->rowCount())
        return;
    kxres::CLabelDlg dlg(this);
    dlg.SetCaption(QStringLiteral("Signal Label"));
    dlg.SetPrompt(QStringLiteral("Enter Label"));
    dlg.SetValue(m_table->item(row, 1)->text());
    if (dlg.exec() == QDialog::Accepted)
        SetLabel(row, dlg.GetValue());
}

void CSignalLabelDlg::accept()
{
    m_labels.clear();
    for (int row = 0; row < m_table->rowCount(); ++row)
        m_labels << m_table->item(row, 1)->text();
    QDialog::accept();
}

} // namespace pellora
