#pragma once

// Pellora's main window: the file list above, the plot pane below, the menus,
// the tool bar and the status bar.

#include "shared_ui/frame/CCommandTable.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>

class QAction;
class QLabel;
class QSplitter;
class QToolBar;

namespace pellora {

class CPelloraDoc;
struct DdeCommand;
class CPelloraView;
class IPlotPane;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    // Command ids of the menus and the tool bar.
    enum Command : int {
        ID_FILE_OPEN_DIRECTORY = 57601,
        ID_FILE_OPEN_HITLIST = 32812,
        ID_FILE_SAVE_AS_UDS = 32788,
        ID_FILE_SAVE_ALL_UDS = 32853,
        ID_FILE_SAVE_AS_ASCII = 32789,
        ID_FILE_SAVE_AS_IMAGEEXPRESS = 32848,
        ID_FILE_SAVE_AS_JPEG = 32817,
        ID_FILE_SAVE_AS_WMF = 32818,
        ID_FILE_SAVE_ALL_JPG = 32846,
        ID_FILE_SAVE_ALL_WMF = 32847,
        ID_FILE_PRINT_CURRENT = 32860,
        ID_FILE_PRINT_ALL = 57607,
        ID_FILE_PREVIEW_CURRENT = 32863,
        ID_FILE_PREVIEW_ALL = 57609,
        ID_FILE_PRINT_SETUP = 57606,
        ID_FILE_PAGE_MARGIN = 32861,
        ID_APP_EXIT = 57665,
        ID_EDIT_COPY = 57634,
        ID_EDIT_COPY_DATA = 32781,
        ID_EDIT_OPTIONS = 32815,
        ID_VIEW_SORT_NAME = 32786,
        ID_VIEW_SORT_CURVE = 32787,
        ID_VIEW_UDS_HEADER = 32784,
        ID_OPERATE_FILTER = 32776,
        ID_OPERATE_RESAMPLE = 32783,
        ID_OPERATE_TRUNCATE = 32790,
        ID_OPERATE_FIR100 = 32780,
        ID_OPERATE_INTEGRATE = 32777,
        ID_OPERATE_DERIVATIVE = 32778,
        ID_OPERATE_BIAS_AUTO = 32791,
        ID_OPERATE_ADD_X = 32795,
        ID_OPERATE_ADD_Y = 32792,
        ID_OPERATE_SCALE_Y = 32793,
        ID_OPERATE_SCALE_X = 32794,
        ID_OPERATE_RESULTANT = 32835,
        ID_OPERATE_AVERAGE = 32836,
        ID_OPERATE_SUM = 32837,
        ID_OPERATE_PAD_CUT = 32865,
        ID_OPERATE_XY_SIGNAL = 32851,
        ID_OPERATE_RELOAD = 32809,
        ID_CFC60 = 32804,
        ID_CFC180 = 32805,
        ID_CFC600 = 32806,
        ID_CFC1000 = 32807,
        ID_LABEL_TITLE = 32772,
        ID_LABEL_SUBTITLE = 32773,
        ID_LABEL_XAXIS = 32774,
        ID_LABEL_YAXIS = 32775,
        ID_LABEL_SIGNALS = 32844,
        ID_LABEL_MULTILINE = 32799,
        ID_INJURY_QUILLET = 32841,
        ID_INJURY_VC = 32840,
        ID_INJURY_HIC = 32838,
        ID_INJURY_CLIP3MS = 32839,
        ID_INJURY_NIJ = 32843,
        ID_INJURY_TIBIA = 32842,
        ID_APP_ABOUT = 57664,
        // Remove tail bias (Operate/Bias).
        ID_OPERATE_BIAS_TAIL = 32854,
    };

    explicit CMainFrame(CPelloraDoc &doc, QWidget *parent = nullptr);
    ~CMainFrame() override;

    CPelloraDoc &Document() const { return m_doc; }
    CPelloraView *ListView() const { return m_list; }
    QWidget *PlotPane() const { return m_plotPane; }
    // Replaces the lower pane; when it implements IPlotPane the plot commands go to it.
    void SetPlotPane(QWidget *pane);
    QSplitter *Splitter() const { return m_splitter; }
    QToolBar *ToolBar() const { return m_toolBar; }

    // The action of a command id (null for an unknown id).
    QAction *Action(int id) const;
    const kxres::CCommandTable &Commands() const { return m_commands; }
    // Re-evaluates every enabling rule and check mark.
    void UpdateCommandUI();

    // The desktop commands "[DataFile(path)]" and "[HitList(path)]"; false for other text.
    bool HandleDdeCommand(const QString &command);

    // Sort order of the list: false by name, true by curve number.
    void OnSortByName();
    void OnSortByCurve();
    bool IsShortHeader() const;
    void OnMultiLineTitle();
    void OnAppAbout();
    void OnFilePrintSetup();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Declares a command once: its place, text, handler, enabling rule and shortcut.
    QAction *AddCommand(QMenu *menu, int id, const QString &text, std::function<void()> run,
                        std::function<bool()> enabled = {}, const QKeySequence &shortcut = {});
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    IPlotPane *Plot() const;
    bool RunDdeCommand(const DdeCommand &command);

    CPelloraDoc &m_doc;
    CPelloraView *m_list = nullptr;
    QPointer<QWidget> m_plotPane;
    QSplitter *m_splitter = nullptr;
    QToolBar *m_toolBar = nullptr;
    kxres::CCommandTable m_commands;
    bool m_closeAfterBatch = false;
};

} // namespace pellora
