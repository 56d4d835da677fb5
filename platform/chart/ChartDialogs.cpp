#include "platform/chart/ChartDialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>

namespace kxchart {

CustomiseChartDialog::CustomiseChartDialog(const ChartContent &content, QWidget *parent)
    : QDialog(parent)
    , m_title(new QLineEdit(content.title, this))
    , m_subtitle(new QLineEdit(content.subtitle, this))
    , m_xLabel(new QLineEdit(content.xLabel, this))
    , m_yLabel(new QLineEdit(content.yLabel, this))
    , m_grid(new QCheckBox(QStringLiteral("Show grid"), this))
{
    setWindowTitle(QStringLiteral("Customize Graph"));
    m_grid->setChecked(content.grid);
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("Title"), m_title);
    form->addRow(QStringLiteral("Subtitle"), m_subtitle);
    form->addRow(QStringLiteral("X Axis Label"), m_xLabel);
    form->addRow(QStringLiteral("Y Axis Label"), m_yLabel);
    form->addRow(QString(), m_grid);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CustomiseChartDialog::apply(ChartContent &content) const
{
    content.title = m_title->text();
    content.subtitle = m_subtitle->text();
    content.xLabel = m_xLabel->text();
    content.yLabel = m_yLabel->text();
    content.grid = m_grid->isChecked();
}

QString chartSaveFilters()
{
    return QStringLiteral("PNG Image (*.png);;JPEG Image (*.jpg);;Bitmap (*.bmp);;PDF Document (*.pdf)");
}

ImageFormat formatForPath(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return ImageFormat::Jpeg;
    if (suffix == QLatin1String("bmp"))
        return ImageFormat::Bitmap;
    if (suffix == QLatin1String("pdf") || suffix == QLatin1String("wmf") || suffix == QLatin1String("emf"))
        return ImageFormat::Vector;
    return ImageFormat::Png;
}

} // namespace kxchart
