#pragma once

// The folder chooser of the conversion dialog: the shared chooser, titled "Open" when
// no title is given, starting on the root folder, without a status line.

#include "shared_ui/services/CDestination.h"

namespace sorvelt {

class CDirDialog : public CDestination {
public:
    explicit CDirDialog(QWidget *owner, const QString &title = QString(), const QString &root = QString())
        : CDestination(owner, title.isEmpty() ? QStringLiteral("Open") : title)
    {
        SetInitialFolder(root);
        SetFlags(ReturnOnlyFileSystemDirs);
    }
};

} // namespace sorvelt
