#pragma once

// The warning box of the dialogs' checks; tests replace it to read the texts.

#include <QString>

#include <functional>

class QWidget;

namespace kxres {

using WarningHandler = std::function<void(QWidget *parent, const QString &text)>;

// Shows text in a warning box (or hands it to the installed handler).
void Warn(QWidget *parent, const QString &text);
// Shows text in an error box captioned "Error" (or hands it to the installed handler).
void WarnError(QWidget *parent, const QString &text);
// Installs a handler; an empty one restores the warning box. Returns the previous one.
WarningHandler SetWarningHandler(WarningHandler handler);

} // namespace kxres
