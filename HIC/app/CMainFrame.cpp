#include "HIC/app/CMainFrame.h"

#include "HIC/document/CHICDoc.h"
#include "HIC/views/CHICView.h"
#include "shared_ui/services/CKXAboutDlg.h"
#include "shared_ui/services/CRecentFileList.h"
#include "shared_ui/dialogs/DialogWarning.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace hic {

CMainFrame::CMainFrame(CHICDoc &doc, CHICView *view, QWidget *parent)
    : QMainWindow(parent)
    , m_doc(doc)
    , m_view(view)
{
    setCentralWidget(view);
    resize(1100, 760);

    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    Add(file, ID_FILE_OPEN, QStringLiteral("&Open...\tCtrl+O"), QStringLiteral("Open a resultant or three axis files"))
        ->setShortcut(QKeySequence::Open);
    QMenu *save = file->addMenu(QStringLiteral("&Save"));
    Add(save, ID_FILE_SAVE_RESULTANT, QStringLiteral("&Resultant"), QStringLiteral("Save the resultant as a UDS file"));
    Add(save, ID_FILE_SAVE_PDF, QStringLiteral("&Pdf"), QStringLiteral("Save the chart as a PDF file"));
    Add(save, ID_FILE_SAVE_BMP, QStringLiteral("&Bmp"), QStringLiteral("Save the chart as a bitmap"));
    Add(file, ID_FILE_PRINT, QStringLiteral("&Print...\tCtrl+P"), QStringLiteral("Print the chart"))
        ->setShortcut(QKeySequence::Print);
    file->addSeparator();
    m_recentMenu = file->addMenu(QStringLiteral("Recent &Files"));
    file->addSeparator();
    Add(file, ID_APP_EXIT, QStringLiteral("E&xit"), QStringLiteral("Quit HIC"));

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    Add(edit, ID_EDIT_COPY, QStringLiteral("&Copy\tCtrl+C"), QStringLiteral("Copy the chart to the clipboard"))
        ->setShortcut(QKeySequence::Copy);
    Add(edit, ID_EDIT_COPY_DATA, QStringLiteral("Copy &Data"), QStringLiteral("Copy the plotted data as text"));
    Add(edit, ID_EDIT_LABELS, QStringLiteral("Edit Plot &Labels"), QStringLiteral("Edit the titles of the chart"));
    Add(edit, ID_EDIT_WINDOW, QStringLiteral("HIC &Window"), QStringLiteral("Choose the HIC window"));

    QMenu *viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
    Add(viewMenu, ID_VIEW_RESULTANT, QStringLiteral("&Resultant"), QStringLiteral("The resultant with the HIC interval"));
    Add(viewMenu, ID_VIEW_XYZ, QStringLiteral("&X, Y, Z"), QStringLiteral("The axis signals and the resultant"));
    Add(viewMenu, ID_VIEW_SURFACE, QStringLiteral("&Surface Plot"), QStringLiteral("The HIC response surface"));
    Add(viewMenu, ID_VIEW_SFC, QStringLiteral("Skull &Fracture Correlate"), QStringLiteral("The skull fracture correlate"));
    Add(viewMenu, ID_VIEW_AIS, QStringLiteral("&AIS Cummulative Distribution"), QStringLiteral("Probability of injury"));
    viewMenu->addSeparator();
    Add(viewMenu, ID_VIEW_ERRORS, QStringLiteral("Show &Errors"), QStringLiteral("The errors and warnings of the last open"));

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    Add(help, ID_APP_ABOUT, QStringLiteral("&About HIC..."), QStringLiteral("Program information"));

    QToolBar *tools = addToolBar(QStringLiteral("Tools"));
    tools->setObjectName(QStringLiteral("Tools"));
    tools->addAction(Action(ID_FILE_OPEN));
    tools->addAction(Action(ID_EDIT_COPY));
    tools->addAction(Action(ID_FILE_PRINT));
    tools->addSeparator();
    tools->addAction(Add(nullptr, ID_HIC15, QStringLiteral("HIC 15"), QStringLiteral("15 ms window")));
    tools->addAction(Add(nullptr, ID_HIC36, QStringLiteral("HIC 36"), QStringLiteral("36 ms window")));
    tools->addAction(Add(nullptr, ID_NO_WINDOW, QStringLiteral("No Window"), QStringLiteral("No window")));
    statusBar()->showMessage(QStringLiteral("Ready"));

    for (QMenu *menu : {file, save, edit, viewMenu})
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommands);
    connect(m_recentMenu, &QMenu::aboutToShow, this, &CMainFrame::FillRecentMenu);
    UpdateCommands();
}

QAction *CMainFrame::Add(QMenu *menu, Command id, const QString &text, const QString &tip)
{
    auto *action = new QAction(text.section(QLatin1Char('\t'), 0, 0), this);
    action->setStatusTip(tip);
    action->setData(int(id));
    connect(action, &QAction::triggered, this, [this, id] { Dispatch(id); });
    if (menu)
        menu->addAction(action);
    m_actions[id] = action;
    return action;
}

