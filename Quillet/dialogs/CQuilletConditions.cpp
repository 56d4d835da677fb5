#include "Quillet/dialogs/CQuilletConditions.h"

#include "Quillet/dialogs/CNeckOptionBoxes.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace quillet {

CQuilletConditions::CQuilletConditions(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Check Process Condition"));
    m_boxes = new CNeckOptionBoxes(true, this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_boxes);
    layout->addWidget(buttons);
}

void CQuilletConditions::SetOptions(const CNeckOptions &options)
{
    m_boxes->SetOptions(options);
}

CNeckOptions CQuilletConditions::GetOptions() const
{
    return m_boxes->GetOptions();
}

} // namespace quillet
