#include "Mirvane/dialogs/CCorridorDlg.h"

#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/kit/NumberParser.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QVBoxLayout>

namespace mirvane {

CCorridorDlg::CCorridorDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Enter Corridor Size"));
    m_edit = new QLineEdit(this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCorridorDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
    SetSize(m_size);
}

void CCorridorDlg::SetSize(double size)
{
    m_size = size;
    m_edit->setText(QString::number(size, 'g', 10));
}

void CCorridorDlg::accept()
{
    QString why;
    const auto value = kxres::ParseDouble(m_edit->text(), &why);
    if (!value) {
        kxres::Warn(this, QStringLiteral("Corridor Size: ") + why);
        return;
    }
    if (!(*value > 0.0)) {
        kxres::Warn(this, QStringLiteral("You must enter a positive Value for the corridor Size"));
        return;
    }
    m_size = *value;
    QDialog::accept();
}

} // namespace mirvane
