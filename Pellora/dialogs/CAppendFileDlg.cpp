#include "Pellora/dialogs/CAppendFileDlg.h"

#include <QCheckBox>
#include <QGridLayout>

namespace pellora {

CAppendFileDlg::CAppendFileDlg(QWidget *parent, const QString &caption, const QString &folder, const QString &filter)
    : QFileDialog(parent, caption, folder, filter)
{
    // The check box needs the dialog's own widgets, not the platform's dialog.
    setOption(QFileDialog::DontUseNativeDialog, true);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    m_box = new QCheckBox(QStringLiteral("Append to end of existing File"), this);
    m_box->setObjectName(QStringLiteral("append"));
    if (auto *grid = qobject_cast<QGridLayout *>(layout()))
        grid->addWidget(m_box, grid->rowCount(), 0, 1, grid->columnCount());
    connect(m_box, &QCheckBox::toggled, this, &CAppendFileDlg::SetAppend);
}

void CAppendFileDlg::SetAppend(bool append)
{
    m_append = append;
    if (m_box->isChecked() != append)
        m_box->setChecked(append);
    setOption(QFileDialog::DontConfirmOverwrite, append);
}

} // namespace pellora
