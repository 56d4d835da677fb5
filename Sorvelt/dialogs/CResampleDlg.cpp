#include "Sorvelt/dialogs/CResampleDlg.h"

#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/kit/NumberParser.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace sorvelt {

CResampleDlg::CResampleDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Select Time Step or Number of Points"));
    m_stepRadio = new QRadioButton(QStringLiteral("Time Step"), this);
    m_stepRadio->setObjectName(QStringLiteral("byStep"));
    m_pointsRadio = new QRadioButton(QStringLiteral("Number of Points"), this);
    m_pointsRadio->setObjectName(QStringLiteral("byPoints"));
    m_step = new QLineEdit(this);
    m_step->setObjectName(QStringLiteral("step"));
    m_points = new QLineEdit(this);
    m_points->setObjectName(QStringLiteral("points"));
    auto *grid = new QGridLayout;
    grid->addWidget(m_stepRadio, 0, 0);
    grid->addWidget(m_step, 0, 1);
    grid->addWidget(m_pointsRadio, 1, 0);
    grid->addWidget(m_points, 1, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CResampleDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_stepRadio, &QRadioButton::clicked, this, [this] { ChooseMode(0); });
    connect(m_pointsRadio, &QRadioButton::clicked, this, [this] { ChooseMode(1); });
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    ChooseMode(0);
}

void CResampleDlg::SetValues(const CResampleValues &values)
{
    m_values = values;
    m_step->setText(QString::number(values.step, 'g', 7));
    m_points->setText(QString::number(values.points));
}

void CResampleDlg::ChooseMode(int mode)
{
    m_mode = mode == 1 ? 1 : 0;
    m_stepRadio->setChecked(m_mode == 0);
    m_pointsRadio->setChecked(m_mode == 1);
    m_step->setEnabled(m_mode == 0);
    m_points->setEnabled(m_mode == 1);
    (m_mode == 0 ? m_step : m_points)->setFocus();
}

void CResampleDlg::accept()
{
    if (m_mode == 0) {
        const auto step = kxres::ParseDouble(m_step->text());
        const double count = step ? m_values.duration / *step + 0.99 : 0.0;
        // A step that gives fewer than two points or more than can be counted is refused too.
        if (!step || !(*step > 0.0) || !std::isfinite(count) || count < 2.0 ||
            count > double(std::numeric_limits<int>::max())) {
            kxres::Warn(this, QStringLiteral("Invalid Time Step Specified"));
            m_step->setFocus();
            return;
        }
        m_values.step = *step;
        m_values.points = static_cast<int>(count);
    } else {
        const auto points = kxres::ParseInt(m_points->text());
        if (!points || *points <= 0 || !(m_values.duration / *points > 0.0)) {
            kxres::Warn(this, QStringLiteral("Invalid Number of Points"));
            m_points->setFocus();
            return;
        }
        m_values.points = *points;
        m_values.step = m_values.duration / *points;
    }
    QDialog::accept();
}

} // namespace sorvelt
