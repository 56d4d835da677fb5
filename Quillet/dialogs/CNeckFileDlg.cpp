#include "Quillet/dialogs/CNeckFileDlg.h"

#include "Quillet/dialogs/CNeckOptionBoxes.h"

#include <QDir>
#include <QFileDialog>
#include <QVBoxLayout>

namespace quillet {

QStringList CNeckFileDlg::Filters()
{
    return {QStringLiteral("UDS Force Data (*fa0.*)"), QStringLiteral("UDS Moment Data (*ta0.*)"),
            QStringLiteral("UDS File (*)"), QStringLiteral("ASCII X-Y Files (*)")};
}

CNeckFileDlg::CNeckFileDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Open Neck Data File"));
    m_chooser = new QFileDialog(this);
    m_chooser->setWindowFlags(Qt::Widget);
    m_chooser->setOption(QFileDialog::DontUseNativeDialog, true);
    m_chooser->setOption(QFileDialog::ReadOnly, true);
    m_chooser->setFileMode(QFileDialog::ExistingFile);
    m_chooser->setAcceptMode(QFileDialog::AcceptOpen);
    m_chooser->setDefaultSuffix(QStringLiteral("uds"));
    m_chooser->setNameFilters(Filters());
    m_boxes = new CNeckOptionBoxes(false, this);
    connect(m_chooser, &QFileDialog::accepted, this, &QDialog::accept);
    connect(m_chooser, &QFileDialog::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_chooser, 1);
    layout->addWidget(m_boxes);
    resize(800, 600);
}

void CNeckFileDlg::SetChoice(const CNeckFileChoice &choice)
{
    m_choice = choice;
    m_boxes->SetOptions(choice.options);
    const QStringList filters = Filters();
    const int index = (choice.filterIndex >= 1 && choice.filterIndex <= filters.size()) ? choice.filterIndex : 1;
    m_chooser->selectNameFilter(filters[index - 1]);
    const QString folder = QString::fromStdString(choice.folder);
    m_chooser->setDirectory(QDir(folder).exists() ? folder : QDir::homePath());
}

CNeckFileChoice CNeckFileDlg::GetChoice() const
{
    CNeckFileChoice choice = m_choice;
    choice.options = m_boxes->GetOptions();
    const int index = int(Filters().indexOf(m_chooser->selectedNameFilter()));
    choice.filterIndex = index >= 0 ? index + 1 : 1;
    const QStringList files = m_chooser->selectedFiles();
    choice.path = files.isEmpty() ? std::string() : files.front().toStdString();
    return choice;
}

} // namespace quillet
