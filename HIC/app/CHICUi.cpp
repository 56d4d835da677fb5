#include "HIC/app/CHICUi.h"

#include "HIC/dialogs/CLabelDlg.h"
#include "HIC/dialogs/COpenFiles.h"
#include "HIC/dialogs/CSurfaceParams.h"
#include "HIC/dialogs/CWindowSize.h"
#include "platform/CSettings.h"
#include "shared_ui/services/CErrorDialog.h"
#include "shared_ui/services/CWaitCursor.h"
#include "shared_ui/services/Clipboard.h"

#include <QFileDialog>
#include <QFileInfo>
#include "shared_ui/dialogs/MessageBox.h"

namespace hic {

CHICUi::CHICUi(kxplatform::CSettings &settings, QWidget *parent)
    : m_settings(settings)
    , m_parent(parent)
{
}

CHICUi::~CHICUi() = default;

void CHICUi::ShowErrorList(const std::vector<std::string> &messages)
{
    kxres::CErrorDialog dlg(m_parent);
    dlg.SetMessages(messages);
    dlg.exec();
}

void CHICUi::ShowMessage(const std::string &text)
{
    kxres::ShowMessageBox(m_parent, QStringLiteral("HIC"), QString::fromStdString(text),
                          kxres::MessageIcon::Warning);
}

bool CHICUi::OpenFiles(OpenFilesValues &values)
{
    COpenFiles dlg(values, m_settings, m_parent);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    values = dlg.Values();
    return true;
}

bool CHICUi::EditLabels(PlotLabels &labels)
{
    CLabelDlg dlg(m_parent);
    dlg.SetLabels(labels);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    labels = dlg.Labels();
    return true;
}

bool CHICUi::EditWindow(double &windowMs, double stepMs)
{
    CWindowSize dlg(windowMs, m_parent);
    dlg.SetTimeStep(stepMs);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    windowMs = dlg.Window();
    return true;
}

bool CHICUi::EditSurfaceParams(SurfaceParams &params)
{
    CSurfaceParams dlg(params, m_parent);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    params = dlg.Params();
    return true;
}

bool CHICUi::ChooseSaveFile(const std::string &title, const std::string &filter, std::string &path)
{
    const QString folder = QString::fromStdString(m_settings.GetString("OutputDir"));
    QString start = QString::fromStdString(path);
    if (!folder.isEmpty() && !start.isEmpty() && QFileInfo(start).isRelative())
        start = folder + QLatin1Char('/') + start;
    const QString chosen = QFileDialog::getSaveFileName(m_parent, QString::fromStdString(title), start,
                                                        QString::fromStdString(filter));
    if (chosen.isEmpty())
        return false;
    m_settings.SetString("OutputDir", QFileInfo(chosen).absolutePath().toStdString());
    path = chosen.toStdString();
    return true;
}

bool CHICUi::PutTextOnClipboard(const std::string &text)
{
    return kxres::PutTextOnClipboard(QString::fromStdString(text));
}

void CHICUi::BeginWaitCursor()
{
    m_wait = std::make_unique<kxres::CWaitCursor>();
}

void CHICUi::EndWaitCursor()
{
    m_wait.reset();
}

} // namespace hic
