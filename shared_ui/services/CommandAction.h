#pragma once

// A menu command: an action named "ID_<id>" that carries its id and runs run(id) when triggered.

#include <QKeySequence>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QObject;

namespace kxres {

// Makes the action as a child of owner (which also scopes the connection), adds it to
// menu when given and sets the shortcut when not empty.
QAction *AddCommandAction(QObject *owner, QMenu *menu, int id, const QString &text, const QKeySequence &shortcut,
                          std::function<void(int)> run);

} // namespace kxres
