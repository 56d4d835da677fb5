#include "Sorvelt/dialogs/CTruncateDlg.h"

#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/kit/NumberParser.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include <cmath>

namespace sorvelt {

CTruncateDlg::CTruncateDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Select Signal Interval"));
    m_startEdit = new QLineEdit(this);
    m_startEdit->setObjectName(QStringLiteral("start"));
    m_stopEdit = new QLineEdit(this);
    m_stopEdit->setObjectName(QStringLiteral("stop"));
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Start Time in seconds"), m_startEdit);
    form->addRow(QStringLiteral("Stop Time in seconds"), m_stopEdit);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTruncateDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CTruncateDlg::SetInterval(double start, double stop)
{
    m_start = static_cast<float>(start);
    m_stop = static_cast<float>(stop);
    m_startEdit->setText(QString::number(m_start, 'g', 7));
    m_stopEdit->setText(QString::number(m_stop, 'g', 7));
}

void CTruncateDlg::accept()
{
    QString why;
    const auto start = kxres::ParseDouble(m_startEdit->text(), &why);
    if (!start) {
        kxres::Warn(this, QStringLiteral("Start Time: ") + why);
        m_startEdit->setFocus();
        return;
    }
    const auto stop = kxres::ParseDouble(m_stopEdit->text(), &why);
    if (!stop) {
        kxres::Warn(this, QStringLiteral("Stop Time: ") + why);
        m_stopEdit->setFocus();
        return;
    }
    // Single precision, as the times are kept.
    const double a = static_cast<float>(*start);
    const double b = static_cast<float>(*stop);
    if (!(b > a) || !std::isfinite(a) || !std::isfinite(b)) {
        kxres::Warn(this, QStringLiteral("The Stop Time must be after the Start Time."));
        m_stopEdit->setFocus();
        return;
    }
    m_start = a;
    m_stop = b;
    QDialog::accept();
}

} // namespace sorvelt
