#pragma once

// The programs' plain message box: one text, one of three icons, the program's title.

#include <QString>

class QWidget;

namespace kxres {

enum class MessageIcon { Information, Warning, Critical };

// Shows text in a modal box captioned title, with the icon's standard box.
void ShowMessageBox(QWidget *parent, const QString &title, const QString &text, MessageIcon icon);

} // namespace kxres
