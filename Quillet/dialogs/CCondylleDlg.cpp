#include "Quillet/dialogs/CCondylleDlg.h"

#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/kit/NumberParser.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace quillet {

CCondylleDlg::CCondylleDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Enter Condyle Offset Distance"));
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("offset"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCondylleDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Condyle Correction Factor in meters"), this));
    layout->addWidget(m_edit);
    layout->addWidget(buttons);
    SetOffset(0.0);
}

void CCondylleDlg::SetOffset(double offset)
{
    m_offset = offset;
    m_edit->setText(QString::number(offset, 'g', 10));
}

void CCondylleDlg::accept()
{
    QString why;
    const std::optional<double> value = kxres::ParseDouble(m_edit->text(), &why);
    if (!value) {
        kxres::Warn(this, QStringLiteral("Condyle Correction Factor: ") + why);
        return;
    }
    m_offset = *value;
    QDialog::accept();
}

} // namespace quillet
