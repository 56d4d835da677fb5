#include "Quillet/app/CMainFrame.h"

#include "Quillet/document/CQuilletDoc.h"
#include "Quillet/views/CNeckView.h"
#include "shared_ui/services/CommandAction.h"
#include "shared_ui/services/CKXAboutDlg.h"
#include "shared_ui/dialogs/DialogWarning.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace quillet {

CMainFrame::CMainFrame(CQuilletDoc &doc, CNeckView *view, QWidget *parent)
    : QMainWindow(parent)
    , m_doc(doc)
    , m_view(view)
{
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(QStringLiteral("Quillet"));
    m_view->setParent(this);
    setCentralWidget(m_view);
    resize(1024, 768);
    CreateMenus();
    CreateToolBar();
    statusBar()->showMessage(QStringLiteral("Ready"));
    for (const char *text : {"CAP", "NUM", "SCRL"}) {
        auto *label = new QLabel(QLatin1String(text), this);
        label->setEnabled(false);
        statusBar()->addPermanentWidget(label);
    }

    const auto chart = [this] { return m_view->HasChart(); };
    const auto kept = [this] { return m_doc.HasKeptSignals(); };
    // Open and About never depend on a file: a cancelled first Open must not lock the program.
    SetHandler(ID_FILE_OPEN, [this] { m_doc.OnFileOpen(); }, {});
    SetHandler(ID_APP_ABOUT, [this] { OnAppAbout(); }, {});
    SetHandler(ID_APP_EXIT, [this] { close(); }, {});
    SetHandler(ID_FILE_SAVE_ASCII, [this] { m_doc.SaveAscii(); }, chart);
    SetHandler(ID_FILE_SAVE_GRAPH, [this] { m_view->SaveGraph(); }, chart);
    SetHandler(ID_FILE_SAVE_UDS, [this] { m_doc.SaveUds(); }, chart);
    SetHandler(ID_FILE_PRINT, [this] { m_view->PrintGraph(); }, chart);
    SetHandler(ID_EDIT_COPY_PLOT, [this] { m_view->CopyPlot(); }, chart);
    SetHandler(ID_EDIT_COPY_DATA, [this] { m_doc.CopyData(); }, chart);
    SetHandler(ID_EDIT_CUSTOMIZE, [this] { m_view->CustomizeGraph(); }, chart);
    SetHandler(ID_VIEW_UDS_SPECIFICATION, [this] { m_doc.ShowUDSSpecification(); }, kept);
    SetHandler(ID_TOOL_UDS_SPECIFICATION, [this] { m_doc.ShowUDSSpecification(); }, kept);
    SetHandler(ID_VIEW_ERROR_MESSAGES, [this] { m_doc.ShowErrorMessages(); },
               [this] { return !m_doc.GetMessages().empty(); });

    connect(&m_doc, &CQuilletDoc::Updated, this, [this](int) { UpdateCommandUI(); });
    connect(m_view, &CNeckView::ChartChanged, this, &CMainFrame::UpdateCommandUI);
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() = default;

QAction *CMainFrame::Action(int id) const
{
    const auto it = m_commands.find(id);
    return it == m_commands.end() ? nullptr : it->second.action;
}

void CMainFrame::SetHandler(int id, std::function<void()> run, std::function<bool()> enabled)
{
    CommandEntry &entry = m_commands[id];
    entry.run = std::move(run);
    entry.enabled = std::move(enabled);
}

void CMainFrame::RunCommand(int id)
{
    UpdateCommandUI();
    const auto it = m_commands.find(id);
    if (it == m_commands.end() || !it->second.run || !it->second.action || !it->second.action->isEnabled())
        return;
    kxres::Guarded(this, it->second.run);
    UpdateCommandUI();
}

void CMainFrame::UpdateCommandUI()
{
    for (auto &[id, entry] : m_commands) {
        if (entry.action)
            entry.action->setEnabled(entry.run && (!entry.enabled || entry.enabled()));
    }
}

QAction *CMainFrame::AddCommand(QMenu *menu, int id, const QString &text, const QKeySequence &shortcut)
{
    QAction *action = kxres::AddCommandAction(this, menu, id, text, shortcut, [this](int command) { RunCommand(command); });
    m_commands[id].action = action;
    return action;
}

void CMainFrame::CreateMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    AddCommand(file, ID_FILE_OPEN, QStringLiteral("&Open..."), QKeySequence(QStringLiteral("Ctrl+O")));
    AddCommand(file, ID_FILE_SAVE_ASCII, QStringLiteral("Save &ASCII"));
    AddCommand(file, ID_FILE_SAVE_GRAPH, QStringLiteral("Save &Graph"));
    AddCommand(file, ID_FILE_SAVE_UDS, QStringLiteral("Save &UDS Specification"));
    file->addSeparator();
    AddCommand(file, ID_FILE_PRINT, QStringLiteral("&Print..."), QKeySequence(QStringLiteral("Ctrl+P")));
    file->addSeparator();
    AddCommand(file, ID_APP_EXIT, QStringLiteral("E&xit"));

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    AddCommand(edit, ID_EDIT_COPY_PLOT, QStringLiteral("&Copy Plot"), QKeySequence(QStringLiteral("Ctrl+C")));
    AddCommand(edit, ID_EDIT_COPY_DATA, QStringLiteral("Copy &Data"), QKeySequence(QStringLiteral("Ctrl+D")));
    AddCommand(edit, ID_EDIT_CUSTOMIZE, QStringLiteral("C&ustomize Graph"));

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    AddCommand(view, ID_VIEW_UDS_SPECIFICATION, QStringLiteral("&UDS Specification"));
    AddCommand(view, ID_VIEW_ERROR_MESSAGES, QStringLiteral("&Error Messages"));

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    AddCommand(help, ID_APP_ABOUT, QStringLiteral("&About Quillet..."));
}

void CMainFrame::CreateToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("Standard"));
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    const auto put = [this](int id, QStyle::StandardPixmap icon) {
        QAction *action = Action(id);
        action->setIcon(style()->standardIcon(icon));
        m_toolBar->addAction(action);
    };
    put(ID_FILE_OPEN, QStyle::SP_DialogOpenButton);
    put(ID_FILE_SAVE_GRAPH, QStyle::SP_DialogSaveButton);
    put(ID_FILE_PRINT, QStyle::SP_FileDialogDetailedView);
    put(ID_EDIT_COPY_PLOT, QStyle::SP_FileDialogContentsView);
    // The tool bar's own UDS specification button.
    auto *uds = AddCommand(nullptr, ID_TOOL_UDS_SPECIFICATION, QStringLiteral("UDS Specification"));
    uds->setIcon(style()->standardIcon(QStyle::SP_FileDialogInfoView));
    m_toolBar->addAction(uds);
    put(ID_APP_ABOUT, QStyle::SP_MessageBoxQuestion);
}

void CMainFrame::OnAppAbout()
{
    CKXAboutDlg dlg(this);
    const QString name = QStringLiteral("Quillet");
    dlg.SetTitle(name);
    dlg.SetCaption(QStringLiteral("About: ") + name);
    dlg.SetIcon(windowIcon());
    dlg.SetVersion();
    dlg.SetDescription(QStringLiteral("FMVSS Quillet Injury Criteria"));
    dlg.exec();
}

} // namespace quillet
