#include "shared_ui/printing/CDestination.h"

CDestination::CDestination(QWidget *owner, const QString &title)
    : CBrowseForFolder(owner, QString(), title)
{}

void CDestination::OnInit()
{
    SetSelection(m_initialFolder);
    SetStatusText(m_initialFolder);
}

void CDestination::OnSelChanged(const QString &path)
{
    SetStatusText(path);
}
