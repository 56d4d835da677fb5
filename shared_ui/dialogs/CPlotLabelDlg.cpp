#include "shared_ui/dialogs/CPlotLabelDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kxres {

CPlotLabelDlg::CPlotLabelDlg(const QString &caption, const CPlotLabelNames &names, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(caption);
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
    form->addRow(names.title, m_title);
    form->addRow(names.subTitle, m_subTitle);
    form->addRow(names.xLabel, m_xLabel);
    form->addRow(names.yLabel, m_yLabel);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CPlotLabelDlg::SetLabels(const CPlotLabels &labels)
{
    m_title->setText(QString::fromStdString(labels.title));
    m_subTitle->setText(QString::fromStdString(labels.subTitle));
    m_xLabel->setText(QString::fromStdString(labels.xLabel));
    m_yLabel->setText(QString::fromStdString(labels.yLabel));
}

CPlotLabels CPlotLabelDlg::Labels() const
{
    return {m_title->text().toStdString(), m_subTitle->text().toStdString(), m_xLabel->text().toStdString(),
            m_yLabel->text().toStdString()};
}

} // namespace kxres
