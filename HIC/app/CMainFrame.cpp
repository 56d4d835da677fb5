#include "HIC/app/CMainFrame.h"

#include "HIC/document/CHICDoc.h"
#include "HIC/views/CHICView.h"
#include "shared_ui/services/CKXAboutDlg.h"
#include "shared_ui/services/CRecentFileList.h"
#include "shared_ui/frame/CCommandTable.h"

#include <QAction>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace hic {

CMainFrame::CMainFrame(CHICDoc &doc, CHICView *view, QWidget *parent)
    : QMainWindow(parent)
    , m_doc(doc)
    , m_view(view)
    , m_commands(new kxres::CCommandTable(this))
{
    setCentralWidget(view);
    resize(1100, 760);

    const auto result = [this] { return m_doc.ResultReady(); };
    // The window and plot commands compute a loaded file that has no result yet.
    const auto loaded = [this] { return m_doc.FileLoaded(); };
    CHICView *v = m_view;

    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    Add(
        file, ID_FILE_OPEN, QStringLiteral("&Open..."), QStringLiteral("Open a resultant or three axis files"),
        [this] { OnFileOpen(); }, {}, QKeySequence::Open);
    QMenu *save = file->addMenu(QStringLiteral("&Save"));
    Add(
        save, ID_FILE_SAVE_RESULTANT, QStringLiteral("&Resultant"), QStringLiteral("Save the resultant as a UDS file"),
        [this] { m_doc.SaveResultant(); }, result);
    Add(
        save, ID_FILE_SAVE_PDF, QStringLiteral("&Pdf"), QStringLiteral("Save the chart as a PDF file"),
        [v] { v->OnSavePdf(); }, result);
    Add(
        save, ID_FILE_SAVE_BMP, QStringLiteral("&Bmp"), QStringLiteral("Save the chart as a bitmap"),
        [v] { v->OnSaveBmp(); }, result);
    Add(
        file, ID_FILE_PRINT, QStringLiteral("&Print..."), QStringLiteral("Print the chart"), [v] { v->OnPrint(); },
        result, QKeySequence::Print);
    file->addSeparator();
    m_recentMenu = file->addMenu(QStringLiteral("Recent &Files"));
    file->addSeparator();
    Add(file, ID_APP_EXIT, QStringLiteral("E&xit"), QStringLiteral("Quit HIC"), [this] { close(); });

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    Add(
        edit, ID_EDIT_COPY, QStringLiteral("&Copy"), QStringLiteral("Copy the chart to the clipboard"),
        [v] { v->OnEditCopy(); }, result, QKeySequence::Copy);
    Add(
        edit, ID_EDIT_COPY_DATA, QStringLiteral("Copy &Data"), QStringLiteral("Copy the plotted data as text"),
        [this] { m_doc.CopyPlotData(); }, result);
    Add(
        edit, ID_EDIT_LABELS, QStringLiteral("Edit Plot &Labels"), QStringLiteral("Edit the titles of the chart"),
        [this] { m_doc.EditLabels(); }, result);
    Add(
        edit, ID_EDIT_WINDOW, QStringLiteral("HIC &Window"), QStringLiteral("Choose the HIC window"),
        [this] { m_doc.EditWindow(); }, loaded);

    QMenu *viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
    Add(
        viewMenu, ID_VIEW_RESULTANT, QStringLiteral("&Resultant"),
        QStringLiteral("The resultant with the HIC interval"), [this] { m_doc.SetMode(ModeResultant); }, loaded);
    Add(
        viewMenu, ID_VIEW_XYZ, QStringLiteral("&X, Y, Z"), QStringLiteral("The axis signals and the resultant"),
        [this] { m_doc.SetMode(ModeXYZ); }, [this] { return m_doc.FileLoaded() && m_doc.HasAxes(); });
    Add(
        viewMenu, ID_VIEW_SURFACE, QStringLiteral("&Surface Plot"), QStringLiteral("The HIC response surface"),
        [this] { m_doc.SetMode(ModeSurface); }, loaded);
    Add(
        viewMenu, ID_VIEW_SFC, QStringLiteral("Skull &Fracture Correlate"),
        QStringLiteral("The skull fracture correlate"), [this] { m_doc.ShowSfc(); }, loaded);
    Add(
        viewMenu, ID_VIEW_AIS, QStringLiteral("&AIS Cummulative Distribution"), QStringLiteral("Probability of injury"),
        [this] { m_doc.ShowAis(); }, loaded);
    viewMenu->addSeparator();
    Add(
        viewMenu, ID_VIEW_ERRORS, QStringLiteral("Show &Errors"),
        QStringLiteral("The errors and warnings of the last open"), [this] { m_doc.ShowErrors(); },
        [this] { return !m_doc.Messages().empty(); });

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    Add(help, ID_APP_ABOUT, QStringLiteral("&About HIC..."), QStringLiteral("Program information"),
        [this] { About(); });

    QToolBar *tools = addToolBar(QStringLiteral("Tools"));
    tools->setObjectName(QStringLiteral("Tools"));
    tools->addAction(Action(ID_FILE_OPEN));
    tools->addAction(Action(ID_EDIT_COPY));
    tools->addAction(Action(ID_FILE_PRINT));
    tools->addSeparator();
    tools->addAction(Add(
        nullptr, ID_HIC15, QStringLiteral("HIC 15"), QStringLiteral("15 ms window"),
        [this] { m_doc.ChangeWindow(15.0, true); }, loaded));
    tools->addAction(Add(
        nullptr, ID_HIC36, QStringLiteral("HIC 36"), QStringLiteral("36 ms window"),
        [this] { m_doc.ChangeWindow(36.0, true); }, loaded));
    tools->addAction(Add(
        nullptr, ID_NO_WINDOW, QStringLiteral("No Window"), QStringLiteral("No window"),
        [this] {
            if (m_doc.Mode() != ModeAis)
                m_doc.ChangeWindow(0.0, false);
        },
        loaded));
    statusBar()->showMessage(QStringLiteral("Ready"));

    for (QMenu *menu : {file, save, edit, viewMenu})
        m_commands->UpdateOnShow(menu);
    connect(m_recentMenu, &QMenu::aboutToShow, this, &CMainFrame::FillRecentMenu);
    UpdateCommands();
}

