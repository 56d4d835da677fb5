#include "Mirvane/app/CMainFrame.h"

#include "Mirvane/core/CPlot.h"
#include "Mirvane/document/CMirvaneDoc.h"
#include "Mirvane/views/CMirvaneView.h"
#include "shared_ui/services/CKXAboutDlg.h"
#include "shared_ui/frame/CCommandTable.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

namespace mirvane {

CMainFrame::CMainFrame(CMirvaneDoc &doc, CMirvaneView *view)
    : m_doc(doc)
    , m_view(view)
    , m_commands(new kxres::CCommandTable(this))
{
    setWindowTitle(QStringLiteral("Mirvane"));
    setCentralWidget(m_view);
    BuildMenus();
    connect(m_view, &CMirvaneView::PlotKindsChanged, this,
            [this](const std::vector<int> &kinds) { FillPlotKinds(kinds); });
    connect(m_view, &CMirvaneView::PlotKindsCleared, this, [this] { ClearPlotKinds(); });
    connect(&m_doc, &CMirvaneDoc::Updated, this, &CMainFrame::UpdateCommands);
    resize(1200, 700);
    UpdateCommands();
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() = default;

QAction *CMainFrame::Action(int id) const
{
    return m_commands->Action(id);
}

void CMainFrame::BuildMenus()
{
    QStyle *s = style();
    kxres::CCommandTable &c = *m_commands;
    const auto canSave = [this] { return m_doc.CanSave(); };
    const auto chart = [this] { return m_view->HasChart(); };
    const auto summaryRun = [this] { return m_doc.CurrentPlotKind() == PlotSummary && m_doc.HasSignals(); };
    const auto tip = [](QAction *action, const char *text) {
        action->setStatusTip(QLatin1String(text));
        return action;
    };

    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    QAction *select = tip(c.Add(
                              file, ID_SELECT_FILES, QStringLiteral("&Select Files..."),
                              [this] { m_doc.OnSelectFiles(); }, {}, QKeySequence(Qt::CTRL | Qt::Key_O)),
                          "Select the Files for processing");
    select->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
    QMenu *save = file->addMenu(QStringLiteral("&Save"));
    QAction *uds = tip(c.Add(
                           save, ID_SAVE_UDS, QStringLiteral("&Uds Files"), [this] { m_doc.OnSaveUds(); }, canSave),
                       "Save the Plotted data as Uds files");
    uds->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    tip(c.Add(
            save, ID_SAVE_ASCII, QStringLiteral("&Ascii Files"), [this] { m_doc.OnSaveAscii(); }, canSave),
        "Save the plotted Data as ASCII XY data files");
    tip(c.Add(
            save, ID_SAVE_BMP, QStringLiteral("&Bmp"), [this] { m_view->OnSaveBitmap(); }, chart),
        "Save the current plot as a bmp file");
    tip(c.Add(
            save, ID_SAVE_PDF, QStringLiteral("&Pdf"), [this] { m_view->OnSavePdf(); }, chart),
        "Save the current plot as a PDF file");
    tip(c.Add(
            save, ID_SAVE_HTML, QStringLiteral("&HTML"), [this] { m_view->OnSaveHtml(); }, summaryRun),
        "Save the results as an HTML file");
    QAction *print = tip(c.Add(
                             file, ID_FILE_PRINT, QStringLiteral("&Print..."), [this] { m_view->OnPrint(); },
                             [this] { return m_doc.CurrentPlotKind() != PlotSummary && m_view->HasChart(); },
                             QKeySequence(Qt::CTRL | Qt::Key_P)),
                         "Print the current plot");
    print->setIcon(s->standardIcon(QStyle::SP_FileDialogDetailedView));
    file->addSeparator();
    tip(c.Add(file, ID_APP_EXIT, QStringLiteral("E&xit"), [this] { close(); }), "Quit the application");

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    QAction *copy = tip(c.Add(edit, ID_EDIT_COPY, QStringLiteral("&Copy"), [this] { m_view->OnCopy(); }),
                        "Copy the chart to the clipboard");
    copy->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    copy->setIcon(s->standardIcon(QStyle::SP_FileDialogContentsView));
    tip(c.Add(
            edit, ID_EDIT_COPY_DATA, QStringLiteral("Copy &Data"), [this] { m_view->OnCopyData(); }, summaryRun),
        "Copy the plotted data to the clipboard");
    tip(c.Add(edit, ID_CRITICAL_VALUES, QStringLiteral("Critical &Values"), [this] { m_doc.OnCriticalValues(); }),
        "Edit the critical values for Pass / Fail Criteria");
    tip(c.Add(edit, ID_CORRIDOR_SIZE, QStringLiteral("Corridor &Size"), [this] { m_doc.OnCorridorSize(); }),
        "Set size for Corridor Plot");
    QAction *headers = tip(c.Add(
                               nullptr, ID_VIEW_HEADERS, QStringLiteral("UDS &Headers"),
                               [this] { m_doc.ShowHeaders(); }, [this] { return m_doc.HasSignals(); }),
                           "Show the UDS headers of the loaded signals");
    headers->setIcon(s->standardIcon(QStyle::SP_FileDialogInfoView));
    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    QMenu *helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    QAction *help = tip(c.Add(helpMenu, ID_HELP_CONTENTS, QStringLiteral("&Contents"), [this] { m_view->OnHelp(); }),
                        "Show the Table of Contents for the Help file");
    help->setIcon(s->standardIcon(QStyle::SP_DialogHelpButton));
    tip(c.Add(helpMenu, ID_APP_ABOUT, QStringLiteral("&About Mirvane..."), [this] { OnAbout(); }),
        "Display program information");

    // The tool bar and the plot-type bar share the top row.
    m_toolBar = addToolBar(QStringLiteral("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("toolbar"));
    m_toolBar->addAction(select);
    m_toolBar->addAction(uds);
    m_toolBar->addSeparator();
    m_toolBar->addAction(copy);
    m_toolBar->addSeparator();
    m_toolBar->addAction(print);
    m_toolBar->addSeparator();
    m_toolBar->addAction(help);
    m_toolBar->addAction(headers);
    m_dialogBar = addToolBar(QStringLiteral("Plot Type"));
    m_dialogBar->setObjectName(QStringLiteral("dialogbar"));
    auto *label = new QLabel(QStringLiteral(" Plot Type "), this);
    m_dialogBar->addWidget(label);
    m_plotType = new QComboBox(this);
    m_plotType->setObjectName(QStringLiteral("plotType"));
    m_plotType->setMinimumContentsLength(22);
    label->setBuddy(m_plotType);
    m_dialogBar->addWidget(m_plotType);
    connect(m_plotType, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (m_filling || index < 0)
            return;
        const int kind = m_plotType->itemData(index).toInt();
        // Posted, as the selector's own signal is still running.
        QTimer::singleShot(0, this, [this, kind] { Guard([this, kind] { m_doc.SetPlot(kind); }); });
    });

    c.Add(view, ID_VIEW_TOOLBAR, QStringLiteral("&Toolbar"), [this] { m_toolBar->setVisible(m_toolBar->isHidden()); });
    c.SetChecked(ID_VIEW_TOOLBAR, [this] { return !m_toolBar->isHidden(); });
    c.Add(view, ID_VIEW_STATUS_BAR, QStringLiteral("&Status Bar"),
          [this] { statusBar()->setVisible(statusBar()->isHidden()); });
    c.SetChecked(ID_VIEW_STATUS_BAR, [this] { return !statusBar()->isHidden(); });
    c.UpdateOnShow(view);
    CreateStatusBar();
}

void CMainFrame::CreateStatusBar()
{
    statusBar()->showMessage(QStringLiteral("Ready"));
    for (const char *text : {"CAP", "NUM", "SCRL"}) {
        auto *indicator = new QLabel(QLatin1String(text), this);
        indicator->setObjectName(QLatin1String(text));
        indicator->setEnabled(false);
        statusBar()->addPermanentWidget(indicator);
    }
}

bool CMainFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched == this) {
        QTimer::singleShot(0, this, [this] { ReturnActivation(); });
    } else if (event->type() == QEvent::Hide && watched != this && watched->isWidgetType()) {
        const auto *widget = static_cast<QWidget *>(watched);
        if (widget->windowType() == Qt::Dialog)
            QTimer::singleShot(0, this, [this] { ReturnActivation(); });
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::ReturnActivation()
{
    // Without a window manager nobody hands the focus back after a dialog, and
    // the menu shortcuts work only in the active window.
    if (!isVisible())
        return;
    QWidget *modal = QApplication::activeModalWidget();
    QWidget *active = QApplication::activeWindow();
    if (modal && active != modal)
        modal->activateWindow();
    else if (!modal && !active)
        activateWindow();
}

void CMainFrame::RunCommand(int id)
{
    m_commands->Run(id);
}

bool CMainFrame::Guard(const std::function<void()> &run)
{
    return m_commands->Guard(run);
}

void CMainFrame::UpdateCommands()
{
    m_commands->Update();
}

void CMainFrame::FillPlotKinds(const std::vector<int> &kinds)
{
    m_filling = true;
    m_plotType->clear();
    for (const int kind : kinds)
        m_plotType->addItem(QString::fromStdString(PlotKindName(kind)), kind);
    if (m_plotType->count() > 0)
        m_plotType->setCurrentIndex(0);
    m_filling = false;
}

void CMainFrame::ClearPlotKinds()
{
    m_filling = true;
    m_plotType->clear();
    m_filling = false;
}

void CMainFrame::OnAbout()
{
    CKXAboutDlg dlg(this);
    dlg.SetCaption(QStringLiteral("About: Mirvane"));
    dlg.SetTitle(QStringLiteral("Mirvane"));
    dlg.SetVersion();
    dlg.exec();
}

} // namespace mirvane
