#include "shared_ui/services/CErrorDialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace kxres {

CErrorDialog::CErrorDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Error and Warning Messages"));
    m_edit = new QPlainTextEdit(this);
    m_edit->setObjectName(QStringLiteral("messages"));
    m_edit->setReadOnly(true);
    // Long messages (paths) wrap at the window's edge.
    m_edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_edit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_edit, 1);
    layout->addWidget(buttons);
    resize(520, 300);
    InitDialog();
}

void CErrorDialog::SetMessages(std::vector<std::string> messages)
{
    if (messages.empty())
        return;
    m_text.clear();
    m_messages = std::move(messages);
    InitDialog();
}

QString CErrorDialog::MessageText() const
{
    if (!m_text.isEmpty())
        return m_text;
    if (m_messages.empty())
        return QStringLiteral("No Error Messages:");
    QString text;
    for (const std::string &message : m_messages) {
        QString line = QString::fromStdString(message);
        line.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text += line + QLatin1Char('\n');
    }
    return text;
}

void CErrorDialog::InitDialog()
{
    m_edit->setPlainText(MessageText());
}

} // namespace kxres
