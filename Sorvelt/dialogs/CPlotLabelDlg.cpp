#include "Sorvelt/dialogs/CPlotLabelDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace sorvelt {

CPlotLabelDlg::CPlotLabelDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Enter the Labels for the Plot"));
    const auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setMinimumWidth(360);
        return e;
    };
    m_title = edit("title");
    m_subTitle = edit("subtitle");
    m_xLabel = edit("xLabel");
    m_yLabel = edit("yLabel");
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Title"), m_title);
    form->addRow(QStringLiteral("Subtitle"), m_subTitle);
    form->addRow(QStringLiteral("X Axis Label"), m_xLabel);
    form->addRow(QStringLiteral("Y Axis Label"), m_yLabel);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPlotLabelDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CPlotLabelDlg::SetLabels(const CPlotLabels &labels)
{
    m_labels = labels;
    m_title->setText(QString::fromStdString(labels.title));
    m_subTitle->setText(QString::fromStdString(labels.subTitle));
    m_xLabel->setText(QString::fromStdString(labels.xLabel));
    m_yLabel->setText(QString::fromStdString(labels.yLabel));
}

void CPlotLabelDlg::accept()
{
    m_labels.title = m_title->text().toStdString();
    m_labels.subTitle = m_subTitle->text().toStdString();
    m_labels.xLabel = m_xLabel->text().toStdString();
    m_labels.yLabel = m_yLabel->text().toStdString();
    QDialog::accept();
}

} // namespace sorvelt
