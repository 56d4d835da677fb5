#include "shared_ui/frame/CCommandTable.h"

#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/services/CommandAction.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include <stdexcept>
#include <string>

namespace kxres {

CCommandTable::CCommandTable(QWidget *owner, ErrorReporter report)
    : QObject(owner)
    , m_owner(owner)
    , m_report(std::move(report))
{}

QAction *CCommandTable::Add(QMenu *menu, int id, const QString &text, Handler run, Rule enabled,
                            const QKeySequence &shortcut)
{
    QAction *action = AddCommandAction(m_owner ? static_cast<QObject *>(m_owner) : this, menu, id, text, shortcut,
                                       [this](int command) { Run(command); });
    Entry &entry = m_commands[id];
    entry.action = action;
    entry.run = std::move(run);
    entry.enabled = std::move(enabled);
    action->setEnabled(Allowed(entry));
    return action;
}

CCommandTable::Entry &CCommandTable::Added(int id)
{
    const auto it = m_commands.find(id);
    if (it == m_commands.end())
        throw std::invalid_argument("No menu command has the id " + std::to_string(id) + ".");
    return it->second;
}

void CCommandTable::Bind(int id, Handler run, Rule enabled)
{
    Entry &entry = Added(id);
    entry.run = std::move(run);
    entry.enabled = std::move(enabled);
    Update();
}

void CCommandTable::SetChecked(int id, Rule checked)
{
    Entry &entry = Added(id);
    entry.checked = std::move(checked);
    entry.action->setCheckable(true);
    Update();
}

QAction *CCommandTable::Action(int id) const
{
    const auto it = m_commands.find(id);
    return it == m_commands.end() ? nullptr : it->second.action;
}

bool CCommandTable::Allowed(const Entry &entry) const
{
    // A rule that fails counts as "not now": the guard is for handlers, not for menus.
    try {
        return entry.run && (!m_gate || m_gate()) && (!entry.enabled || entry.enabled());
    } catch (...) {
        return false;
    }
}

bool CCommandTable::Run(int id)
{
    Update();
    const auto it = m_commands.find(id);
    if (it == m_commands.end() || !Allowed(it->second))
        return false;
    // The handler may replace the table's entries: run a copy.
    const Handler run = it->second.run;
    return Guard(run);
}

bool CCommandTable::Guard(const Handler &run)
{
    const auto report = [this](const QString &text) {
        if (m_report)
            m_report(text);
        else
            Warn(m_owner, text);
    };
    const bool ok = Guarded(report, run);
    Update();
    if (m_afterRun)
        Guarded(report, m_afterRun);
    return ok;
}

void CCommandTable::Update()
{
    for (auto &[id, entry] : m_commands) {
        entry.action->setEnabled(Allowed(entry));
        if (entry.checked) {
            bool checked = false;
            try {
                checked = entry.checked();
            } catch (...) {}
            entry.action->setChecked(checked);
        }
    }
}

void CCommandTable::UpdateOnShow(QMenu *menu)
{
    connect(menu, &QMenu::aboutToShow, this, &CCommandTable::Update);
}

} // namespace kxres
