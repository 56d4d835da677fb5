#include "Pellora/dialogs/CBiasTailPercentDlg.h"

#include "shared_ui/kit/NumberParser.h"

#include "shared_ui/dialogs/DialogWarning.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace pellora {

CBiasTailPercentDlg::CBiasTailPercentDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Remove Bias from Tail"));
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("percentage"));
    m_end = new QRadioButton(QStringLiteral("Points at the end of the signal"), this);
    m_end->setObjectName(QStringLiteral("fromEnd"));
    m_start = new QRadioButton(QStringLiteral("Points at the start of the signal"), this);
    m_start->setObjectName(QStringLiteral("fromStart"));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Percentage of points"), m_edit);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CBiasTailPercentDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_end);
    layout->addWidget(m_start);
    layout->addWidget(buttons);
    SetPercentage(m_percent);
    SetFromStart(m_fromStart);
}

void CBiasTailPercentDlg::SetPercentage(double percent)
{
    m_percent = percent;
    m_edit->setText(QString::number(percent));
}

void CBiasTailPercentDlg::SetFromStart(int fromStart)
{
    m_fromStart = fromStart ? 1 : 0;
    (m_fromStart ? m_start : m_end)->setChecked(true);
}

void CBiasTailPercentDlg::accept()
{
    const std::optional<double> value = kxres::ParseDouble(m_edit->text());
    const double percent = value.value_or(-1.0);
    if (!value || !IsValidPercentage(percent)) {
        kxres::Warn(this, QStringLiteral("Percentage must be between 0 and 100"));
        return;
    }
    m_percent = percent;
    m_fromStart = m_start->isChecked() ? 1 : 0;
    QDialog::accept();
}

} // namespace pellora
