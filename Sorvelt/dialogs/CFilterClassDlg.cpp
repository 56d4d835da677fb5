#include "Sorvelt/dialogs/CFilterClassDlg.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace sorvelt {

namespace {
constexpr int kClasses[] = {60, 180, 600, 1000};
}

CFilterClassDlg::CFilterClassDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Select Filter Class"));
    m_group = new QButtonGroup(this);
    auto *layout = new QVBoxLayout(this);
    for (int i = 0; i < 4; ++i) {
        auto *radio = new QRadioButton(QStringLiteral("CFC %1").arg(kClasses[i]), this);
        radio->setObjectName(QStringLiteral("cfc%1").arg(kClasses[i]));
        m_group->addButton(radio, i);
        layout->addWidget(radio);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CFilterClassDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    SetFilterClass(1000);
}

int CFilterClassDlg::ClassOfIndex(int index)
{
    return index >= 0 && index < 4 ? kClasses[index] : 0;
}

void CFilterClassDlg::SetFilterClass(int filterClass)
{
    m_filterClass = filterClass;
    m_group->setExclusive(false);
    for (int i = 0; i < 4; ++i)
        m_group->button(i)->setChecked(kClasses[i] == filterClass);
    m_group->setExclusive(true);
}

void CFilterClassDlg::accept()
{
    const int chosen = ClassOfIndex(m_group->checkedId());
    if (chosen == 0)
        return;
    m_filterClass = chosen;
    QDialog::accept();
}

} // namespace sorvelt
