#include "Quillet/app/CMainFrame.h"

#include "Quillet/document/CQuilletDoc.h"
#include "Quillet/views/CNeckView.h"
#include "shared_ui/services/CKXAboutDlg.h"

#include <QAction>
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

    connect(&m_doc, &CQuilletDoc::Updated, this, [this] { UpdateCommandUI(); });
    connect(m_view, &CNeckView::ChartChanged, this, &CMainFrame::UpdateCommandUI);
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::CreateMenus()
{
    const auto chart = [this] { return m_view->HasChart(); };
    const auto kept = [this] { return m_doc.HasKeptSignals(); };
    const auto key = [](const char *text) { return QKeySequence(QLatin1String(text)); };
    kxres::CCommandTable &c = m_commands;

    // Open and About never depend on a file: a cancelled first Open must not lock the program.
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    c.Add(
        file, ID_FILE_OPEN, QStringLiteral("&Open..."), [this] { m_doc.OnFileOpen(); }, {}, key("Ctrl+O"));
    c.Add(
        file, ID_FILE_SAVE_ASCII, QStringLiteral("Save &ASCII"), [this] { m_doc.SaveAscii(); }, chart);
    c.Add(
        file, ID_FILE_SAVE_GRAPH, QStringLiteral("Save &Graph"), [this] { m_view->SaveGraph(); }, chart);
    c.Add(
        file, ID_FILE_SAVE_UDS, QStringLiteral("Save &UDS Specification"), [this] { m_doc.SaveUds(); }, chart);
    file->addSeparator();
    c.Add(
        file, ID_FILE_PRINT, QStringLiteral("&Print..."), [this] { m_view->PrintGraph(); }, chart, key("Ctrl+P"));
    file->addSeparator();
    c.Add(file, ID_APP_EXIT, QStringLiteral("E&xit"), [this] { close(); });

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    c.Add(
        edit, ID_EDIT_COPY_PLOT, QStringLiteral("&Copy Plot"), [this] { m_view->CopyPlot(); }, chart, key("Ctrl+C"));
    c.Add(
        edit, ID_EDIT_COPY_DATA, QStringLiteral("Copy &Data"), [this] { m_doc.CopyData(); }, chart, key("Ctrl+D"));
    c.Add(
        edit, ID_EDIT_CUSTOMIZE, QStringLiteral("C&ustomize Graph"), [this] { m_view->CustomizeGraph(); }, chart);

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    c.Add(
        view, ID_VIEW_UDS_SPECIFICATION, QStringLiteral("&UDS Specification"), [this] { m_doc.ShowUDSSpecification(); },
        kept);
    c.Add(
        view, ID_VIEW_ERROR_MESSAGES, QStringLiteral("&Error Messages"), [this] { m_doc.ShowErrorMessages(); },
        [this] { return !m_doc.GetMessages().empty(); });

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    c.Add(help, ID_APP_ABOUT, QStringLiteral("&About Quillet..."), [this] { OnAppAbout(); });

    // The tool bar's own UDS specification button.
    c.Add(
        nullptr, ID_TOOL_UDS_SPECIFICATION, QStringLiteral("UDS Specification"),
        [this] { m_doc.ShowUDSSpecification(); }, kept);
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
    put(ID_TOOL_UDS_SPECIFICATION, QStyle::SP_FileDialogInfoView);
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
