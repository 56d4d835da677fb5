#include "HIC/dialogs/CWindowSize.h"

#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/kit/NumberParser.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace hic {

CWindowSize::CWindowSize(double windowMs, QWidget *parent)
    : QDialog(parent)
    , m_window(windowMs)
    , m_listRadio(new QRadioButton(QStringLiteral("Select HIC Window Size"), this))
    , m_customRadio(new QRadioButton(QStringLiteral("Enter Custom Window Size"), this))
    , m_list(new QComboBox(this))
    , m_edit(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Enter Window Size"));
    m_list->addItems({QStringLiteral("36 millisec"), QStringLiteral("15 millisec"), QStringLiteral("UnWindowed")});
    m_list->setCurrentIndex(windowMs == 36.0 ? 0 : windowMs == 15.0 ? 1 : 2);
    m_edit->setText(QString::number(windowMs, 'g', 10));
    m_listRadio->setChecked(true);
    auto *grid = new QGridLayout(this);
    grid->addWidget(m_listRadio, 0, 0);
    grid->addWidget(m_list, 0, 1);
    grid->addWidget(m_customRadio, 1, 0);
    grid->addWidget(m_edit, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("(in milliseconds)"), this), 1, 2);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CWindowSize::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 2, 0, 1, 3);
    connect(m_listRadio, &QRadioButton::toggled, this, &CWindowSize::UpdateEnabling);
    UpdateEnabling();
}

void CWindowSize::UpdateEnabling()
{
    m_list->setEnabled(m_listRadio->isChecked());
    m_edit->setEnabled(!m_listRadio->isChecked());
}

void CWindowSize::accept()
{
    if (m_listRadio->isChecked()) {
        // "UnWindowed" is the search without a window.
        static const double windows[] = {36.0, 15.0, 0.0};
        m_window = windows[std::max(0, m_list->currentIndex()) % 3];
        QDialog::accept();
        return;
    }
    const std::optional<double> value = kxres::ParseDouble(m_edit->text());
    if (!value || *value <= 0.0) {
        kxres::Warn(this, QStringLiteral("Invalid Window Size Selected"));
        return;
    }
    // A window shorter than one sample interval holds no two samples to integrate over.
    if (*value < m_stepMs * (1.0 - 1.0e-9)) {
        kxres::Warn(this, QStringLiteral("Invalid Window Size Selected: it is shorter than one time step (%1 ms)")
                              .arg(m_stepMs, 0, 'g', 6));
        return;
    }
    m_window = *value;
    QDialog::accept();
}

} // namespace hic
