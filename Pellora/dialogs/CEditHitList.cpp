#include "Pellora/dialogs/CEditHitList.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace pellora {

CEditHitList::CEditHitList(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Edit the Hitlist File Names"));
    m_edit = new QPlainTextEdit(this);
    m_edit->setObjectName(QStringLiteral("names"));
    m_edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CEditHitList::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_edit, 1);
    layout->addWidget(buttons);
    resize(600, 400);
}

void CEditHitList::SetNames(const QStringList &names)
{
    m_names = names;
    QString text;
    for (const QString &name : names)
        text += name + QLatin1Char('\n');
    m_edit->setPlainText(text);
}

QStringList CEditHitList::LinesOf(const QString &text)
{
    QStringList lines;
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        lines << line.left(MaxLineLength);
    }
    return lines;
}

void CEditHitList::accept()
{
    m_names = LinesOf(m_edit->toPlainText());
    QDialog::accept();
}

} // namespace pellora
