#pragma once

// The warning box of the dialogs' checks; tests replace it to read the texts.

#include "shared_ui/kit/CommandGuard.h"

#include <QString>

#include <functional>

class QWidget;

namespace kxres {

using WarningHandler = std::function<void(QWidget *parent, const QString &text)>;

// Shows text in a warning box (or hands it to the installed handler).
void Warn(QWidget *parent, const QString &text);
// Shows text in an error box captioned "Error" (or hands it to the installed handler).
void WarnError(QWidget *parent, const QString &text);
// Runs command inside the guard, reporting a failure through the warning box over parent.
bool Guarded(QWidget *parent, const std::function<void()> &command);
// Installs a handler; an empty one restores the warning box. Returns the previous one.
WarningHandler SetWarningHandler(WarningHandler handler);

} // namespace kxres
