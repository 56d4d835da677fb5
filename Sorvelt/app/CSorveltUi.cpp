#include "Sorvelt/app/CSorveltUi.h"

#include "Sorvelt/dialogs/CConvertDlg.h"
#include "Sorvelt/dialogs/CFilterClassDlg.h"
#include "Sorvelt/dialogs/CPlotLabelDlg.h"
#include "Sorvelt/dialogs/CResampleDlg.h"
#include "Sorvelt/dialogs/CTruncateDlg.h"
#include "Sorvelt/document/CSorveltDoc.h"
#include "shared_ui/dialogs/CLabelDlg.h"
#include "shared_ui/dialogs/CProgressWnd.h"
#include "shared_ui/dialogs/MessageBox.h"
#include "shared_ui/services/CErrorDialog.h"
#include "shared_ui/services/Clipboard.h"

#include <QFileDialog>

namespace sorvelt {

CSorveltUi::CSorveltUi(CSorveltDoc &doc, QWidget *parent)
    : m_doc(doc)
    , m_parent(parent)
{
}

CSorveltUi::~CSorveltUi()
{
    delete m_progress.data();
}

void CSorveltUi::ShowMessage(const std::string &text, Icon icon)
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
    kxres::ShowMessageBox(m_parent, QStringLiteral("Sorvelt"), QString::fromStdString(text), boxIcon);
}

void CSorveltUi::ShowErrorList(const std::vector<std::string> &messages)
{
    kxres::CErrorDialog dlg(m_parent);
    dlg.SetMessages(messages);
    dlg.exec();
}

bool CSorveltUi::ChooseOpenFile(const std::string &title, const std::string &filter, const std::string &startFolder,
                                std::string &path)
{
    QString qtFilter = QString::fromStdString(filter);
    qtFilter.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
    const QString chosen = QFileDialog::getOpenFileName(m_parent, QString::fromStdString(title),
                                                        QString::fromStdString(startFolder), qtFilter);
    if (chosen.isEmpty())
        return false;
    path = chosen.toStdString();
    return true;
}

bool CSorveltUi::ChooseSaveFile(const std::string &title, const std::string &defaultExtension,
                                const std::string &startFolder, std::string &path)
{
    QFileDialog dlg(m_parent, QString::fromStdString(title), QString::fromStdString(startFolder));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setDefaultSuffix(QString::fromStdString(defaultExtension));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    path = dlg.selectedFiles().front().toStdString();
    return true;
}

bool CSorveltUi::EditLabel(const std::string &caption, const std::string &prompt, std::string &value)
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

bool CSorveltUi::ChooseFilterClass(int &filterClass)
{
    CFilterClassDlg dlg(m_parent);
    dlg.SetFilterClass(filterClass);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    filterClass = dlg.GetFilterClass();
    return true;
}

bool CSorveltUi::EditResample(CResampleValues &values)
{
    CResampleDlg dlg(m_parent);
    dlg.SetValues(values);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    values = dlg.GetValues();
    return true;
}

bool CSorveltUi::EditTruncate(double &start, double &stop)
{
    CTruncateDlg dlg(m_parent);
    dlg.SetInterval(start, stop);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    start = dlg.GetStart();
    stop = dlg.GetStop();
    return true;
}

bool CSorveltUi::EditConvert(CConvertValues &values)
{
    CConvertDlg dlg(m_parent);
    dlg.SetCounts(m_doc.GetParameterNames().size(), m_doc.GetChannelNames().size());
    dlg.SetValues(values);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    values = dlg.GetValues();
    return true;
}

bool CSorveltUi::EditPlotLabels(CPlotLabels &labels)
{
    CPlotLabelDlg dlg(m_parent);
    dlg.SetLabels(labels);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    labels = dlg.GetLabels();
    return true;
}

bool CSorveltUi::PutTextOnClipboard(const std::string &text)
{
    return kxres::PutTextOnClipboard(QString::fromStdString(text));
}

void CSorveltUi::SetMainWindowText(const std::string &text)
{
    if (QWidget *window = m_parent ? m_parent->window() : nullptr)
        window->setWindowTitle(QString::fromStdString(text) + QStringLiteral(" - Sorvelt"));
}

void CSorveltUi::AddRecentFile(const std::string &path)
{
    if (onRecentFile)
        onRecentFile(path);
}

void CSorveltUi::BeginProgress(const std::string &title, int total)
{
    delete m_progress.data();
    auto *progress = new kxres::CProgressWnd(m_parent, QString::fromStdString(title));
    progress->setWindowModality(Qt::ApplicationModal);
    progress->SetRange(0, total);
    progress->SetStep(1);
    progress->SetText(QStringLiteral("Converting..."));
    progress->show();
    progress->PeekAndPump();
    m_progress = progress;
}

bool CSorveltUi::StepProgress(int done, const std::string &text)
{
    if (!m_progress)
        return true;
    m_progress->SetPos(done);
    m_progress->SetText(QString::fromStdString(text));
    m_progress->PeekAndPump();
    return !m_progress->IsCancelled();
}

void CSorveltUi::EndProgress()
{
    if (m_progress) {
        m_progress->hide();
        m_progress->deleteLater();
    }
    m_progress.clear();
}

} // namespace sorvelt
