#include "shared_ui/services/Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace kxres {

bool PutTextOnClipboard(const QString &text)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return false;
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->setText(text, QClipboard::Clipboard);
    return true;
}

} // namespace kxres
