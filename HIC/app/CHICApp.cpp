#include "HIC/app/CHICApp.h"

#include "HIC/app/CHICUi.h"
#include "HIC/app/CMainFrame.h"
#include "HIC/document/CHICDoc.h"
#include "HIC/views/CHICView.h"
#include "platform/CSettings.h"
#include "platform/chart/surface/SurfaceChart.h"
#include "shared_ui/services/CKxStartup.h"
#include "shared_ui/services/CMyCommandInfo.h"

#include <QIcon>
#include <QStyle>

namespace hic {

CHICApp::CHICApp()
    : CHICApp(Options{})
{}

CHICApp::CHICApp(Options options)
    : m_options(std::move(options))
{}

CHICApp::~CHICApp()
{
    // The window goes before the document it shows.
    m_frame.reset();
}

void CHICApp::InitInstance(const QStringList &arguments)
{
    CKxStartup::SetupApplication(QStringLiteral("HIC"), QStringLiteral("HIC"));
    m_settings = std::make_unique<kxplatform::CSettings>(m_options.settingsProgram);
    m_doc = std::make_unique<CHICDoc>();
    auto *view = new CHICView(*m_doc, kxchart::makeChart, kxchart::makeSurfaceChart);
    m_frame = std::make_unique<CMainFrame>(*m_doc, view);
    m_frame->setWindowIcon(
        QIcon::fromTheme(QStringLiteral("hic"), m_frame->style()->standardIcon(QStyle::SP_ComputerIcon)));
    m_ui = std::make_unique<CHICUi>(*m_settings, m_frame.get());
    m_doc->SetUi(m_ui.get());
    m_doc->SetSettings(m_settings.get());
    CMainFrame *frame = m_frame.get();
    QObject::connect(m_doc.get(), &CHICDoc::Updated, view, &CHICView::OnUpdate);
    QObject::connect(m_doc.get(), &CHICDoc::Updated, frame, &CMainFrame::UpdateCommands);

    CStartupOptions startup;
    startup.appName = QStringLiteral("HIC");
    startup.title = QStringLiteral("HIC");
    startup.recentFileCount = 4;
    startup.trackUsage = m_options.trackUsage;
    startup.showMainWindow = m_options.showMainWindow;
    m_startup = std::make_unique<CKxStartup>(startup);
    CHICDoc *doc = m_doc.get();
    m_startup->onOpen = [frame] { frame->Guard([frame] { frame->OnFileOpen(); }); };
    m_startup->onOpenFiles = [doc, frame](CMyCommandInfo &info) {
        // The start mode may ask for the surface intervals.
        frame->Guard([&] { doc->RunCommandLine(info.m_fileNames, info.m_fWindow, info.m_nMode); });
    };
    m_startup->InitInstance(m_frame.get(), arguments);
    m_frame->SetRecentFiles(m_startup->RecentFiles());
}

} // namespace hic
