#include "Sorvelt/app/CSorveltApp.h"

#include "Sorvelt/app/CMainFrame.h"
#include "Sorvelt/app/CSorveltUi.h"
#include "Sorvelt/document/CSorveltDoc.h"
#include "shared_ui/services/CKxStartup.h"
#include "shared_ui/services/CRecentFileList.h"

#include <QIcon>
#include <QStyle>

namespace sorvelt {

CSorveltApp::CSorveltApp()
    : CSorveltApp(Options{})
{}

CSorveltApp::CSorveltApp(Options options)
    : m_options(std::move(options))
{}

CSorveltApp::~CSorveltApp()
{
    // The window goes before the document it shows.
    m_frame.reset();
    m_ui.reset();
}

void CSorveltApp::OpenFile(const QString &path)
{
    m_doc->OpenDocument(path.toStdString());
}

void CSorveltApp::InitInstance(const QStringList &arguments)
{
    CKxStartup::SetupApplication(QStringLiteral("Sorvelt"), QStringLiteral("Sorvelt"));
    m_doc = std::make_unique<CSorveltDoc>(nullptr, m_options.settingsProgram);
    m_frame = std::make_unique<CMainFrame>(*m_doc);
    m_frame->setWindowIcon(
        QIcon::fromTheme(QStringLiteral("sorvelt"), m_frame->style()->standardIcon(QStyle::SP_ComputerIcon)));
    m_ui = std::make_unique<CSorveltUi>(*m_doc, m_frame.get());
    m_doc->SetUi(m_ui.get());

    CStartupOptions startupOptions;
    startupOptions.appName = m_options.settingsProgram;
    startupOptions.title = QStringLiteral("Sorvelt");
    startupOptions.recentFileCount = 4;
    startupOptions.suiteCommandLine = false;
    startupOptions.trackUsage = m_options.trackUsage;
    startupOptions.showMainWindow = m_options.showMainWindow;
    m_startup = std::make_unique<CKxStartup>(startupOptions);

    m_ui->onRecentFile = [this](const std::string &path) {
        if (CRecentFileList *recent = m_startup->RecentFiles()) {
            recent->Add(QString::fromStdString(path));
            m_frame->SetRecentFiles(recent->Files());
        }
    };
    m_frame->onOpenRecent = [this](const QString &path) { OpenFile(path); };
    // A file handed over by another start opens inside the commands' guard.
    m_startup->onOpenDocument = [this](const QString &path) {
        m_frame->Commands().Guard([this, &path] { OpenFile(path); });
    };
    m_doc->OnNewDocument();
    m_startup->InitInstance(m_frame.get(), arguments);
    if (CRecentFileList *recent = m_startup->RecentFiles())
        m_frame->SetRecentFiles(recent->Files());
}

} // namespace sorvelt
