#include "shared_ui/services/CDestination.h"

CDestination::CDestination(QWidget *owner, const QString &title)
    : CBrowseForFolder(owner, QString(), title)
{}

bool CDestination::Choose(QWidget *owner, const QString &title, QString &folder)
{
    CDestination chooser(owner, title);
    chooser.SetInitialFolder(folder);
    if (!chooser.SelectFolder())
        return false;
    folder = chooser.GetFolderPath();
    return true;
}

void CDestination::OnInit()
{
    SetSelection(m_initialFolder);
    SetStatusText(m_initialFolder);
}

void CDestination::OnSelChanged(const QString &path)
{
    SetStatusText(path);
}
