#pragma once

// Quillet's main window: the neck chart, the menus, the tool bar and the status bar.

#include "shared_ui/frame/CCommandTable.h"

#include <QMainWindow>

class QAction;
class QToolBar;

namespace quillet {

class CQuilletDoc;
class CNeckView;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    enum Command : int {
        ID_FILE_OPEN = 57601,
        ID_FILE_SAVE_ASCII = 32778,
        ID_FILE_SAVE_GRAPH = 32779,
        ID_FILE_SAVE_UDS = 32780,
        ID_FILE_PRINT = 32781,
        ID_APP_EXIT = 57665,
        ID_EDIT_COPY_PLOT = 32774,
        ID_EDIT_COPY_DATA = 32773,
        ID_EDIT_CUSTOMIZE = 32777,
        ID_VIEW_UDS_SPECIFICATION = 32776,
        ID_TOOL_UDS_SPECIFICATION = 32772,
        ID_VIEW_ERROR_MESSAGES = 32775,
        ID_APP_ABOUT = 57664,
    };

    CMainFrame(CQuilletDoc &doc, CNeckView *view, QWidget *parent = nullptr);
    ~CMainFrame() override;

    CQuilletDoc &Document() const { return m_doc; }
    CNeckView *View() const { return m_view; }
    QToolBar *ToolBar() const { return m_toolBar; }
    // The action of a command id (null for an unknown id).
    QAction *Action(int id) const { return m_commands.Action(id); }
    // Runs a command as its menu entry does: only when enabled, inside the guard.
    void RunCommand(int id) { m_commands.Run(id); }
    // Runs a call into the document that comes from no menu inside the same guard.
    bool Guard(const kxres::CCommandTable::Handler &run) { return m_commands.Guard(run); }
    void UpdateCommandUI() { m_commands.Update(); }
    void OnAppAbout();

private:
    void CreateMenus();
    void CreateToolBar();

    CQuilletDoc &m_doc;
    CNeckView *m_view = nullptr;
    QToolBar *m_toolBar = nullptr;
    kxres::CCommandTable m_commands{this};
};

} // namespace quillet
