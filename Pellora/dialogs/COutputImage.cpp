#include "Pellora/dialogs/COutputImage.h"

#include "Pellora/document/CPelloraDoc.h"
#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/kit/NumberParser.h"
#include "platform/CSettings.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pellora {

COutputImage::COutputImage(kxplatform::CSettings &settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
{
    setWindowTitle(QStringLiteral("Select Image Name and Size"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("fileName"));
    m_name->setMinimumWidth(340);
    auto *browse = new QPushButton(QStringLiteral("..."), this);
    browse->setObjectName(QStringLiteral("browse"));
    m_widthEdit = new QLineEdit(this);
    m_widthEdit->setObjectName(QStringLiteral("width"));
    m_heightEdit = new QLineEdit(this);
    m_heightEdit->setObjectName(QStringLiteral("height"));
    auto *row = new QHBoxLayout;
    row->addWidget(m_name, 1);
    row->addWidget(browse);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Output File Name"), row);
    form->addRow(QStringLiteral("Width (pixels)"), m_widthEdit);
    form->addRow(QStringLiteral("Height (pixels)"), m_heightEdit);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &COutputImage::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(browse, &QPushButton::clicked, this, &COutputImage::OnBrowse);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    SetImageSize(m_width, m_height);
}

void COutputImage::SetFileName(const QString &name)
{
    m_fileName = name;
    m_name->setText(name);
}

void COutputImage::SetImageSize(int width, int height)
{
    m_width = width;
    m_height = height;
    m_widthEdit->setText(QString::number(width));
    m_heightEdit->setText(QString::number(height));
}

QString COutputImage::CheckSize(int width, int height)
{
    if (width < 32 || width > 2000 || height < 32 || height > 2000)
        return QStringLiteral("Pixel Size must be between 32 and 2000");
    const double aspect = static_cast<double>(width) / height;
    if (aspect < 0.333 || aspect > 10.0)
        return QStringLiteral("Aspect Ratio (width/height) must be between .333 and 10.0");
    return {};
}

void COutputImage::OnBrowse()
{
    const QString folder = QString::fromStdString(m_settings.GetString("OutputDir", CPelloraDoc::DefaultOutputDir()));
    // The save itself asks before it replaces a file, once, for the name it really writes.
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Select Image Name"), folder, QString(),
                                                      nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return;
    m_name->setText(path);
    m_settings.SetString("OutputDir", (QFileInfo(path).absolutePath() + QLatin1Char('/')).toStdString());
    m_settings.Sync();
}

void COutputImage::accept()
{
    const std::optional<int> typedWidth = kxres::ParseInt(m_widthEdit->text());
    const std::optional<int> typedHeight = kxres::ParseInt(m_heightEdit->text());
    const int width = typedWidth.value_or(0);
    const int height = typedHeight.value_or(0);
    const QString problem = (typedWidth && typedHeight) ? CheckSize(width, height)
                                                        : QStringLiteral("Pixel Size must be between 32 and 2000");
    if (!problem.isEmpty()) {
        kxres::Warn(this, problem);
        return;
    }
    m_width = width;
    m_height = height;
    m_fileName = m_name->text().trimmed();
    QDialog::accept();
}

} // namespace pellora