void CMainFrame::UpdateCommands()
{
    const bool result = m_doc.ResultReady();
    for (Command id : {ID_FILE_SAVE_RESULTANT, ID_FILE_SAVE_PDF, ID_FILE_SAVE_BMP, ID_FILE_PRINT, ID_EDIT_COPY,
                       ID_EDIT_COPY_DATA, ID_EDIT_LABELS, ID_EDIT_WINDOW, ID_HIC15, ID_HIC36, ID_NO_WINDOW,
                       ID_VIEW_RESULTANT, ID_VIEW_SURFACE, ID_VIEW_SFC, ID_VIEW_AIS})
        m_actions[id]->setEnabled(result);
    m_actions[ID_VIEW_XYZ]->setEnabled(result && m_doc.HasAxes());
    m_actions[ID_VIEW_ERRORS]->setEnabled(!m_doc.Messages().empty());
}

void CMainFrame::Run(Command id)
{
    UpdateCommands();
    QAction *action = m_actions.at(id);
    if (action->isEnabled())
        action->trigger();
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
    kxres::Guarded(this, [&] {
        if (m_doc.OnFileOpen() && m_recent && m_doc.OpenValues().resultant && m_doc.OpenValues().fileType == 0)
            m_recent->Add(QString::fromStdString(m_doc.OpenedPath()));
        UpdateCommands();
    });
}

void CMainFrame::OpenRecent(const QString &path)
{
    kxres::Guarded(this, [&] {
        OpenFilesValues values = m_doc.OpenValues();
        values.fileType = 0;
        values.resultant = true;
        values.resultantPath = path.toStdString();
        if (m_doc.OpenFiles(values) && m_recent)
            m_recent->Add(path);
        UpdateCommands();
    });
}

void CMainFrame::ChangeWindow(double windowMs, bool backToResultant)
{
    const bool hadResult = m_doc.ResultReady();
    m_doc.SetWindow(windowMs);
    if (!hadResult)
        return;
    if (backToResultant)
        m_view->SetMode(ModeResultant);
    else
        m_view->OnUpdate(UpdateHint::Redraw);
}

void CMainFrame::Dispatch(Command id)
{
    kxres::Guarded(this, [&] {
        IHicUi *ui = m_doc.Ui();
        switch (id) {
        case ID_FILE_OPEN: OnFileOpen(); break;
        case ID_FILE_SAVE_RESULTANT: m_doc.SaveResultant(); break;
        case ID_FILE_SAVE_PDF: m_view->OnSavePdf(); break;
        case ID_FILE_SAVE_BMP: m_view->OnSaveBmp(); break;
        case ID_FILE_PRINT: m_view->OnPrint(); break;
        case ID_EDIT_COPY: m_view->OnEditCopy(); break;
        case ID_EDIT_COPY_DATA: m_view->OnCopyData(); break;
        case ID_EDIT_LABELS: m_doc.EditLabels(); break;
        case ID_EDIT_WINDOW: {
            double window = m_doc.Window();
            if (ui && ui->EditWindow(window, m_doc.TimeStepMs()))
                ChangeWindow(window, false);
            break;
        }
        case ID_VIEW_RESULTANT: m_view->SetMode(ModeResultant); break;
        case ID_VIEW_XYZ: m_view->SetMode(ModeXYZ); break;
        case ID_VIEW_SURFACE: m_view->SetMode(ModeSurface); break;
        case ID_VIEW_SFC: {
            const std::size_t before = m_doc.Messages().size();
            if (m_doc.ComputeSfc())
                m_view->SetMode(ModeSfc);
            else if (ui && m_doc.Messages().size() > before)
                ui->ShowErrorList({m_doc.Messages().begin() + std::ptrdiff_t(before), m_doc.Messages().end()});
            break;
        }
        case ID_VIEW_AIS:
            if (m_doc.SetWindow(15.0) && m_doc.ResultReady())
                m_view->SetMode(ModeAis);
            else if (ui)
                ui->ShowMessage("Failure to Calculate HIC 15", kxres::IKxUi::Icon::Exclamation);
            break;
        case ID_VIEW_ERRORS: m_doc.ShowErrors(); break;
        case ID_HIC15: ChangeWindow(15.0, true); break;
        case ID_HIC36: ChangeWindow(36.0, true); break;
        case ID_NO_WINDOW:
            if (m_view->Mode() == ModeAis)
                break;
            ChangeWindow(0.0, false);
            break;
        case ID_APP_ABOUT: {
            CKXAboutDlg about(this);
            about.SetCaption(QStringLiteral("About: HIC"));
            about.SetTitle(QStringLiteral("HIC"));
            about.SetIcon(windowIcon());
            about.SetVersion();
            about.exec();
            break;
        }
        case ID_APP_EXIT: close(); break;
        }
        UpdateCommands();
    });
}

} // namespace hic
