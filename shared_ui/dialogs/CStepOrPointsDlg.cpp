#include "shared_ui/dialogs/CStepOrPointsDlg.h"

#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/kit/NumberParser.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

namespace kxres {

CStepOrPointsDlg::CStepOrPointsDlg(Messages messages, QWidget *parent)
    : QDialog(parent)
    , m_messages(std::move(messages))
{
    setWindowTitle(QStringLiteral("Select Time Step or Number of Points"));
    m_stepRadio = new QRadioButton(QStringLiteral("Time Step"), this);
    m_stepRadio->setObjectName(QStringLiteral("byStep"));
    m_pointsRadio = new QRadioButton(QStringLiteral("Number of Points"), this);
    m_pointsRadio->setObjectName(QStringLiteral("byPoints"));
    m_stepEdit = new QLineEdit(this);
    m_stepEdit->setObjectName(QStringLiteral("step"));
    m_pointsEdit = new QLineEdit(this);
    m_pointsEdit->setObjectName(QStringLiteral("points"));
    auto *grid = new QGridLayout;
    grid->addWidget(m_stepRadio, 0, 0);
    grid->addWidget(m_stepEdit, 0, 1);
    grid->addWidget(m_pointsRadio, 1, 0);
    grid->addWidget(m_pointsEdit, 1, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CStepOrPointsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_stepRadio, &QRadioButton::toggled, this, [this](bool on) { ChooseTimeStep(on); });
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    ChooseTimeStep(true);
}

void CStepOrPointsDlg::SetStepOrPoints(const CStepOrPoints &values, double duration)
{
    m_values = values;
    m_duration = duration;
    m_stepEdit->setText(QString::number(values.step, 'g', 7));
    m_pointsEdit->setText(QString::number(values.points));
}

void CStepOrPointsDlg::ChooseTimeStep(bool byStep)
{
    m_byStep = byStep;
    if (m_stepRadio->isChecked() != byStep)
        (byStep ? m_stepRadio : m_pointsRadio)->setChecked(true);
    m_stepEdit->setEnabled(byStep);
    m_pointsEdit->setEnabled(!byStep);
    (byStep ? m_stepEdit : m_pointsEdit)->setFocus();
}

void CStepOrPointsDlg::accept()
{
    CStepOrPoints values = m_values;
    bool typed = false;
    if (m_byStep) {
        if (const auto step = ParseDouble(m_stepEdit->text())) {
            values.step = HeldStep(*step);
            typed = true;
        }
    } else if (const auto points = ParseInt(m_pointsEdit->text())) {
        values.points = *points;
        typed = true;
    }
    if (typed && CompleteStepOrPoints(m_byStep, m_duration, values) == StepOrPointsFault::None) {
        values.step = HeldStep(values.step);
        if (values.step > 0.0 && std::isfinite(values.step)) {
            m_values = values;
            QDialog::accept();
            return;
        }
    }
    Warn(this, m_byStep ? m_messages.badStep : m_messages.badPoints);
    (m_byStep ? m_stepEdit : m_pointsEdit)->setFocus();
}

} // namespace kxres
