#include "shared_ui/services/CommandAction.h"

#include <QAction>
#include <QMenu>

namespace kxres {

QAction *AddCommandAction(QObject *owner, QMenu *menu, int id, const QString &text, const QKeySequence &shortcut,
                          std::function<void(int)> run)
{
    auto *action = new QAction(text, owner);
    action->setObjectName(QStringLiteral("ID_%1").arg(id));
    action->setData(id);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    if (menu)
        menu->addAction(action);
    QObject::connect(action, &QAction::triggered, owner, [run = std::move(run), id] { run(id); });
    return action;
}

} // namespace kxres
