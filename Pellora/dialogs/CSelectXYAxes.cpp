#include "Pellora/dialogs/CSelectXYAxes.h"

#include "shared_ui/dialogs/DialogWarning.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pellora {

CSelectXYAxes::CSelectXYAxes(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Select X- and Y-axes"));
    m_x = new QLabel(this);
    m_x->setObjectName(QStringLiteral("xAxis"));
    m_y = new QLabel(this);
    m_y->setObjectName(QStringLiteral("yAxis"));
    auto *swap = new QPushButton(QStringLiteral("Click here to change X- and Y- axes"), this);
    swap->setObjectName(QStringLiteral("swap"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSelectXYAxes::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(swap, &QPushButton::clicked, this, &CSelectXYAxes::Swap);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_x);
    layout->addWidget(m_y);
    layout->addWidget(swap);
    layout->addWidget(buttons);
    Show();
}

void CSelectXYAxes::SetSignals(const QString &name1, const QString &units1, const QString &name2, const QString &units2)
{
    m_names[0] = name1;
    m_names[1] = name2;
    m_units[0] = units1;
    m_units[1] = units2;
    m_swapped = false;
    Show();
}

void CSelectXYAxes::Swap()
{
    m_swapped = !m_swapped;
    Show();
}

QString CSelectXYAxes::XText() const
{
    return m_x->text();
}

QString CSelectXYAxes::YText() const
{
    return m_y->text();
}

void CSelectXYAxes::Show()
{
    const int x = GetXIndex();
    m_x->setText(QStringLiteral("X-AXIS: ") + m_names[x]);
    m_y->setText(QStringLiteral("Y-AXIS: ") + m_names[1 - x]);
}

QString CSelectXYAxes::WarningFor(const QString &units1, const QString &units2)
{
    if (units1 != units2)
        return QStringLiteral("Two Siganls have different X-units: ") + units1 + QStringLiteral(", ") + units2;
    // "SEC" and "SECONDS" are both time.
    if (!units1.trimmed().toUpper().startsWith(QLatin1String("SEC")))
        return QStringLiteral("X-units of seleted signals are not time.");
    return {};
}

void CSelectXYAxes::accept()
{
    const QString warning = WarningFor(m_units[0], m_units[1]);
    if (!warning.isEmpty())
        kxres::Warn(this, warning);
    QDialog::accept();
}

} // namespace pellora
