#include "Quillet/dialogs/CForceDlg.h"

#include "Quillet/dialogs/CNeckFileDlg.h"
#include "platform/CSettings.h"
#include "shared_ui/dialogs/DialogWarning.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillet {

namespace {

bool ChooseWithFileDialog(QWidget *parent, const QString &title, const QStringList &filters, int &filterIndex,
                          QString &path)
{
    QFileDialog dlg(parent, title);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setNameFilters(filters);
    if (filterIndex >= 1 && filterIndex <= filters.size())
        dlg.selectNameFilter(filters[filterIndex - 1]);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    path = dlg.selectedFiles().front();
    filterIndex = int(filters.indexOf(dlg.selectedNameFilter())) + 1;
    return true;
}

} // namespace

CForceDlg::CForceDlg(kxplatform::CSettings &settings, QWidget *parent)
    : QDialog(parent)
    , m_settings(settings)
{
    setWindowTitle(QStringLiteral("Select X Axis Force File"));
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("forceFile"));
    m_name->setMinimumWidth(420);
    m_browse = new QPushButton(QStringLiteral("..."), this);
    m_browse->setObjectName(QStringLiteral("browse"));
    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("fileType"));
    m_type->addItems({QStringLiteral("UDS File"), QStringLiteral("ASCII X-Y File")});
    auto *grid = new QGridLayout;
    grid->addWidget(m_name, 0, 0);
    grid->addWidget(m_browse, 0, 1);
    grid->addWidget(m_type, 1, 0);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_browse, &QPushButton::clicked, this, [this] { kxres::Guarded(this, [this] { OnBrowse(); }); });
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(
        new QLabel(QStringLiteral("If no correction data is  available, Press OK with a blank filename"), this));
    layout->addWidget(buttons);
    m_chooser = [this](const QString &title, const QStringList &filters, int &index, QString &path) {
        return ChooseWithFileDialog(this, title, filters, index, path);
    };
}

void CForceDlg::SetChoice(const CForceChoice &choice)
{
    m_name->setText(QString::fromStdString(choice.path));
    m_type->setCurrentIndex(choice.fileType == 1 ? 1 : 0);
}

CForceChoice CForceDlg::GetChoice() const
{
    CForceChoice choice;
    choice.path = m_name->text().toStdString();
    choice.fileType = m_type->currentIndex() == 1 ? 1 : 0;
    return choice;
}

void CForceDlg::OnBrowse()
{
    int index = m_settings.GetInt("ShearDataType", 1);
    QString path;
    if (!m_chooser || !m_chooser(QStringLiteral("Open X Shear Data File"), CNeckFileDlg::Filters(), index, path))
        return;
    m_settings.SetInt("ShearDataType", index);
    m_name->setText(path);
    m_type->setCurrentIndex(ForceTypeForFilter(index));
}

} // namespace quillet
