#include "Pellora/dialogs/CAddPoints.h"

#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/kit/NumberParser.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace pellora {

CAddPoints::CAddPoints(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Padding and/or Cutting Points"));
    m_firstPoints = new QLineEdit(this);
    m_firstPoints->setObjectName(QStringLiteral("firstPoints"));
    m_firstPoints->setReadOnly(true);
    m_lastPoints = new QLineEdit(this);
    m_lastPoints->setObjectName(QStringLiteral("lastPoints"));
    m_lastPoints->setReadOnly(true);
    m_first = new QLineEdit(this);
    m_first->setObjectName(QStringLiteral("atFirst"));
    m_last = new QLineEdit(this);
    m_last->setObjectName(QStringLiteral("atLast"));
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("message"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("No. of first points"), m_firstPoints);
    form->addRow(QStringLiteral("No. of last points"), m_lastPoints);
    form->addRow(FirstLabel(), m_first);
    form->addRow(LastLabel(), m_last);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAddPoints::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_message);
    layout->addWidget(buttons);

    connect(m_first, &QLineEdit::textChanged, this, &CAddPoints::OnCountChanged);
    connect(m_last, &QLineEdit::textChanged, this, &CAddPoints::OnCountChanged);
    SetCounts(0, 0);
}

void CAddPoints::SetPoints(double step, std::int32_t nfp, std::int32_t nlp)
{
    m_step = step;
    m_nfp = nfp;
    m_nlp = nlp;
    m_firstPoints->setText(QString::number(nfp));
    m_lastPoints->setText(QString::number(nlp));
}

void CAddPoints::SetCounts(int atFirst, int atLast)
{
    m_openFirst = atFirst;
    m_openLast = atLast;
    m_first->setText(QString::number(atFirst));
    m_last->setText(QString::number(atLast));
    OnCountChanged();
}

QString CAddPoints::FirstLabel()
{
    return QStringLiteral("Padding(+)/Cutting(-) points at first");
}

QString CAddPoints::LastLabel()
{
    return QStringLiteral("Padding(+)/Cutting(-) points at last");
}

QString CAddPoints::Message(int a, int b)
{
    if (a > 0 && b > 0)
        return QStringLiteral("Padding at both begin && end");
    if (a < 0 && b < 0)
        return QStringLiteral("Cutting at both begin && end");
    if (a < 0 && b > 0)
        return QStringLiteral("Cutting at begin && padding at end");
    if (a > 0 && b < 0)
        return QStringLiteral("Padding at begin && cutting at end");
    if (a < 0)
        return QStringLiteral("Cutting at begin only");
    if (a > 0)
        return QStringLiteral("Padding at begin only");
    if (b < 0)
        return QStringLiteral("Cutting at end only");
    if (b > 0)
        return QStringLiteral("Padding at end only");
    return QStringLiteral("No Action");
}

QString CAddPoints::MessageText() const
{
    return m_message->text();
}

void CAddPoints::OnCountChanged()
{
    // A box that holds no whole number yet counts as no change.
    m_atFirst = kxres::ParseInt(m_first->text()).value_or(0);
    m_atLast = kxres::ParseInt(m_last->text()).value_or(0);
    // The texts write one ampersand as "&&", as a mnemonic label would.
    m_message->setText(Message(m_atFirst, m_atLast).replace(QStringLiteral("&&"), QStringLiteral("&")));
}

bool CAddPoints::ReadCount(QLineEdit *box, const QString &label, int &count)
{
    QString why;
    const std::optional<int> value = kxres::ParseInt(box->text(), &why);
    if (!value) {
        kxres::Warn(this, label + QStringLiteral(" \"") + box->text().trimmed() + QStringLiteral("\": ") + why);
        box->setFocus();
        box->selectAll();
        return false;
    }
    count = *value;
    return true;
}

void CAddPoints::accept()
{
    int first = 0;
    int last = 0;
    if (!ReadCount(m_first, FirstLabel(), first) || !ReadCount(m_last, LastLabel(), last))
        return;
    m_atFirst = first;
    m_atLast = last;
    m_unchanged = m_atFirst == m_openFirst && m_atLast == m_openLast;
    QDialog::accept();
}

} // namespace pellora