QAction *CMainFrame::Add(QMenu *menu, Command id, const QString &text, const QString &tip, std::function<void()> run,
                         std::function<bool()> enabled, const QKeySequence &shortcut)
{
    QAction *action = m_commands->Add(menu, id, text, std::move(run), std::move(enabled), shortcut);
    action->setStatusTip(tip);
    return action;
}

QAction *CMainFrame::Action(Command id) const
{
    return m_commands->Action(id);
}

void CMainFrame::UpdateCommands()
{
    m_commands->Update();
}

void CMainFrame::Run(Command id)
{
    m_commands->Run(id);
}

void CMainFrame::SetRecentFiles(CRecentFileList *recent)
{
    m_recent = recent;
}

void CMainFrame::FillRecentMenu()
{
    m_recentMenu->clear();
    if (!m_recent)
        return;
    int n = 0;
    for (const QString &path : m_recent->Files()) {
        QAction *action = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(++n).arg(path));
        connect(action, &QAction::triggered, this, [this, path] { OpenRecent(path); });
    }
}

void CMainFrame::OnFileOpen()
{
    if (m_doc.OnFileOpen() && m_recent && m_doc.OpenValues().resultant && m_doc.OpenValues().fileType == 0)
        m_recent->Add(QString::fromStdString(m_doc.OpenedPath()));
    UpdateCommands();
}

bool CMainFrame::Guard(const std::function<void()> &run)
{
    return m_commands->Guard(run);
}

void CMainFrame::OpenRecent(const QString &path)
{
    Guard([&] {
        OpenFilesValues values = m_doc.OpenValues();
        values.fileType = 0;
        values.resultant = true;
        values.resultantPath = path.toStdString();
        if (m_doc.OpenFiles(values) && m_recent)
            m_recent->Add(path);
    });
}

void CMainFrame::About()
{
    CKXAboutDlg about(this);
    about.SetCaption(QStringLiteral("About: HIC"));
    about.SetTitle(QStringLiteral("HIC"));
    about.SetIcon(windowIcon());
    about.SetVersion();
    about.exec();
}

} // namespace hic
