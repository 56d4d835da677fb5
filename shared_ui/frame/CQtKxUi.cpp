#include "shared_ui/frame/CQtKxUi.h"

#include "shared_ui/dialogs/CLabelDlg.h"
#include "shared_ui/dialogs/CProgressWnd.h"
#include "shared_ui/dialogs/MessageBox.h"
#include "shared_ui/header/CUDSDialog.h"
#include "shared_ui/services/CDestination.h"
#include "shared_ui/services/CErrorDialog.h"
#include "shared_ui/services/Clipboard.h"

#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>

namespace kxres::qtui {

namespace {

QString Q(const std::string &text)
{
    return QString::fromStdString(text);
}

bool HasGui()
{
    return qobject_cast<QApplication *>(QCoreApplication::instance()) != nullptr;
}

class ProgressWindow : public IProgress {
public:
    ProgressWindow(QWidget *parent, const std::string &title, const std::string &text, int steps)
        : m_window(new CProgressWnd(parent ? parent->window() : nullptr, Q(title)))
    {
        m_window->setWindowModality(Qt::ApplicationModal);
        m_window->SetText(Q(text));
        m_window->SetRange(0, std::max(1, steps));
        m_window->SetStep(1);
        m_window->show();
        m_window->PeekAndPump();
    }
    ~ProgressWindow() override { delete m_window.data(); }
    ProgressWindow(const ProgressWindow &) = delete;
    ProgressWindow &operator=(const ProgressWindow &) = delete;

    bool Step(int done, const std::string &text) override
    {
        if (!m_window)
            return false;
        m_window->PeekAndPump();
        if (!m_window)
            return false;
        m_window->SetPos(done);
        if (!text.empty())
            m_window->SetText(Q(text));
        return !m_window->IsCancelled();
    }
    bool IsCancelled() const override { return !m_window || m_window->IsCancelled(); }

private:
    QPointer<CProgressWnd> m_window;
};

} // namespace

QString ChooserFilter(const std::string &filter)
{
    QString qtFilter = Q(filter);
    qtFilter.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
    return qtFilter;
}

void ShowMessage(QWidget *parent, const CQtUiStyle &style, const std::string &text, IKxUi::Icon icon)
{
    MessageIcon boxIcon = MessageIcon::Information;
    switch (icon) {
    case IKxUi::Icon::Information:
        boxIcon = MessageIcon::Information;
        break;
    case IKxUi::Icon::Exclamation:
        boxIcon = MessageIcon::Warning;
        break;
    case IKxUi::Icon::Stop:
        boxIcon = MessageIcon::Critical;
        break;
    }
    ShowMessageBox(parent, style.caption, Q(text), boxIcon);
}

bool AskYesNo(QWidget *parent, const CQtUiStyle &style, const std::string &text)
{
    return QMessageBox::question(parent, style.caption, Q(text), QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
           QMessageBox::Yes;
}

void ShowErrorList(QWidget *parent, const CQtUiStyle &style, const std::vector<std::string> &messages)
{
    if (style.beepOnErrorList)
        QApplication::beep();
    CErrorDialog dlg(parent);
    dlg.SetMessages(messages);
    dlg.exec();
}

bool ChooseOpenFile(QWidget *parent, const CFileRequest &request, std::string &path)
{
    QString start = Q(request.startFolder);
    if (!request.proposedName.empty())
        start = start.isEmpty() ? Q(request.proposedName) : start + QLatin1Char('/') + Q(request.proposedName);
    const QString chosen = QFileDialog::getOpenFileName(parent, Q(request.title), start, ChooserFilter(request.filter));
    if (chosen.isEmpty())
        return false;
    path = chosen.toStdString();
    return true;
}

bool ChooseSaveFile(QWidget *parent, const CFileRequest &request, std::string &path)
{
    QFileDialog dlg(parent, Q(request.title), Q(request.startFolder), ChooserFilter(request.filter));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setDefaultSuffix(Q(request.defaultExtension));
    if (!request.proposedName.empty())
        dlg.selectFile(Q(request.proposedName));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    path = dlg.selectedFiles().front().toStdString();
    return true;
}

bool ChooseFolder(QWidget *parent, const std::string &title, std::string &folder)
{
    QString chosen = Q(folder);
    if (!CDestination::Choose(parent, Q(title), chosen))
        return false;
    folder = chosen.toStdString();
    return true;
}

bool EditLabel(QWidget *parent, const std::string &caption, const std::string &prompt, std::string &value)
{
    return CLabelDlg::Edit(parent, caption, prompt, value);
}

void ShowUdsHeader(QWidget *parent, std::vector<kx::CNSignalPtr> signalList)
{
    CUDSDialog dlg(parent);
    dlg.SetSignals(std::move(signalList));
    dlg.exec();
}

void SetMainWindowText(QWidget *parent, const CQtUiStyle &style, const std::string &text)
{
    if (QWidget *window = parent ? parent->window() : nullptr)
        window->setWindowTitle(Q(text) + style.windowTextSuffix);
}

bool PutTextOnClipboard(const std::string &text)
{
    return kxres::PutTextOnClipboard(Q(text));
}

void BeginWaitCursor()
{
    if (HasGui())
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void EndWaitCursor()
{
    if (HasGui())
        QGuiApplication::restoreOverrideCursor();
}

std::unique_ptr<IProgress> BeginProgress(QWidget *parent, const std::string &title, const std::string &text, int steps)
{
    return std::make_unique<ProgressWindow>(parent, title, text, steps);
}

} // namespace kxres::qtui
