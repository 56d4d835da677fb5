#include "Pellora/dialogs/CResampleDlg.h"

#include "shared_ui/dialogs/DialogWarning.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace pellora {

CResampleDlg::CResampleDlg(QWidget *parent)
    : QDialog(parent)
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
    connect(buttons, &QDialogButtonBox::accepted, this, &CResampleDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_stepRadio, &QRadioButton::toggled, this, [this](bool on) { ChooseTimeStep(on); });
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    ChooseTimeStep(true);
}

void CResampleDlg::SetValues(float step, int points, double duration)
{
    m_step = step;
    m_points = points;
    m_duration = duration;
    if (step > 0.0f && points >= 2 && !(duration > 0.0))
        m_duration = (points - 1) * static_cast<double>(step);
    m_stepEdit->setText(QString::number(static_cast<double>(step), 'g', 7));
    m_pointsEdit->setText(QString::number(points));
}

void CResampleDlg::ChooseTimeStep(bool byStep)
{
    m_byStep = byStep;
    if (m_stepRadio->isChecked() != byStep)
        (byStep ? m_stepRadio : m_pointsRadio)->setChecked(true);
    m_stepEdit->setEnabled(byStep);
    m_pointsEdit->setEnabled(!byStep);
}

bool CResampleDlg::Complete(bool byStep, double duration, float &step, int &points)
{
    if (byStep) {
        if (!(step > 0.0f))
            return false;
        const double count = duration / static_cast<double>(step) + 0.99;
        if (!std::isfinite(count) || count > std::numeric_limits<int>::max())
            return false;
        points = static_cast<int>(count);
    } else {
        if (points <= 0)
            return false;
        step = static_cast<float>(duration / points);
    }
    return step > 0.0f && points > 1;
}

void CResampleDlg::accept()
{
    bool okStep = false;
    bool okPoints = false;
    float step = m_stepEdit->text().trimmed().toFloat(&okStep);
    int points = m_pointsEdit->text().trimmed().toInt(&okPoints);
    const bool valid = (m_byStep ? okStep : okPoints) && Complete(m_byStep, m_duration, step, points);
    if (!valid) {
        kxres::Warn(this, QStringLiteral("Invalid Entry - Try Again"));
        return;
    }
    m_step = step;
    m_points = points;
    QDialog::accept();
}

} // namespace pellora
