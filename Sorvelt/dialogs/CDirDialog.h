#pragma once

// The folder chooser of the conversion dialog.

#include "shared_ui/services/CBrowseForFolder.h"

namespace sorvelt {

class CDirDialog : public CBrowseForFolder {
public:
    // An empty title shows "Open".
    explicit CDirDialog(QWidget *owner, const QString &title = QString(), const QString &root = QString());
    ~CDirDialog() override;
};

} // namespace sorvelt
