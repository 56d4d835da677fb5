#include "Sorvelt/app/CMainFrame.h"

#include "Sorvelt/document/CSorveltDoc.h"
#include "Sorvelt/views/CSorveltPlot.h"
#include "Sorvelt/views/CSorveltView.h"
#include "shared_ui/frame/CCommandTable.h"
#include "shared_ui/services/CKXAboutDlg.h"

#include <QAction>
#include <QFileInfo>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace sorvelt {

CMainFrame::CMainFrame(CSorveltDoc &doc, std::function<void(CMainFrame &)> addPlot, QWidget *parent)
    : QMainWindow(parent)
    , m_doc(doc)
{
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(QStringLiteral("Sorvelt"));
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->setObjectName(QStringLiteral("splitter"));
    m_splitter->setChildrenCollapsible(false);
    m_tree = new CSorveltView(m_doc, m_splitter);
    m_splitter->addWidget(m_tree);
    if (addPlot)
        addPlot(*this);
    else
        SetPlot(new CSorveltPlot(m_doc));
    setCentralWidget(m_splitter);
    resize(1200, 750);

    m_commands = new kxres::CCommandTable(this, [this](const QString &text) { m_doc.ReportError(text); });
    // Ticks in the tree reach the document inside the commands' guard too.
    m_tree->SetGuard([this](const std::function<void()> &entry) { m_commands->Guard(entry); });
    CreateMenus();
    CreateToolBar();
    statusBar()->showMessage(QStringLiteral("Ready"));
    m_tree->setFocus();
    connect(&m_doc, &CSorveltDoc::Updated, m_commands, &kxres::CCommandTable::Update);
    m_commands->Update();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::SetPlot(CSorveltPlot *plot)
{
    if (!plot)
        return;
    if (m_plot) {
        const int index = m_splitter->indexOf(m_plot);
        m_splitter->replaceWidget(index, plot);
        m_plot->deleteLater();
    } else {
        m_splitter->addWidget(plot);
    }
    m_plot = plot;
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 2);
}

void CMainFrame::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // One third for the tree, two thirds for the chart.
    if (!m_splitDone) {
        const int width = std::max(3, m_splitter->width());
        m_splitter->setSizes({width / 3, width - width / 3});
        m_splitDone = true;
    }
}

