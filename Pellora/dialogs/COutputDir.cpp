#include "Pellora/dialogs/COutputDir.h"

#include "Pellora/document/CPelloraDoc.h"
#include "platform/CSettings.h"
#include "shared_ui/services/CDestination.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pellora {

COutputDir::COutputDir(kxplatform::CSettings &settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
{
    setWindowTitle(QStringLiteral("Select a directory to save image files"));
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("folder"));
    m_edit->setMinimumWidth(380);
    auto *browse = new QPushButton(QStringLiteral(". . ."), this);
    browse->setObjectName(QStringLiteral("browse"));
    m_sizes = new QComboBox(this);
    m_sizes->setObjectName(QStringLiteral("sizes"));
    m_label = new QLabel(QStringLiteral("Select the Default Image Size ( in pixels )"), this);
    m_label->setObjectName(QStringLiteral("sizeLabel"));
    auto *row = new QHBoxLayout;
    row->addWidget(m_edit, 1);
    row->addWidget(browse);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &COutputDir::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browse, &QPushButton::clicked, this, &COutputDir::OnBrowse);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Directory"), this));
    layout->addLayout(row);
    layout->addWidget(m_label);
    layout->addWidget(m_sizes);
    layout->addWidget(buttons);
    SetFolder(QString::fromStdString(m_settings.GetString("OutputDir", CPelloraDoc::DefaultOutputDir())));
}

void COutputDir::SetSizeLabel(const QString &label)
{
    m_label->setText(label);
}

void COutputDir::SetSizes(const QStringList &sizes)
{
    m_sizes->clear();
    m_sizes->addItems(sizes);
    SetSizeIndex(0);
}

void COutputDir::SetSizeIndex(int index)
{
    m_sizeIndex = index;
    m_sizes->setCurrentIndex(index);
}

void COutputDir::SetFolder(const QString &folder)
{
    m_folder = folder;
    m_edit->setText(folder);
}

void COutputDir::OnBrowse()
{
    QString folder = m_edit->text();
    if (CDestination::Choose(this, QStringLiteral("Select a directory to save image files"), folder))
        m_edit->setText(folder);
}

void COutputDir::accept()
{
    m_folder = m_edit->text().trimmed();
    m_sizeIndex = m_sizes->currentIndex();
    m_settings.SetString("OutputDir", m_folder.toStdString());
    m_settings.Sync();
    QDialog::accept();
}

} // namespace pellora
