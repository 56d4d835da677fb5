#include "Pellora/app/CMainFrame.h"

#include "Pellora/document/CPelloraDoc.h"
#include "Pellora/views/CPelloraView.h"
#include "Pellora/app/DdeCommand.h"
#include "Pellora/views/IPlotPane.h"
#include "platform/CSettings.h"
#include "shared_ui/services/CKXAboutDlg.h"
#include "shared_ui/printing/PageSetup.h"
#include "shared_ui/dialogs/DialogWarning.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

namespace pellora {

CMainFrame::CMainFrame(CPelloraDoc &doc, QWidget *parent)
    : QMainWindow(parent)
    , m_doc(doc)
    , m_commands(this)
{
    // While a batch job runs, no command reaches the document (it works on the job's file).
    m_commands.SetGate([this] { return !m_doc.IsBatchRunning(); });
    m_commands.SetAfterRun([this] {
        UpdateCommandUI();
        // A close asked for while a batch job ran happens once the job has ended.
        if (m_closeAfterBatch && !m_doc.IsBatchRunning()) {
            m_closeAfterBatch = false;
            QTimer::singleShot(0, this, &QWidget::close);
        }
    });
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(QStringLiteral("Pellora"));
    setAcceptDrops(true);

    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->setChildrenCollapsible(false);
    m_list = new CPelloraView(m_doc, m_splitter);
    m_plotPane = new QWidget(m_splitter);
    m_plotPane->setObjectName(QStringLiteral("plotPane"));
    m_plotPane->setAutoFillBackground(true);
    m_splitter->addWidget(m_list);
    m_splitter->addWidget(m_plotPane);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 1);
    setCentralWidget(m_splitter);
    resize(1024, 768);
    m_splitter->setSizes({384, 384});

    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    // The bars can be hidden and shown again from the View menu.
    if (QMenu *view = menuBar()->findChild<QMenu *>(QStringLiteral("viewMenu"))) {
        QAction *first = view->actions().value(0);
        view->insertAction(first, m_toolBar->toggleViewAction());
        QAction *statusToggle = new QAction(QStringLiteral("&Status Bar"), this);
        statusToggle->setCheckable(true);
        statusToggle->setChecked(true);
        connect(statusToggle, &QAction::toggled, statusBar(), &QWidget::setVisible);
        view->insertAction(first, statusToggle);
        view->insertSeparator(first);
    }
    // The list's calls into the document run as commands do.
    m_list->SetGuard([this](const std::function<void()> &call) { return m_commands.Guard(call); });
    m_list->setFocus();

    connect(&m_doc, &CPelloraDoc::Updated, this, [this](UpdateHint) { UpdateCommandUI(); });
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CMainFrame::UpdateCommandUI);
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::SetPlotPane(QWidget *pane)
{
    if (!pane || pane == m_plotPane)
        return;
    const int index = m_plotPane ? m_splitter->indexOf(m_plotPane) : -1;
    const QList<int> sizes = m_splitter->sizes();
    if (index >= 0) {
        QWidget *old = m_splitter->replaceWidget(index, pane);
        if (old)
            old->deleteLater();
    } else {
        m_splitter->addWidget(pane);
    }
    m_plotPane = pane;
    m_splitter->setSizes(sizes);
    if (IPlotPane *plot = Plot())
        plot->OnChartChanged([this] { UpdateCommandUI(); });
    UpdateCommandUI();
}

IPlotPane *CMainFrame::Plot() const
{
    return dynamic_cast<IPlotPane *>(m_plotPane.data());
}

