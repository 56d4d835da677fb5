#include "shared_ui/dialogs/MessageBox.h"

#include <QMessageBox>

namespace kxres {

void ShowMessageBox(QWidget *parent, const QString &title, const QString &text, MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        QMessageBox::information(parent, title, text);
        break;
    case MessageIcon::Warning:
        QMessageBox::warning(parent, title, text);
        break;
    case MessageIcon::Critical:
        QMessageBox::critical(parent, title, text);
        break;
    }
}

} // namespace kxres
