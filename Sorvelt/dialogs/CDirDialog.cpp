#include "Sorvelt/dialogs/CDirDialog.h"

namespace sorvelt {

CDirDialog::CDirDialog(QWidget *owner, const QString &title, const QString &root)
    : CBrowseForFolder(owner, root, title.isEmpty() ? QStringLiteral("Open") : title)
{
    SetFlags(ReturnOnlyFileSystemDirs);
}

CDirDialog::~CDirDialog() = default;

} // namespace sorvelt
