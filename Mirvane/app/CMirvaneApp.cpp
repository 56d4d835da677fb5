#include "Mirvane/app/CMirvaneApp.h"

#include "Mirvane/app/CMainFrame.h"
#include "Mirvane/app/CMirvaneUi.h"
#include "Mirvane/document/CMirvaneDoc.h"
#include "Mirvane/views/CMirvaneView.h"
#include "shared_ui/services/CKxStartup.h"
#include "shared_ui/services/CMyCommandInfo.h"

#include <QIcon>
#include <QStyle>

namespace mirvane {

CMirvaneApp::CMirvaneApp()
    : CMirvaneApp(Options{})
{}

CMirvaneApp::CMirvaneApp(Options options)
    : m_options(std::move(options))
{}

CMirvaneApp::~CMirvaneApp()
{
    // The window goes before the document it shows.
    m_frame.reset();
}

void CMirvaneApp::InitInstance(const QStringList &arguments)
{
    CKxStartup::SetupApplication(QStringLiteral("Mirvane"), QStringLiteral("Mirvane"));
    m_doc = std::make_unique<CMirvaneDoc>(nullptr, m_options.settingsProgram);
    auto *view = new CMirvaneView(*m_doc);
    m_frame = std::make_unique<CMainFrame>(*m_doc, view);
    m_frame->setWindowIcon(
        QIcon::fromTheme(QStringLiteral("mirvane"), m_frame->style()->standardIcon(QStyle::SP_FileDialogContentsView)));
    m_ui = std::make_unique<CMirvaneUi>(m_doc->Settings(), m_frame.get());
    m_doc->SetUi(m_ui.get());

    CStartupOptions startupOptions;
    startupOptions.appName = QStringLiteral("Mirvane");
    startupOptions.title = QStringLiteral("Mirvane");
    startupOptions.trackUsage = m_options.trackUsage;
    startupOptions.showMainWindow = m_options.showMainWindow;
    m_startup = std::make_unique<CKxStartup>(startupOptions);
    CMirvaneDoc *doc = m_doc.get();
    CMainFrame *frame = m_frame.get();
    m_startup->onOpen = [frame] { frame->RunCommand(CMainFrame::ID_SELECT_FILES); };
    m_startup->onOpenFiles = [doc, frame](CMyCommandInfo &info) {
        frame->Guard([doc, &info] { doc->Run(info.m_fileNames, info.m_nCFC, 0.0, 0.0); });
    };
    m_startup->InitInstance(m_frame.get(), arguments);
}

} // namespace mirvane
