#pragma once

// Mirvane's main window: the menus, the tool bar with the plot-type selector,
// the status bar and the view.

#include <QMainWindow>

#include <functional>
#include <vector>

class QAction;
class QComboBox;
class QToolBar;

namespace kxres {
class CCommandTable;
}

namespace mirvane {

class CMirvaneDoc;
class CMirvaneView;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    enum Command : int {
        ID_SELECT_FILES = 57601,
        ID_SAVE_UDS = 32771,
        ID_SAVE_ASCII = 32772,
        ID_SAVE_BMP = 32773,
        ID_SAVE_PDF = 32774,
        ID_SAVE_HTML = 134,
        ID_FILE_PRINT = 57607,
        ID_APP_EXIT = 57665,
        ID_EDIT_COPY = 57634,
        ID_EDIT_COPY_DATA = 32775,
        ID_CRITICAL_VALUES = 32776,
        ID_CORRIDOR_SIZE = 32780,
        ID_VIEW_TOOLBAR = 59392,
        ID_VIEW_STATUS_BAR = 59393,
        ID_HELP_CONTENTS = 32778,
        ID_APP_ABOUT = 57664,
        ID_VIEW_HEADERS = 32779,
    };

    CMainFrame(CMirvaneDoc &doc, CMirvaneView *view);
    ~CMainFrame() override;

    QAction *Action(int id) const;
    // Runs a command as its menu entry does: only when enabled, inside the guard.
    void RunCommand(int id);
    // Runs a call into the document that comes from no menu inside the same guard.
    bool Guard(const std::function<void()> &run);
    // Runs the enabling rules of every command.
    void UpdateCommands();
    QComboBox *PlotTypeCombo() const { return m_plotType; }
    CMirvaneView *View() const { return m_view; }

    void FillPlotKinds(const std::vector<int> &kinds);
    void ClearPlotKinds();
    void OnAbout();
    QToolBar *ToolBar() const { return m_toolBar; }
    QToolBar *DialogBar() const { return m_dialogBar; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void BuildMenus();
    void CreateStatusBar();
    // Gives the keyboard back to the open modal dialog or to this window when
    // a window of ours closes and nothing else holds it.
    void ReturnActivation();

    CMirvaneDoc &m_doc;
    CMirvaneView *m_view;
    QComboBox *m_plotType = nullptr;
    QToolBar *m_toolBar = nullptr;
    QToolBar *m_dialogBar = nullptr;
    kxres::CCommandTable *m_commands;
    bool m_filling = false;
};

} // namespace mirvane
