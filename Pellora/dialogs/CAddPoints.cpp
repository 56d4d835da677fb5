#include "Pellora/dialogs/CAddPoints.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

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
    m_first = new QSpinBox(this);
    m_first->setObjectName(QStringLiteral("atFirst"));
    m_last = new QSpinBox(this);
    m_last->setObjectName(QStringLiteral("atLast"));
    for (QSpinBox *box : {m_first, m_last})
        box->setRange(-std::numeric_limits<int>::max() / 2, std::numeric_limits<int>::max() / 2);
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("message"));

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("No. of first points"), m_firstPoints);
    form->addRow(QStringLiteral("No. of last points"), m_lastPoints);
    form->addRow(QStringLiteral("Padding(+)/Cutting(-) points at first"), m_first);
    form->addRow(QStringLiteral("Padding(+)/Cutting(-) points at last"), m_last);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAddPoints::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_message);
    layout->addWidget(buttons);

    connect(m_first, &QSpinBox::valueChanged, this, &CAddPoints::OnCountChanged);
    connect(m_last, &QSpinBox::valueChanged, this, &CAddPoints::OnCountChanged);
    OnCountChanged();
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
    m_first->setValue(atFirst);
    m_last->setValue(atLast);
    OnCountChanged();
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
    m_atFirst = m_first->value();
    m_atLast = m_last->value();
    // The texts write one ampersand as "&&", as a mnemonic label would.
    m_message->setText(Message(m_atFirst, m_atLast).replace(QStringLiteral("&&"), QStringLiteral("&")));
}

void CAddPoints::accept()
{
    OnCountChanged();
    m_unchanged = m_atFirst == m_openFirst && m_atLast == m_openLast;
    QDialog::accept();
}

} // namespace pellora
