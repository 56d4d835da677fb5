#include "Pellora/app/CPelloraUi.h"

#include "Pellora/dialogs/CDirDialog1.h"
#include "Pellora/dialogs/CEditHitList.h"
#include "shared_ui/dialogs/CLabelDlg.h"
#include "shared_ui/dialogs/CProgressWnd.h"
#include "shared_ui/dialogs/MessageBox.h"
#include "Pellora/dialogs/CPageMarginSetup.h"
#include "Pellora/dialogs/CPlottingOptions.h"
#include "Pellora/dialogs/CSignalLabelDlg.h"
#include "shared_ui/services/CErrorDialog.h"
#include "shared_ui/header/CUDSDialog.h"

#include <QApplication>
#include <QFileDialog>

namespace pellora {

namespace {

// The progress window of a batch job, modal to the main window: while it is up,
// only its Cancel takes input.
class ProgressWindow : public IBatchProgress {
public:
    ProgressWindow(QWidget *parent, const std::string &title, const std::string &text, int count)
        : m_window(new kxres::CProgressWnd(parent))
    {
        m_window->setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
        m_window->SetTitle(QString::fromStdString(title));
        m_window->SetText(QString::fromStdString(text));
        m_window->SetRange(0, count);
        m_window->SetStep(1);
        m_window->show();
        m_window->PeekAndPump(12);
    }
    ~ProgressWindow() override { delete m_window.data(); }
    ProgressWindow(const ProgressWindow &) = delete;
    ProgressWindow &operator=(const ProgressWindow &) = delete;

    void Step() override
    {
        if (!m_window)
            return;
        m_window->PeekAndPump(12);
        if (m_window)
            m_window->StepIt();
    }
    bool IsCancelled() const override { return !m_window || m_window->IsCancelled(); }

private:
    QPointer<kxres::CProgressWnd> m_window;
};

} // namespace

std::unique_ptr<IBatchProgress> CPelloraUi::BeginProgress(const std::string &title, const std::string &text, int count)
{
    return std::make_unique<ProgressWindow>(m_parent ? m_parent->window() : nullptr, title, text, count);
}

CPelloraUi::CPelloraUi(kxplatform::CSettings &settings, QWidget *parent)
    : m_settings(settings)
    , m_parent(parent)
{
}

void CPelloraUi::ShowErrorList(const std::vector<std::string> &messages)
{
    kxres::CErrorDialog dlg(m_parent);
    dlg.SetMessages(messages);
    dlg.exec();
}

void CPelloraUi::ShowMessage(const std::string &text, Icon icon)
{
    kxres::MessageIcon boxIcon = kxres::MessageIcon::Information;
    switch (icon) {
    case Icon::Information:
        boxIcon = kxres::MessageIcon::Information;
        break;
    case Icon::Exclamation:
        boxIcon = kxres::MessageIcon::Warning;
        break;
    case Icon::Stop:
        boxIcon = kxres::MessageIcon::Critical;
        break;
    }
    kxres::ShowMessageBox(m_parent, QStringLiteral("Pellora"), QString::fromStdString(text), boxIcon);
}

bool CPelloraUi::ChooseBrowseDirectory(std::string &directory)
{
    CDirDialog1 dlg(m_settings, m_parent);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    directory = dlg.GetDirectory().toStdString();
    return true;
}

bool CPelloraUi::ChooseOpenFile(const std::string &title, const std::string &filter, const std::string &startFolder,
                                std::string &path)
{
    // "Name (*.*)" means every file here.
    QString qtFilter = QString::fromStdString(filter);
    qtFilter.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
    const QString chosen = QFileDialog::getOpenFileName(m_parent, QString::fromStdString(title),
                                                        QString::fromStdString(startFolder), qtFilter);
    if (chosen.isEmpty())
        return false;
    path = chosen.toStdString();
    return true;
}

bool CPelloraUi::EditLabel(const std::string &caption, const std::string &prompt, std::string &value)
{
    kxres::CLabelDlg dlg(m_parent);
    dlg.SetCaption(QString::fromStdString(caption));
    dlg.SetPrompt(QString::fromStdString(prompt));
    dlg.SetValue(QString::fromStdString(value));
    if (dlg.exec() != QDialog::Accepted)
        return false;
    value = dlg.GetValue().toStdString();
    return true;
}

bool CPelloraUi::EditSignalLabels(std::vector<std::string> &labels, const std::vector<kx::CNSignalPtr> &signalList,
                                  const std::string &nameColumn, const std::string &labelColumn)
{
    CSignalLabelDlg dlg(m_parent);
    dlg.SetColumnTitles(QString::fromStdString(nameColumn), QString::fromStdString(labelColumn));
    QStringList names;
    QStringList current;
    for (std::size_t i = 0; i < signalList.size(); ++i) {
        names << QString::fromStdString(signalList[i]->GetFileName());
        current << (i < labels.size() ? QString::fromStdString(labels[i]) : QString());
    }
    dlg.SetRows(names, current);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    labels.clear();
    for (const QString &label : dlg.GetLabels())
        labels.push_back(label.toStdString());
    return true;
}

bool CPelloraUi::EditPlottingOptions(CPlottingOptionValues &options)
{
    CPlottingOptions dlg(m_parent);
    dlg.SetOptions(options);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    options = dlg.GetOptions();
    return true;
}

bool CPelloraUi::EditPageMargins(CPageMarginValues &margins)
{
    CPageMarginSetup dlg(m_parent);
    dlg.SetMargins(margins);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    margins = dlg.GetMargins();
    return true;
}

bool CPelloraUi::EditHitList(std::vector<std::string> &names)
{
    CEditHitList dlg(m_parent);
    QStringList list;
    for (const std::string &name : names)
        list << QString::fromStdString(name);
    dlg.SetNames(list);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    names.clear();
    for (const QString &name : dlg.GetNames())
        names.push_back(name.toStdString());
    return true;
}

void CPelloraUi::ShowUdsHeader(std::vector<kx::CNSignalPtr> signalList)
{
    kxres::CUDSDialog dlg(m_parent);
    dlg.SetSignals(std::move(signalList));
    dlg.exec();
}

void CPelloraUi::SetMainWindowText(const std::string &text)
{
    if (QWidget *window = m_parent ? m_parent->window() : nullptr)
        window->setWindowTitle(QString::fromStdString(text));
}

void CPelloraUi::BeginWaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void CPelloraUi::EndWaitCursor()
{
    QApplication::restoreOverrideCursor();
}

} // namespace pellora
