#include "Sorvelt/dialogs/CConvertDlg.h"

#include "Sorvelt/core/CurveBuilder.h"
#include "Sorvelt/core/ListSyntax.h"
#include "Sorvelt/dialogs/CDirDialog.h"
#include "shared_ui/dialogs/DialogWarning.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace sorvelt {

CConvertDlg::CConvertDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("UDS File Creation"));
    const auto edit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setMinimumWidth(320);
        return e;
    };
    m_header = edit("header");
    m_parameterList = edit("parameters");
    m_channelList = edit("channels");
    m_folder = edit("folder");
    auto *browse = new QPushButton(QStringLiteral("..."), this);
    browse->setObjectName(QStringLiteral("browse"));
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &CConvertDlg::OnBrowse);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("File Header"), m_header);
    form->addRow(QStringLiteral("Parameters (1,3-5,7...)"), m_parameterList);
    form->addRow(QStringLiteral("Channels (1,3-5,7...)"), m_channelList);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(m_folder);
    folderRow->addWidget(browse);
    form->addRow(QStringLiteral("Output Directory"), folderRow);

    auto *explain = new QLabel(QStringLiteral("UDS Files will be created with names like\n"
                                              "Header_PP.CCC\n"
                                              "Header - File Header\n"
                                              "PP - Parameter Number\n"
                                              "CCC - Channel Number"),
                               this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CConvertDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(explain);
    layout->addWidget(buttons);

    chooseFolder = [this](QString &folder) {
        CDirDialog dlg(this, QStringLiteral("Select Output Directory"), folder);
        if (!dlg.SelectFolder())
            return false;
        folder = dlg.GetFolderPath();
        return true;
    };
}

void CConvertDlg::SetCounts(std::size_t parameters, std::size_t channels)
{
    m_parameters = parameters;
    m_channels = channels;
}

void CConvertDlg::SetValues(const CConvertValues &values)
{
    m_values = values;
    m_header->setText(QString::fromStdString(values.header));
    m_parameterList->setText(QString::fromStdString(values.parameters));
    m_channelList->setText(QString::fromStdString(values.channels));
    m_folder->setText(QString::fromStdString(values.folder));
}

void CConvertDlg::OnBrowse()
{
    QString folder = m_folder->text().trimmed();
    if (chooseFolder && chooseFolder(folder))
        m_folder->setText(folder);
}

std::string CConvertDlg::NormaliseFolder(const std::string &folder)
{
    std::string result = TrimBlanks(folder);
    if (result.empty() || result.back() != '/')
        result += '/';
    return result;
}

bool CConvertDlg::Refuse(QLineEdit *edit, const QString &text)
{
    QApplication::beep();
    if (!text.isEmpty())
        kxres::Warn(this, text);
    edit->setFocus();
    return false;
}

void CConvertDlg::accept()
{
    const auto text = [](QLineEdit *e) { return e->text().toStdString(); };
    if (TrimBlanks(text(m_header)).empty())
        return (void)Refuse(m_header, {});
    if (TrimBlanks(text(m_parameterList)).empty())
        return (void)Refuse(m_parameterList, {});
    if (TrimBlanks(text(m_channelList)).empty())
        return (void)Refuse(m_channelList, {});
    if (TrimBlanks(text(m_folder)).empty())
        return (void)Refuse(m_folder, {});
    // Lists that cannot be read or select nothing would convert nothing.
    const std::pair<QLineEdit *, std::size_t> lists[] = {{m_parameterList, m_parameters}, {m_channelList, m_channels}};
    for (const auto &[edit, count] : lists) {
        if (count == 0)
            continue;
        const IndexList list = ParseIndexList(text(edit), count);
        if (!list.ok)
            return (void)Refuse(edit, QString::fromStdString(list.error));
        if (list.Count() == 0)
            return (void)Refuse(edit, QStringLiteral("The list selects none of the %1 items of the file.").arg(count));
    }
    m_values.header = TrimBlanks(text(m_header));
    m_values.parameters = text(m_parameterList);
    m_values.channels = text(m_channelList);
    m_values.folder = NormaliseFolder(text(m_folder));
    m_folder->setText(QString::fromStdString(m_values.folder));
    QDialog::accept();
}

} // namespace sorvelt
