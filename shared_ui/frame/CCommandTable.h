#pragma once

// A main frame's menu commands: id, text, shortcut, handler and enabled rule in one
// table. Every handler runs inside the command guard, so no exception leaves it, and
// only while its rule (and the table's gate) allows it.

#include "shared_ui/kit/CommandGuard.h"

#include <QKeySequence>
#include <QObject>
#include <QString>

#include <functional>
#include <map>

class QAction;
class QMenu;
class QWidget;

namespace kxres {

class CCommandTable : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void()>;
    using Rule = std::function<bool()>;

    // Errors of the handlers are reported over owner (the dialogs' warning box), or
    // through report when one is given.
    explicit CCommandTable(QWidget *owner, ErrorReporter report = {});

    // Adds the command to menu (when given) as an action named "ID_<id>" that carries
    // its id. An unset rule always allows; an unset handler leaves it disabled until bound.
    QAction *Add(QMenu *menu, int id, const QString &text, Handler run = {}, Rule enabled = {},
                 const QKeySequence &shortcut = {});
    // Sets (or replaces) the handler and rule, or the check-mark rule, of a command added
    // before; an id that was never added throws std::invalid_argument.
    void Bind(int id, Handler run, Rule enabled = {});
    void SetChecked(int id, Rule checked);
    // A rule over every command (e.g. "no batch job runs"), and what runs after each command.
    void SetGate(Rule gate) { m_gate = std::move(gate); }
    void SetAfterRun(Handler after) { m_afterRun = std::move(after); }

    QAction *Action(int id) const;
    bool Contains(int id) const { return m_commands.count(id) != 0; }
    // The command was added and has a handler.
    bool IsBound(int id) const
    {
        const auto it = m_commands.find(id);
        return it != m_commands.end() && bool(it->second.run);
    }
    // Runs the command when it is enabled; false when it is not, or when it failed.
    bool Run(int id);
    // Runs an entry from a widget into the document that is no menu command (a recent
    // file, a start-up open) inside the same guard, then applies the rules; false when
    // it failed.
    bool Guard(const Handler &run);
    // Applies every rule to its action.
    void Update();
    // The menu applies the rules whenever it is about to open.
    void UpdateOnShow(QMenu *menu);

private:
    struct Entry {
        QAction *action = nullptr;
        Handler run;
        Rule enabled;
        Rule checked;
    };

    bool Allowed(const Entry &entry) const;
    Entry &Added(int id);

    QWidget *m_owner;
    ErrorReporter m_report;
    Rule m_gate;
    Handler m_afterRun;
    std::map<int, Entry> m_commands;
};

} // namespace kxres
