#pragma once

// Sorvelt's main window: the curve tree on the left third, the chart on the right
// two thirds, the menus, the tool bar and the status bar.

#include "shared_ui/frame/CCommandTable.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>

class QAction;
class QMenu;
class QSplitter;
class QToolBar;

namespace sorvelt {

class CSorveltDoc;
class CSorveltPlot;
class CSorveltView;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    enum Command : int {
        ID_FILE_NEW = 57600,
        ID_FILE_OPEN = 57601,
        ID_FILE_RELOAD = 32771,
        ID_FILE_SAVE_UDS = 32772,
        ID_FILE_SAVE_ASCII = 32773,
        ID_FILE_CONVERT = 32774,
        ID_FILE_PRINT = 57607,
        ID_APP_EXIT = 57665,
        ID_EDIT_COPY = 57634,
        ID_EDIT_COPY_DATA = 32775,
        ID_CFC60 = 32776,
        ID_CFC180 = 32777,
        ID_CFC600 = 32778,
        ID_CFC1000 = 32779,
        ID_OPERATE_FILTER = 32780,
        ID_OPERATE_ADD_X = 32781,
        ID_OPERATE_ADD_Y = 32782,
        ID_OPERATE_SCALE_X = 32783,
        ID_OPERATE_SCALE_Y = 32784,
        ID_OPERATE_BIAS_AUTO = 32785,
        ID_OPERATE_DERIVATIVE = 32786,
        ID_OPERATE_INTEGRATE = 32787,
        ID_OPERATE_FIR100 = 32788,
        ID_OPERATE_RESAMPLE = 32789,
        ID_OPERATE_TRUNCATE = 32790,
        ID_VIEW_SAVE_ZOOM = 32791,
        ID_VIEW_PLOT_LABELS = 32792,
        ID_APP_ABOUT = 57664,
    };

    // factory: the chart of the plot pane (tests pass a recording chart).
    explicit CMainFrame(CSorveltDoc &doc, std::function<void(CMainFrame &)> addPlot = {}, QWidget *parent = nullptr);
    ~CMainFrame() override;

    CSorveltDoc &Document() const { return m_doc; }
    CSorveltView *Tree() const { return m_tree; }
    CSorveltPlot *Plot() const { return m_plot; }
    QSplitter *Splitter() const { return m_splitter; }
    void SetPlot(CSorveltPlot *plot);

    // The menu and tool bar commands.
    kxres::CCommandTable &Commands() const { return *m_commands; }

    // The recent-file list shown in the File menu; opening one calls onOpenRecent.
    void SetRecentFiles(const QStringList &files);
    std::function<void(const QString &path)> onOpenRecent;
    void OnAppAbout();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void CreateMenus();
    void CreateToolBar();

    CSorveltDoc &m_doc;
    CSorveltView *m_tree = nullptr;
    CSorveltPlot *m_plot = nullptr;
    QSplitter *m_splitter = nullptr;
    QToolBar *m_toolBar = nullptr;
    QMenu *m_recentMenu = nullptr;
    kxres::CCommandTable *m_commands = nullptr;
    bool m_splitDone = false;
};

} // namespace sorvelt
