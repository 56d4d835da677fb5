#pragma once

// HIC's main window: menus, tool bar and status bar around the view.

#include <QKeySequence>
#include <QMainWindow>

#include <functional>

class CRecentFileList;
class QAction;
class QMenu;

namespace kxres {
class CCommandTable;
}

namespace hic {

class CHICDoc;
class CHICView;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    enum Command : int {
        ID_FILE_OPEN = 57601,
        ID_FILE_SAVE_RESULTANT = 57604,
        ID_FILE_SAVE_PDF = 32780,
        ID_FILE_SAVE_BMP = 32781,
        ID_FILE_PRINT = 57607,
        ID_EDIT_COPY = 57634,
        ID_EDIT_COPY_DATA = 32787,
        ID_EDIT_LABELS = 32775,
        ID_EDIT_WINDOW = 32776,
        ID_VIEW_RESULTANT = 32774,
        ID_VIEW_XYZ = 32782,
        ID_VIEW_SURFACE = 32772,
        ID_VIEW_SFC = 141,
        ID_VIEW_AIS = 32785,
        ID_VIEW_ERRORS = 32783,
        ID_HIC15 = 32778,
        ID_HIC36 = 32777,
        ID_NO_WINDOW = 32779,
        ID_APP_ABOUT = 57664,
        ID_APP_EXIT = 57665,
    };

    CMainFrame(CHICDoc &doc, CHICView *view, QWidget *parent = nullptr);

    QAction *Action(Command id) const;
    // Runs a command as its menu entry does (when enabled).
    void Run(Command id);
    // Enables the commands by the document's state.
    void UpdateCommands();
    void SetRecentFiles(CRecentFileList *recent);
    CHICView *View() const { return m_view; }

    // Runs a call into the document that is no menu command (the start-up's opens) in
    // the command guard; false when it failed.
    bool Guard(const std::function<void()> &run);
    // File Open (its command, or the start-up, guards it).
    void OnFileOpen();
    // A recent file's menu entry.
    void OpenRecent(const QString &path);

private:
    QAction *Add(QMenu *menu, Command id, const QString &text, const QString &tip, std::function<void()> run,
                 std::function<bool()> enabled = {}, const QKeySequence &shortcut = {});
    void About();
    void FillRecentMenu();

    CHICDoc &m_doc;
    CHICView *m_view;
    kxres::CCommandTable *m_commands;
    QMenu *m_recentMenu = nullptr;
    CRecentFileList *m_recent = nullptr;
};

} // namespace hic