void CMainFrame::CreateMenus()
{
    CSorveltDoc *doc = &m_doc;
    const auto loaded = [doc] { return doc->IsLoaded(); };
    const auto curves = [doc] { return doc->HasCurves(); };

    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    m_commands->Add(
        file, ID_FILE_NEW, QStringLiteral("&New"), [doc] { doc->OnNewDocument(); }, {}, QKeySequence::New);
    m_commands->Add(
        file, ID_FILE_OPEN, QStringLiteral("&Open..."), [doc] { doc->OnFileOpen(); }, {}, QKeySequence::Open);
    m_commands->Add(
        file, ID_FILE_RELOAD, QStringLiteral("&Reload"), [doc] { doc->OnReload(); }, curves);
    file->addSeparator();
    m_commands->Add(
        file, ID_FILE_SAVE_UDS, QStringLiteral("Save To &Uds..."), [doc] { doc->OnSaveToUds(); }, curves);
    m_commands->Add(
        file, ID_FILE_SAVE_ASCII, QStringLiteral("Save To &ASCII..."), [doc] { doc->OnSaveToAscii(); },
        [doc] { return doc->HasCurves() && doc->GetPointsPerCurve() >= 2; });
    m_commands->Add(
        file, ID_FILE_CONVERT, QStringLiteral("&Convert to UDS..."), [doc] { doc->OnConvertToUds(); }, loaded);
    file->addSeparator();
    m_commands->Add(
        file, ID_FILE_PRINT, QStringLiteral("&Print..."), [this] { m_plot->OnFilePrint(); }, {}, QKeySequence::Print);
    file->addSeparator();
    m_recentMenu = file->addMenu(QStringLiteral("Recent &Files"));
    m_recentMenu->setObjectName(QStringLiteral("recentMenu"));
    m_recentMenu->setEnabled(false);
    file->addSeparator();
    m_commands->Add(file, ID_APP_EXIT, QStringLiteral("E&xit"), [this] { close(); });

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    m_commands->Add(
        edit, ID_EDIT_COPY, QStringLiteral("&Copy"), [this] { m_plot->OnEditCopy(); }, {}, QKeySequence::Copy);
    m_commands->Add(
        edit, ID_EDIT_COPY_DATA, QStringLiteral("Copy &Data"), [doc] { doc->OnCopyData(); }, curves);

    QMenu *operate = menuBar()->addMenu(QStringLiteral("&Operate"));
    m_commands->Add(
        operate, ID_CFC60, QStringLiteral("CFC 60"), [doc] { doc->OnCfc(60); }, curves);
    m_commands->Add(
        operate, ID_CFC180, QStringLiteral("CFC 180"), [doc] { doc->OnCfc(180); }, curves);
    m_commands->Add(
        operate, ID_CFC600, QStringLiteral("CFC 600"), [doc] { doc->OnCfc(600); }, curves);
    m_commands->Add(
        operate, ID_CFC1000, QStringLiteral("CFC 1000"), [doc] { doc->OnCfc(1000); }, curves);
    m_commands->Add(
        operate, ID_OPERATE_FILTER, QStringLiteral("&Filter..."), [doc] { doc->OnFilter(); }, curves);
    m_commands->Add(
        operate, ID_OPERATE_FIR100, QStringLiteral("FIR100"), [doc] { doc->OnFir100(); }, curves);
    operate->addSeparator();
    m_commands->Add(
        operate, ID_OPERATE_ADD_X, QStringLiteral("Add Constant &X..."), [doc] { doc->OnAddConstantX(); }, curves);
    m_commands->Add(
        operate, ID_OPERATE_ADD_Y, QStringLiteral("Add Constant &Y..."), [doc] { doc->OnAddConstantY(); }, curves);
    m_commands->Add(
        operate, ID_OPERATE_SCALE_X, QStringLiteral("Scale X Axis..."), [doc] { doc->OnScaleX(); }, curves);
    m_commands->Add(
        operate, ID_OPERATE_SCALE_Y, QStringLiteral("Scale Y Axis..."), [doc] { doc->OnScaleY(); }, curves);
    m_commands->Add(
        operate, ID_OPERATE_BIAS_AUTO, QStringLiteral("Auto Remove Y"), [doc] { doc->OnAutoRemoveY(); }, curves);
    operate->addSeparator();
    m_commands->Add(
        operate, ID_OPERATE_DERIVATIVE, QStringLiteral("&Derivative"), [doc] { doc->OnDerivative(); }, curves);
    m_commands->Add(
        operate, ID_OPERATE_INTEGRATE, QStringLiteral("&Integrate"), [doc] { doc->OnIntegrate(); }, curves);
    m_commands->Add(
        operate, ID_OPERATE_RESAMPLE, QStringLiteral("&Resample..."), [doc] { doc->OnResample(); }, curves);
    m_commands->Add(
        operate, ID_OPERATE_TRUNCATE, QStringLiteral("&Truncate..."), [doc] { doc->OnTruncate(); }, curves);

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    m_commands->Add(view, ID_VIEW_SAVE_ZOOM, QStringLiteral("Save &Zoom"), [doc] { doc->OnSaveZoom(); });
    m_commands->SetChecked(ID_VIEW_SAVE_ZOOM, [doc] { return doc->GetSaveZoom(); });
    m_commands->Add(
        view, ID_VIEW_PLOT_LABELS, QStringLiteral("Plot &Labels..."), [doc] { doc->OnPlotLabels(); }, curves);

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    m_commands->Add(help, ID_APP_ABOUT, QStringLiteral("&About Sorvelt..."), [this] { OnAppAbout(); });
}

void CMainFrame::CreateToolBar()
{
    m_toolBar = addToolBar(QStringLiteral("Tool Bar"));
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    QStyle *s = style();
    const auto add = [this](int id, const QIcon &icon) {
        if (QAction *a = m_commands->Action(id)) {
            a->setIcon(icon);
            m_toolBar->addAction(a);
        }
    };
    add(ID_FILE_OPEN, s->standardIcon(QStyle::SP_DialogOpenButton));
    add(ID_FILE_RELOAD, s->standardIcon(QStyle::SP_BrowserReload));
    add(ID_FILE_SAVE_UDS, s->standardIcon(QStyle::SP_DialogSaveButton));
    add(ID_EDIT_COPY, s->standardIcon(QStyle::SP_FileDialogDetailedView));
    add(ID_FILE_PRINT, s->standardIcon(QStyle::SP_FileIcon));
    m_toolBar->addSeparator();
    for (int id : {ID_CFC60, ID_CFC180, ID_CFC600, ID_CFC1000})
        m_toolBar->addAction(m_commands->Action(id));
    m_toolBar->addSeparator();
    add(ID_APP_ABOUT, s->standardIcon(QStyle::SP_MessageBoxQuestion));
}

void CMainFrame::SetRecentFiles(const QStringList &files)
{
    m_recentMenu->clear();
    int number = 1;
    for (const QString &path : files) {
        QAction *a = m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(QFileInfo(path).fileName()));
        a->setToolTip(path);
        connect(a, &QAction::triggered, this, [this, path] {
            m_commands->Guard([this, &path] {
                if (onOpenRecent)
                    onOpenRecent(path);
            });
        });
    }
    m_recentMenu->setEnabled(!files.isEmpty());
}

void CMainFrame::OnAppAbout()
{
    CKXAboutDlg dlg(this);
    dlg.SetTitle(QStringLiteral("Sorvelt"));
    dlg.SetCaption(QStringLiteral("About: Sorvelt"));
    dlg.SetVersion();
    dlg.SetIcon(windowIcon());
    dlg.exec();
}

} // namespace sorvelt
