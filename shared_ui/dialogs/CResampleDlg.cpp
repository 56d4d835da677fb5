#include "shared_ui/dialogs/CResampleDlg.h"

#include "shared_ui/controls/CNEdit.h"
#include "shared_ui/controls/CPPToolTip.h"
#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/header/TextFunctions.h"
#include "shared_ui/kit/NumberParser.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace kxres {

namespace {

QString ShownText(double value)
{
    return QString::fromStdString(DoubleToText(value));
}

} // namespace

CResampleDlg::CResampleDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Select Time Step or Number of Points"));
    m_stepRadio = new QRadioButton(QStringLiteral("Time Step:"), this);
    m_stepRadio->setObjectName(QStringLiteral("timeStepRadio"));
    m_stepRadio->setAutoExclusive(false);
    m_pointsRadio = new QRadioButton(QStringLiteral("Number of Points:"), this);
    m_pointsRadio->setObjectName(QStringLiteral("pointsRadio"));
    m_pointsRadio->setAutoExclusive(false);
    m_stepEdit = new CNEdit(this);
    m_stepEdit->setObjectName(QStringLiteral("timeStep"));
    m_stepEdit->SetDoubleRange(0.0, std::numeric_limits<double>::max(), true);
    m_pointsEdit = new CNEdit(this);
    m_pointsEdit->setObjectName(QStringLiteral("numberOfPoints"));
    m_pointsEdit->SetIntRange(1, std::numeric_limits<int>::max(), true);
    m_toolTip = new CPPToolTip(this);
    m_toolTip->Create(this);
    m_toolTip->AddTool(m_stepEdit, QStringLiteral("Please enter a Time Step greater then zero."));
    m_toolTip->AddTool(m_pointsEdit, QStringLiteral("Please enter the number of points greater then one."));

    auto *grid = new QGridLayout;
    grid->addWidget(m_stepRadio, 0, 0);
    grid->addWidget(m_stepEdit, 0, 1);
    grid->addWidget(m_pointsRadio, 1, 0);
    grid->addWidget(m_pointsEdit, 1, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &CResampleDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_stepRadio, &QRadioButton::clicked, this, [this] { Guarded(this, [this] { OnTimeStepRadio(); }); });
    connect(m_pointsRadio, &QRadioButton::clicked, this, [this] { Guarded(this, [this] { OnPointsRadio(); }); });
}

CResampleDlg::~CResampleDlg() = default;

void CResampleDlg::InitDialog()
{
    m_shownStep = m_timeStep;
    m_shownPoints = m_numberOfPoints;
    m_shownStepText = ShownText(m_timeStep);
    m_stepEdit->setText(m_shownStepText);
    m_pointsEdit->setText(QString::number(m_numberOfPoints));
    OnTimeStepRadio();
}

int CResampleDlg::exec()
{
    InitDialog();
    return QDialog::exec();
}

void CResampleDlg::OnTimeStepRadio()
{
    m_stepRadio->setChecked(true);
    m_pointsRadio->setChecked(false);
    m_stepEdit->setEnabled(true);
    m_pointsEdit->setEnabled(false);
}

void CResampleDlg::OnPointsRadio()
{
    m_pointsRadio->setChecked(true);
    m_stepRadio->setChecked(false);
    m_pointsEdit->setEnabled(true);
    m_stepEdit->setEnabled(false);
}

bool CResampleDlg::ReadTimeStep()
{
    const QString text = m_stepEdit->text().trimmed();
    const auto refuse = [this](const QString &message) {
        Warn(this, message);
        m_timeStep = 0.0;
        m_stepEdit->setFocus();
        return false;
    };
    if (text.isEmpty())
        return refuse(QStringLiteral("The Time Step is emtpy.  Please enter a valid Time Step"));
    // The text shown was rounded to 6 digits: left as it was, it stands for the preset step.
    double value = m_shownStep;
    if (text != m_shownStepText || !std::isfinite(m_shownStep)) {
        QString why;
        const auto parsed = ParseDouble(text, &why);
        if (!parsed)
            return refuse(QStringLiteral("Failure to convert Time Step: ") + text + QLatin1Char('\n') + why);
        value = *parsed;
    }
    m_timeStep = value;
    if (value <= 0.0)
        return refuse(QStringLiteral("Time Step: ") + ShownText(value) +
                      QStringLiteral(" needs to be greater then zero."));
    return true;
}

bool CResampleDlg::ReadNumberOfPoints()
{
    const QString text = m_pointsEdit->text().trimmed();
    const auto refuse = [this](const QString &message) {
        Warn(this, message);
        m_numberOfPoints = 1;
        m_pointsEdit->setFocus();
        return false;
    };
    if (text.isEmpty())
        return refuse(QStringLiteral("The Number of Points is emtpy.  Please enter a valid Number of Points."));
    QString why;
    const auto parsed = ParseInt(text, &why);
    if (!parsed)
        return refuse(QStringLiteral("Failure to convert Number of Points: ") + text + QLatin1Char('\n') + why);
    m_numberOfPoints = *parsed;
    if (*parsed < 2)
        return refuse(QStringLiteral("Number of Points: ") + QString::number(*parsed) +
                      QStringLiteral(" needs to be greater then one."));
    return true;
}

void CResampleDlg::accept()
{
    Guarded(this, [this] {
        if (m_stepRadio->isChecked()) {
            if (!ReadTimeStep())
                return;
            // A number of points refused earlier is not the caller's.
            m_numberOfPoints = m_shownPoints;
        } else if (m_pointsRadio->isChecked()) {
            if (!ReadNumberOfPoints())
                return;
            m_timeStep = m_shownStep;
        }
        QDialog::accept();
    });
}

} // namespace kxres
