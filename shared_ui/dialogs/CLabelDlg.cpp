#include "shared_ui/dialogs/CLabelDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kxres {

CLabelDlg::CLabelDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(m_caption);
    m_promptLabel = new QLabel(this);
    m_promptLabel->setObjectName(QStringLiteral("prompt"));
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("value"));
    m_edit->setMinimumWidth(360);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLabelDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_promptLabel);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
}

void CLabelDlg::InitDialog()
{
    setWindowTitle(m_caption);
    m_promptLabel->setText(m_prompt);
    m_promptLabel->setVisible(!m_prompt.isEmpty());
    m_edit->setText(m_value);
    m_edit->selectAll();
}

bool CLabelDlg::Edit(QWidget *parent, const std::string &caption, const std::string &prompt, std::string &value)
{
    CLabelDlg dlg(parent);
    dlg.SetCaption(QString::fromStdString(caption));
    dlg.SetPrompt(QString::fromStdString(prompt));
    dlg.SetValue(QString::fromStdString(value));
    if (dlg.exec() != QDialog::Accepted)
        return false;
    value = dlg.GetValue().toStdString();
    return true;
}

int CLabelDlg::exec()
{
    InitDialog();
    return QDialog::exec();
}

void CLabelDlg::accept()
{
    m_value = m_edit->text();
    QDialog::accept();
}

} // namespace kxres
