#include "Mirvane/app/CMainFrame.h"

#include "Mirvane/core/CPlot.h"
#include "Mirvane/document/CMirvaneDoc.h"
#include "Mirvane/views/CMirvaneView.h"
#include "shared_ui/services/CKXAboutDlg.h"
#include "shared_ui/dialogs/DialogWarning.h"

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
{
    setWindowTitle(QStringLiteral("Mirvane"));
    setCentralWidget(m_view);
    BuildMenus();
    connect(m_view, &CMirvaneView::PlotKindsChanged, this, [this](const std::vector<int> &kinds) { FillPlotKinds(kinds); });
    connect(m_view, &CMirvaneView::PlotKindsCleared, this, [this] { ClearPlotKinds(); });
    connect(&m_doc, &CMirvaneDoc::Updated, this, &CMainFrame::UpdateCommands);
    resize(1200, 700);
    UpdateCommands();
    qApp->installEventFilter(this);
}

CMainFrame::~CMainFrame() = default;

QAction *CMainFrame::Action(int id) const
{
    const auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

QAction *CMainFrame::AddCommand(int id, const QString &text, const QString &tip, std::function<void()> handler)
{
    auto *action = new QAction(text, this);
    action->setStatusTip(tip);
    connect(action, &QAction::triggered, this, [this, handler] {
        kxres::Guarded(this, handler);
        UpdateCommands();
    });
    m_actions[id] = action;
    return action;
}

void CMainFrame::BuildMenus()
{
    QStyle *s = style();
    QAction *select = AddCommand(ID_SELECT_FILES, QStringLiteral("&Select Files..."),
                                 QStringLiteral("Select the Files for processing"), [this] { m_doc.OnSelectFiles(); });
    select->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    select->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
    QAction *uds = AddCommand(ID_SAVE_UDS, QStringLiteral("&Uds Files"), QStringLiteral("Save the Plotted data as Uds files"),
                              [this] { m_doc.OnSaveUds(); });
    uds->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    AddCommand(ID_SAVE_ASCII, QStringLiteral("&Ascii Files"), QStringLiteral("Save the plotted Data as ASCII XY data files"),
               [this] { m_doc.OnSaveAscii(); });
    AddCommand(ID_SAVE_BMP, QStringLiteral("&Bmp"), QStringLiteral("Save the current plot as a bmp file"),
               [this] { m_view->OnSaveBitmap(); });
    AddCommand(ID_SAVE_PDF, QStringLiteral("&Pdf"), QStringLiteral("Save the current plot as a PDF file"),
               [this] { m_view->OnSavePdf(); });
    AddCommand(ID_SAVE_HTML, QStringLiteral("&HTML"), QStringLiteral("Save the results as an HTML file"),
               [this] { m_view->OnSaveHtml(); });
    QAction *print = AddCommand(ID_FILE_PRINT, QStringLiteral("&Print..."), QStringLiteral("Print the current plot"),
                                [this] { m_view->OnPrint(); });
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    print->setIcon(s->standardIcon(QStyle::SP_FileDialogDetailedView));
    QAction *exit = AddCommand(ID_APP_EXIT, QStringLiteral("E&xit"), QStringLiteral("Quit the application"), [this] { close(); });
    QAction *copy = AddCommand(ID_EDIT_COPY, QStringLiteral("&Copy"), QStringLiteral("Copy the chart to the clipboard"),
                               [this] { m_view->OnCopy(); });
    copy->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    copy->setIcon(s->standardIcon(QStyle::SP_FileDialogContentsView));
    AddCommand(ID_EDIT_COPY_DATA, QStringLiteral("Copy &Data"), QStringLiteral("Copy the plotted data to the clipboard"),
               [this] { m_view->OnCopyData(); });
    AddCommand(ID_CRITICAL_VALUES, QStringLiteral("Critical &Values"),
               QStringLiteral("Edit the critical values for Pass / Fail Criteria"), [this] { m_doc.OnCriticalValues(); });
    AddCommand(ID_CORRIDOR_SIZE, QStringLiteral("Corridor &Size"), QStringLiteral("Set size for Corridor Plot"),
               [this] { m_doc.OnCorridorSize(); });
    QAction *help = AddCommand(ID_HELP_CONTENTS, QStringLiteral("&Contents"),
                               QStringLiteral("Show the Table of Contents for the Help file"), [this] { m_view->OnHelp(); });
    help->setIcon(s->standardIcon(QStyle::SP_DialogHelpButton));
    AddCommand(ID_APP_ABOUT, QStringLiteral("&About Mirvane..."), QStringLiteral("Display program information"),
               [this] { OnAbout(); });
    QAction *headers = AddCommand(ID_VIEW_HEADERS, QStringLiteral("UDS &Headers"),
                                  QStringLiteral("Show the UDS headers of the loaded signals"), [this] { m_doc.ShowHeaders(); });
    headers->setIcon(s->standardIcon(QStyle::SP_FileDialogInfoView));

    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(select);
    QMenu *save = file->addMenu(QStringLiteral("&Save"));
    for (int id : {ID_SAVE_UDS, ID_SAVE_ASCII, ID_SAVE_BMP, ID_SAVE_PDF, ID_SAVE_HTML})
        save->addAction(Action(id));
    file->addAction(print);
    file->addSeparator();
    file->addAction(exit);
    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    for (int id : {ID_EDIT_COPY, ID_EDIT_COPY_DATA, ID_CRITICAL_VALUES, ID_CORRIDOR_SIZE})
        edit->addAction(Action(id));

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
        QTimer::singleShot(0, this, [this, kind] {
            kxres::Guarded(this, [this, kind] { m_doc.SetPlot(kind); });
            UpdateCommands();
        });
    });

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    QAction *toolbar = m_toolBar->toggleViewAction();
    toolbar->setText(QStringLiteral("&Toolbar"));
    m_actions[ID_VIEW_TOOLBAR] = toolbar;
    view->addAction(toolbar);
    auto *statusAction = new QAction(QStringLiteral("&Status Bar"), this);
    statusAction->setCheckable(true);
    statusAction->setChecked(true);
    connect(statusAction, &QAction::toggled, statusBar(), &QWidget::setVisible);
    m_actions[ID_VIEW_STATUS_BAR] = statusAction;
    view->addAction(statusAction);
    QMenu *helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    helpMenu->addAction(help);
    helpMenu->addAction(Action(ID_APP_ABOUT));
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

void CMainFrame::UpdateCommands()
{
    const bool summary = m_doc.CurrentPlotKind() == PlotSummary;
    const bool chart = m_view->HasChart();
    Action(ID_SAVE_UDS)->setEnabled(m_doc.CanSave());
    Action(ID_SAVE_ASCII)->setEnabled(m_doc.CanSave());
    Action(ID_SAVE_BMP)->setEnabled(chart);
    Action(ID_SAVE_PDF)->setEnabled(chart);
    Action(ID_SAVE_HTML)->setEnabled(summary && m_doc.HasSignals());
    Action(ID_FILE_PRINT)->setEnabled(!summary && chart);
    Action(ID_EDIT_COPY_DATA)->setEnabled(summary && m_doc.HasSignals());
    Action(ID_VIEW_HEADERS)->setEnabled(m_doc.HasSignals());
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
