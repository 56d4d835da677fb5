#include "Mirvane/app/CMirvaneUi.h"

#include "Mirvane/dialogs/CCorridorDlg.h"
#include "Mirvane/dialogs/CCriticalValuesDlg.h"
#include "Mirvane/dialogs/CSelectFiles.h"
#include "shared_ui/header/CUDSDialog.h"
#include "shared_ui/services/CErrorDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include "shared_ui/dialogs/MessageBox.h"

namespace mirvane {

CMirvaneUi::CMirvaneUi(kxplatform::CSettings &settings, QWidget *parent)
    : m_settings(settings)
    , m_parent(parent)
{
}

void CMirvaneUi::ShowErrorList(const std::vector<std::string> &messages)
{
    QApplication::beep();
    kxres::CErrorDialog dlg(m_parent);
    dlg.SetMessages(messages);
    dlg.exec();
}

void CMirvaneUi::ShowMessage(const std::string &text)
{
    kxres::ShowMessageBox(m_parent, QStringLiteral("Mirvane"), QString::fromStdString(text),
                          kxres::MessageIcon::Warning);
}

bool CMirvaneUi::SelectFiles(CSelectFilesValues &values)
{
    CSelectFiles dlg(m_settings, m_parent);
    dlg.SetValues(values);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    values = dlg.Values();
    return true;
}

bool CMirvaneUi::ChooseSaveFile(const std::string &title, const std::string &filter, const std::string &startFolder,
                                std::string &path)
{
    const QString chosen = QFileDialog::getSaveFileName(m_parent, QString::fromStdString(title),
                                                        QString::fromStdString(startFolder),
                                                        QString::fromStdString(filter));
    if (chosen.isEmpty())
        return false;
    path = chosen.toStdString();
    return true;
}

bool CMirvaneUi::EditCriticalValues(CCriticalValues &values)
{
    kxres::CCriticalValuesDlg dlg(m_parent);
    dlg.SetValues(values);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    values = dlg.Values();
    return true;
}

bool CMirvaneUi::EditCorridorSize(double &size)
{
    CCorridorDlg dlg(m_parent);
    dlg.SetSize(size);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    size = dlg.Size();
    return true;
}

void CMirvaneUi::ShowUdsHeader(std::vector<kx::CNSignalPtr> signalList)
{
    kxres::CUDSDialog dlg(m_parent);
    dlg.SetSignals(std::move(signalList));
    dlg.exec();
}

void CMirvaneUi::BeginWaitCursor()
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

void CMirvaneUi::EndWaitCursor()
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        QGuiApplication::restoreOverrideCursor();
}

} // namespace mirvane