QAction *CMainFrame::Action(int id) const
{
    return m_commands.Action(id);
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    if (m_doc.IsBatchRunning()) {
        // The job ends first; the window closes when it has.
        m_doc.CancelBatch();
        m_closeAfterBatch = true;
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void CMainFrame::UpdateCommandUI()
{
    m_commands.Update();
}

QAction *CMainFrame::AddCommand(QMenu *menu, int id, const QString &text, std::function<void()> run,
                                std::function<bool()> enabled, const QKeySequence &shortcut)
{
    return m_commands.Add(menu, id, text, std::move(run), std::move(enabled), shortcut);
}

void CMainFrame::CreateMenus()
{
    CPelloraDoc &doc = m_doc;
    const auto loaded = [&doc] { return doc.HasSignals(); };
    // Commands on the chart shown: off while the pane is empty.
    const auto chart = [this] { return Plot() && Plot()->HasChart(); };
    const auto signalChart = [this, &doc] { return doc.HasSignals() && Plot() && Plot()->HasChart(); };
    const auto listed = [this, &doc] { return Plot() && !doc.GetFileNames().empty(); };
    const auto plot = [this] { return Plot() != nullptr; };
    const auto shortHeader = [this] { return IsShortHeader(); };
    const auto oneSignal = [&doc] { return doc.CanRunOneSignal(); };
    const auto oneOrThree = [&doc] { return doc.CanRunOneOrThree(); };
    const auto three = [&doc] { return doc.CanRunThree(); };
    const auto operation = [&doc](int code) { return [&doc, code] { doc.RunOperation(code); }; };

    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    AddCommand(
        file, ID_FILE_OPEN_DIRECTORY, QStringLiteral("&Open Directory..."), [&doc] { doc.OnOpenDirectory(); }, {},
        QKeySequence(QStringLiteral("Ctrl+O")));
    AddCommand(file, ID_FILE_OPEN_HITLIST, QStringLiteral("Open &Hitlist ..."), [&doc] { doc.OnOpenHitlist(); });
    file->addSeparator();
    QMenu *saveAs = file->addMenu(QStringLiteral("&Save As"));
    AddCommand(
        saveAs, ID_FILE_SAVE_AS_UDS, QStringLiteral("&Uds ..."),
        [this, &doc] { doc.OnSaveAsUds(m_list->CurrentItemStem()); }, signalChart);
    AddCommand(
        saveAs, ID_FILE_SAVE_ALL_UDS, QStringLiteral("UDS - All Selected Files ..."), [&doc] { doc.OnSaveAllUds(); },
        loaded);
    AddCommand(
        saveAs, ID_FILE_SAVE_AS_ASCII, QStringLiteral("&ASCII - All Selected Files ..."),
        [&doc] { doc.OnSaveAsAscii(); }, signalChart);
    AddCommand(
        saveAs, ID_FILE_SAVE_AS_IMAGEEXPRESS, QStringLiteral("&ImageExpress..."),
        [&doc] { doc.OnSaveAsImageExpress(); }, loaded);
    saveAs->addSeparator();
    AddCommand(
        saveAs, ID_FILE_SAVE_AS_JPEG, QStringLiteral("&Jpeg ..."), [&doc] { doc.OnSaveAsJpeg(); }, chart);
    AddCommand(
        saveAs, ID_FILE_SAVE_AS_WMF, QStringLiteral("P&DF..."), [&doc] { doc.OnSaveAsWmf(); }, chart);
    QMenu *saveAll = file->addMenu(QStringLiteral("Save &All Plots"));
    AddCommand(
        saveAll, ID_FILE_SAVE_ALL_JPG, QStringLiteral("&Jpg ..."), [&doc] { doc.OnSaveAllPlots(PlotImageKind::Jpeg); },
        listed);
    AddCommand(
        saveAll, ID_FILE_SAVE_ALL_WMF, QStringLiteral("P&DF ..."),
        [&doc] { doc.OnSaveAllPlots(PlotImageKind::Metafile); }, listed);
    file->addSeparator();
    AddCommand(
        file, ID_FILE_PRINT_CURRENT, QStringLiteral("&Print Current Plot"), [&doc] { doc.OnPrintPlots(false, false); },
        chart, QKeySequence(QStringLiteral("Ctrl+P")));
    QMenu *printMore = file->addMenu(QStringLiteral("Print &More"));
    AddCommand(
        printMore, ID_FILE_PRINT_ALL, QStringLiteral("All Plots ..."), [&doc] { doc.OnPrintPlots(true, false); }, plot);
    AddCommand(
        file, ID_FILE_PREVIEW_CURRENT, QStringLiteral("Current Plot Preview"),
        [&doc] { doc.OnPrintPlots(false, true); }, chart);
    AddCommand(
        file, ID_FILE_PREVIEW_ALL, QStringLiteral("Print Pre&view All"), [&doc] { doc.OnPrintPlots(true, true); },
        plot);
    AddCommand(file, ID_FILE_PRINT_SETUP, QStringLiteral("Page Orientation Set&up"), [this] { OnFilePrintSetup(); });
    AddCommand(file, ID_FILE_PAGE_MARGIN, QStringLiteral("Page Mar&gin Setup"), [&doc] { doc.OnPageMarginSetup(); });
    file->addSeparator();
    AddCommand(file, ID_APP_EXIT, QStringLiteral("E&xit"), [this] { close(); });

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    AddCommand(
        edit, ID_EDIT_COPY, QStringLiteral("&Copy Plot"), [this] { Plot()->CopyPlot(); }, chart,
        QKeySequence(QStringLiteral("Ctrl+C")));
    AddCommand(
        edit, ID_EDIT_COPY_DATA, QStringLiteral("Copy &Data"), [&doc] { doc.OnCopyData(); }, loaded);
    edit->addSeparator();
    AddCommand(edit, ID_EDIT_OPTIONS, QStringLiteral("&Options..."), [&doc] { doc.OnOptions(); });

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("viewMenu"));
    QMenu *sort = view->addMenu(QStringLiteral("&Sort"));
    const auto byCurve = [&doc] { return doc.Settings().GetInt("Sort", 0) == 1; };
    AddCommand(sort, ID_VIEW_SORT_NAME, QStringLiteral("by &Name"), [this] { OnSortByName(); });
    m_commands.SetChecked(ID_VIEW_SORT_NAME, [byCurve] { return !byCurve(); });
    AddCommand(sort, ID_VIEW_SORT_CURVE, QStringLiteral("by Curve &No."), [this] { OnSortByCurve(); });
    m_commands.SetChecked(ID_VIEW_SORT_CURVE, byCurve);
    AddCommand(
        view, ID_VIEW_UDS_HEADER, QStringLiteral("&Uds Header"), [&doc] { doc.OnViewUdsHeader(); },
        [&doc] { return doc.CanViewUdsHeader(); });

    QMenu *operate = menuBar()->addMenu(QStringLiteral("&Operate"));
    AddCommand(
        operate, ID_OPERATE_FILTER, QStringLiteral("&Filter ..."), [&doc] { doc.OnFilter(); }, loaded);
    AddCommand(
        operate, ID_OPERATE_RESAMPLE, QStringLiteral("&Resample"), [&doc] { doc.OnResample(); }, loaded);
    AddCommand(
        operate, ID_OPERATE_TRUNCATE, QStringLiteral("&Truncate ..."), [&doc] { doc.OnTruncate(); }, loaded);
    AddCommand(operate, ID_OPERATE_FIR100, QStringLiteral("FIR&100"), operation(CPelloraDoc::OpFir100), loaded);
    AddCommand(
        operate, ID_OPERATE_PAD_CUT, QStringLiteral("&Pad and/or Cut Points ..."), [&doc] { doc.OnPadCut(); },
        [&doc] { return doc.CanPadCut(); });
    operate->addSeparator();
    AddCommand(operate, ID_OPERATE_INTEGRATE, QStringLiteral("&Integrate"), operation(CPelloraDoc::OpIntegrate),
               loaded);
    AddCommand(operate, ID_OPERATE_DERIVATIVE, QStringLiteral("&Derivative"), operation(CPelloraDoc::OpDerivative),
               loaded);
    QMenu *bias = operate->addMenu(QStringLiteral("&Bias"));
    AddCommand(bias, ID_OPERATE_BIAS_AUTO, QStringLiteral("Auto Remove Y"), operation(CPelloraDoc::OpBiasAuto), loaded);
    AddCommand(bias, ID_OPERATE_ADD_X, QStringLiteral("Add Constant X"), operation(CPelloraDoc::OpAddX), loaded);
    AddCommand(bias, ID_OPERATE_ADD_Y, QStringLiteral("Add &Constant Y"), operation(CPelloraDoc::OpAddY), loaded);
    AddCommand(bias, ID_OPERATE_BIAS_TAIL, QStringLiteral("Remove Tail &Percent ..."),
               operation(CPelloraDoc::OpBiasTail), loaded);
    QMenu *scale = operate->addMenu(QStringLiteral("&Scale"));
    AddCommand(scale, ID_OPERATE_SCALE_Y, QStringLiteral("Y Axis"), operation(CPelloraDoc::OpScaleY), loaded);
    AddCommand(scale, ID_OPERATE_SCALE_X, QStringLiteral("X Axis"), operation(CPelloraDoc::OpScaleX), loaded);
    operate->addSeparator();
    AddCommand(operate, ID_OPERATE_RESULTANT, QStringLiteral("R&esultant"), operation(CPelloraDoc::OpResultant),
               [&doc] { return doc.CanResultant(); });
    AddCommand(operate, ID_OPERATE_AVERAGE, QStringLiteral("&Average"), operation(CPelloraDoc::OpAverage),
               [&doc] { return doc.CanCombine(); });
    AddCommand(operate, ID_OPERATE_SUM, QStringLiteral("&Sum"), operation(CPelloraDoc::OpSum),
               [&doc] { return doc.CanCombine(); });
    AddCommand(
        operate, ID_OPERATE_XY_SIGNAL, QStringLiteral("&Create X-Y Signal"), [&doc] { doc.OnCreateXYSignal(); },
        [&doc] { return doc.CanCreateXYSignal(); });
    operate->addSeparator();
    AddCommand(
        operate, ID_OPERATE_RELOAD, QStringLiteral("Re&load"), [&doc] { doc.OnReload(); },
        [&doc] { return !doc.GetSelectedFiles().empty(); });

    QMenu *labels = menuBar()->addMenu(QStringLiteral("&Labels"));
    AddCommand(
        labels, ID_LABEL_TITLE, QStringLiteral("&Title ..."), [&doc] { doc.OnLabelTitle(); }, shortHeader);
    AddCommand(
        labels, ID_LABEL_SUBTITLE, QStringLiteral("&SubTitle ..."), [&doc] { doc.OnLabelSubTitle(); }, shortHeader);
    AddCommand(labels, ID_LABEL_XAXIS, QStringLiteral("&X axis ..."), [&doc] { doc.OnLabelXAxis(); });
    AddCommand(labels, ID_LABEL_YAXIS, QStringLiteral("&Y axis ..."), [&doc] { doc.OnLabelYAxis(); });
    AddCommand(
        labels, ID_LABEL_SIGNALS, QStringLiteral("Signal &Labels ..."), [&doc] { doc.OnSignalLabels(); },
        [&doc] { return doc.CanEditSignalLabels(); });
    labels->addSeparator();
    AddCommand(labels, ID_LABEL_MULTILINE, QStringLiteral("&Multi Line Title"), [this] { OnMultiLineTitle(); });
    m_commands.SetChecked(ID_LABEL_MULTILINE, [&doc] { return !doc.IsShortHeader(); });

    QMenu *injury = menuBar()->addMenu(QStringLiteral("&Injury"));
    const struct {
        int id;
        const char *text;
        const char *tip;
        void (CPelloraDoc::*run)();
        std::function<bool()> enabled;
    } programs[] = {
        {ID_INJURY_QUILLET, "&Quillet", "Run the Quillet Criteria program using the selected signal",
         &CPelloraDoc::OnInjuryQuillet, oneSignal},
        {ID_INJURY_VC, "&V*C", "Run the Viscous Criteria program using the selected signal",
         &CPelloraDoc::OnInjuryViscous, oneSignal},
        {ID_INJURY_HIC, "&HIC", "Run the HIC program using the selected signal(s)", &CPelloraDoc::OnInjuryHic,
         oneOrThree},
        {ID_INJURY_CLIP3MS, "&3ms Clip", "Run the 3 ms Clip program using the selected signal(s)",
         &CPelloraDoc::OnInjuryClip3ms, oneOrThree},
        {ID_INJURY_NIJ, "&Nij", "Run the Nij program using the selected signals", &CPelloraDoc::OnInjuryNij, three},
        {ID_INJURY_TIBIA, "&Tibia Index", "Run the Tibia Index program using the selected signals",
         &CPelloraDoc::OnInjuryTibia, three},
    };
    for (const auto &p : programs) {
        const auto run = p.run;
        AddCommand(
            injury, p.id, QLatin1String(p.text), [&doc, run] { (doc.*run)(); }, p.enabled)
            ->setStatusTip(QLatin1String(p.tip));
    }

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    AddCommand(help, ID_APP_ABOUT, QStringLiteral("&About Pellora..."), [this] { OnAppAbout(); });

    for (QMenu *menu : menuBar()->findChildren<QMenu *>())
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
}

void CMainFrame::CreateToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("&Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    QStyle *s = style();
    const auto button = [this](int id, const QIcon &icon, const QString &tip) {
        QAction *a = Action(id);
        if (!icon.isNull())
            a->setIcon(icon);
        a->setToolTip(tip);
        m_toolBar->addAction(a);
    };
    button(ID_FILE_OPEN_DIRECTORY, s->standardIcon(QStyle::SP_DirOpenIcon), QStringLiteral("Open Directory"));
    button(ID_FILE_OPEN_HITLIST, s->standardIcon(QStyle::SP_FileDialogContentsView), QStringLiteral("Open Hitlist"));
    button(ID_FILE_SAVE_AS_UDS, s->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Save As Uds"));
    button(ID_FILE_SAVE_AS_ASCII, s->standardIcon(QStyle::SP_FileIcon), QStringLiteral("Save As ASCII"));
    button(ID_EDIT_COPY, QIcon::fromTheme(QStringLiteral("edit-copy")), QStringLiteral("Copy Plot"));
    button(ID_FILE_PRINT_CURRENT, QIcon::fromTheme(QStringLiteral("document-print")),
           QStringLiteral("Print Current Plot"));
    button(ID_VIEW_UDS_HEADER, s->standardIcon(QStyle::SP_FileDialogInfoView), QStringLiteral("Uds Header"));
    button(ID_OPERATE_RELOAD, s->standardIcon(QStyle::SP_BrowserReload), QStringLiteral("Reload"));
    m_toolBar->addSeparator();
    const struct {
        int id;
        const char *text;
    } classes[] = {{ID_CFC60, "60"}, {ID_CFC180, "180"}, {ID_CFC600, "600"}, {ID_CFC1000, "1000"}};
    CPelloraDoc &doc = m_doc;
    for (const auto &c : classes) {
        const int id = c.id;
        QAction *action = AddCommand(
            nullptr, id, QLatin1String(c.text), [&doc, id] { doc.OnFilterClassCommand(id); },
            [&doc] { return doc.HasSignals(); });
        action->setToolTip(QStringLiteral("Filter with channel class %1").arg(QLatin1String(c.text)));
        m_toolBar->addAction(action);
    }
    m_toolBar->addSeparator();
    button(ID_APP_ABOUT, s->standardIcon(QStyle::SP_MessageBoxQuestion), QStringLiteral("About"));
}

void CMainFrame::CreateStatusBar()
{
    statusBar()->showMessage(QStringLiteral("Ready"));
    for (const char *text : {"CAP", "NUM", "SCRL"}) {
        auto *label = new QLabel(QLatin1String(text), this);
        label->setEnabled(false);
        statusBar()->addPermanentWidget(label);
    }
}

bool CMainFrame::IsShortHeader() const
{
    return m_doc.IsShortHeader();
}

void CMainFrame::OnSortByName()
{
    m_doc.Settings().SetInt("Sort", 0);
    m_doc.Settings().Sync();
    m_doc.SortFileNames();
    m_doc.UpdateAllViews(UpdateHint::FileList);
}

void CMainFrame::OnSortByCurve()
{
    m_doc.Settings().SetInt("Sort", 1);
    m_doc.Settings().Sync();
    m_doc.SortFileNames();
    m_doc.UpdateAllViews(UpdateHint::FileList);
}

void CMainFrame::OnMultiLineTitle()
{
    m_doc.OnMultiLineTitle();
}

void CMainFrame::OnAppAbout()
{
    CKXAboutDlg dlg(this);
    const QString name = QStringLiteral("Pellora");
    dlg.SetTitle(name);
    dlg.SetCaption(QStringLiteral("About: ") + name);
    dlg.SetIcon(windowIcon());
    dlg.SetVersion();
    dlg.SetDescription(QStringLiteral("Utility Program for Editing, Saving, Processing and Plotting Varnex UDS Data"));
    dlg.exec();
}

void CMainFrame::OnFilePrintSetup()
{
    // The program's one page setup, used by every plot and report job.
    kxres::EditProgramPageSetup(this);
}

bool CMainFrame::HandleDdeCommand(const QString &text)
{
    const pellora::DdeCommand command = pellora::ParseDdeCommand(text.toStdString());
    if (command.kind != pellora::DdeCommand::Kind::None && m_doc.IsBatchRunning()) {
        // The file list changes only after the running job.
        QTimer::singleShot(250, this, [this, text] { HandleDdeCommand(text); });
        return true;
    }
    bool handled = false;
    kxres::Guarded(this, [&] { handled = RunDdeCommand(command); });
    return handled;
}

bool CMainFrame::RunDdeCommand(const DdeCommand &command)
{
    switch (command.kind) {
    case pellora::DdeCommand::Kind::DataFile:
        m_list->OnDataFile(command.path);
        return true;
    case pellora::DdeCommand::Kind::HitList:
        m_list->OnHitList(command.path);
        return true;
    case pellora::DdeCommand::Kind::CommandLine: {
        bool loadAtOnce = false;
        const std::vector<std::string> names = pellora::CommandLineNames(command.path, loadAtOnce);
        m_doc.AddCommandLine(names, loadAtOnce);
        return true;
    }
    case pellora::DdeCommand::Kind::None:
        break;
    }
    return false;
}

void CMainFrame::dragEnterEvent(QDragEnterEvent *event)
{
    if (CPelloraView::CanTake(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CMainFrame::dropEvent(QDropEvent *event)
{
    if (m_list->DropMimeData(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

} // namespace pellora
