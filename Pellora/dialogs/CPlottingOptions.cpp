#include "Pellora/dialogs/CPlottingOptions.h"

#include "shared_ui/services/CDestination.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace pellora {

CPlottingOptions::CPlottingOptions(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Options"));
    m_columnHeaders = new QCheckBox(QStringLiteral("Include Column Labels when Copying Data"), this);
    m_columnHeaders->setObjectName(QStringLiteral("columnHeaders"));
    m_saveZoom = new QCheckBox(QStringLiteral("Save Zoom Settings between  Plots"), this);
    m_saveZoom->setObjectName(QStringLiteral("saveZoom"));
    auto *group = new QGroupBox(QStringLiteral("Line Style"), this);
    auto *groupLayout = new QVBoxLayout(group);
    const char *texts[4] = {"Alternate Line Types", "Use Thin Solid LInes", "Use Medium Solid Lines",
                            "Use Thick Solid LInes"};
    for (std::size_t i = 0; i < m_styles.size(); ++i) {
        m_styles[i] = new QRadioButton(QLatin1String(texts[i]), group);
        m_styles[i]->setObjectName(QStringLiteral("style%1").arg(i));
        groupLayout->addWidget(m_styles[i]);
    }
    m_folder = new QLineEdit(this);
    m_folder->setObjectName(QStringLiteral("suiteDirectory"));
    m_folder->setMinimumWidth(340);
    auto *browse = new QPushButton(QStringLiteral(". . ."), this);
    browse->setObjectName(QStringLiteral("browse"));
    auto *row = new QHBoxLayout;
    row->addWidget(m_folder, 1);
    row->addWidget(browse);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPlottingOptions::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browse, &QPushButton::clicked, this, &CPlottingOptions::OnBrowse);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_columnHeaders);
    layout->addWidget(m_saveZoom);
    layout->addWidget(group);
    layout->addWidget(new QLabel(QStringLiteral("Directory for Brisca Applications"), this));
    layout->addLayout(row);
    layout->addWidget(buttons);
    SetOptions(m_options);
}

void CPlottingOptions::SetOptions(const CPlottingOptionValues &options)
{
    m_options = options;
    m_columnHeaders->setChecked(options.columnHeaders);
    m_saveZoom->setChecked(options.saveZoom);
    const int style = (options.lineStyle >= 0 && options.lineStyle < 4) ? options.lineStyle : 0;
    m_styles[static_cast<std::size_t>(style)]->setChecked(true);
    m_folder->setText(QString::fromStdString(options.suiteDirectory));
}

void CPlottingOptions::SetSuiteDirectoryText(const QString &folder)
{
    m_folder->setText(folder);
}

void CPlottingOptions::OnBrowse()
{
    QString folder = m_folder->text();
    if (CDestination::Choose(this, QStringLiteral("Select a folder to save all plots"), folder))
        m_folder->setText(folder);
}

void CPlottingOptions::accept()
{
    m_options.columnHeaders = m_columnHeaders->isChecked();
    m_options.saveZoom = m_saveZoom->isChecked();
    for (std::size_t i = 0; i < m_styles.size(); ++i) {
        if (m_styles[i]->isChecked())
            m_options.lineStyle = static_cast<int>(i);
    }
    m_options.suiteDirectory = m_folder->text().trimmed().toStdString();
    QDialog::accept();
}

} // namespace pellora
