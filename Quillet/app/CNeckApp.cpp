#include "Quillet/app/CNeckApp.h"

#include "Quillet/app/CMainFrame.h"
#include "Quillet/app/CQuilletUi.h"
#include "Quillet/document/CQuilletDoc.h"
#include "Quillet/views/CNeckView.h"
#include "shared_ui/services/CKxStartup.h"

#include <QIcon>
#include <QStyle>

namespace quillet {

CNeckApp::CNeckApp()
    : CNeckApp(Options{})
{}

CNeckApp::CNeckApp(Options options)
    : m_options(std::move(options))
{}

CNeckApp::~CNeckApp()
{
    // The window goes before the document it shows.
    m_startup.reset();
    m_frame.reset();
}

void CNeckApp::InitInstance(const QStringList &arguments)
{
    CKxStartup::SetupApplication(QStringLiteral("Quillet"), QStringLiteral("Quillet"));
    m_doc = std::make_unique<CQuilletDoc>(nullptr, m_options.settingsProgram);
    m_doc->OnNewDocument();
    m_frame = std::make_unique<CMainFrame>(*m_doc, new CNeckView(*m_doc));
    m_frame->setWindowIcon(
        QIcon::fromTheme(QStringLiteral("quillet"), m_frame->style()->standardIcon(QStyle::SP_ComputerIcon)));
    m_ui = std::make_unique<CQuilletUi>(m_doc->Settings(), m_frame.get());
    m_doc->SetUi(m_ui.get());

    CStartupOptions startupOptions;
    startupOptions.appName = QStringLiteral("Quillet");
    startupOptions.title = QStringLiteral("Quillet");
    startupOptions.trackUsage = m_options.trackUsage;
    startupOptions.showMainWindow = m_options.showMainWindow;
    startupOptions.maximised = true;
    m_startup = std::make_unique<CKxStartup>(startupOptions);
    CQuilletDoc *doc = m_doc.get();
    CMainFrame *frame = m_frame.get();
    m_startup->onOpen = [frame] { frame->RunCommand(CMainFrame::ID_FILE_OPEN); };
    m_startup->onOpenFiles = [doc, frame](CMyCommandInfo &info) {
        frame->Guard([doc, &info] { doc->OpenFileList(info.m_fileNames); });
    };
    m_startup->InitInstance(m_frame.get(), arguments);
}

} // namespace quillet
