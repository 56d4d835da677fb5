#include "HIC/dialogs/CLabelDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>

namespace hic {

CLabelDlg::CLabelDlg(QWidget *parent)
    : QDialog(parent)
    , m_title(new QLineEdit(this))
    , m_subtitle(new QLineEdit(this))
    , m_xLabel(new QLineEdit(this))
    , m_yLabel(new QLineEdit(this))
{
    setWindowTitle(QStringLiteral("Enter Lables for the Plot"));
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("Plot Title"), m_title);
    form->addRow(QStringLiteral("SubTitle"), m_subtitle);
    form->addRow(QStringLiteral("X Axis Label"), m_xLabel);
    form->addRow(QStringLiteral("Y Axis Label"), m_yLabel);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    m_title->setMinimumWidth(360);
}

void CLabelDlg::SetLabels(const PlotLabels &labels)
{
    m_title->setText(QString::fromStdString(labels.title));
    m_subtitle->setText(QString::fromStdString(labels.subtitle));
    m_xLabel->setText(QString::fromStdString(labels.xLabel));
    m_yLabel->setText(QString::fromStdString(labels.yLabel));
}

PlotLabels CLabelDlg::Labels() const
{
    return {m_title->text().toStdString(), m_subtitle->text().toStdString(), m_xLabel->text().toStdString(),
            m_yLabel->text().toStdString()};
}

} // namespace hic
