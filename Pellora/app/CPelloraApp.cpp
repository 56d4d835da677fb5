#include "Pellora/app/CPelloraApp.h"

#include "Pellora/app/CMainFrame.h"
#include "Pellora/document/CPelloraDoc.h"
#include "Pellora/app/CPelloraUi.h"
#include "Pellora/views/CPlotView.h"
#include "Pellora/app/DdeCommand.h"
#include "platform/CSingleInstance.h"
#include "shared_ui/services/CKxStartup.h"
#include "shared_ui/services/CMyCommandInfo.h"

#include <QFileInfo>
#include <QIcon>
#include <QPointer>
#include <QStyle>

namespace pellora {

CPelloraApp::CPelloraApp()
    : CPelloraApp(Options{})
{}

CPelloraApp::CPelloraApp(Options options)
    : m_options(std::move(options))
{}

CPelloraApp::~CPelloraApp()
{
    // The window goes before the document it shows.
    m_instance.reset();
    m_frame.reset();
}

QStringList CPelloraApp::CommandsFor(CMyCommandInfo &info)
{
    // The names as this start sees them (its own folder), the switches with them: the
    // running Pellora checks them as it checks its own command line.
    std::vector<std::string> names;
    for (const std::string &name : info.m_fileNames)
        names.push_back(QFileInfo(QString::fromStdString(name)).absoluteFilePath().toStdString());
    return {QString::fromStdString(pellora::MakeCommandLineCommand(names, info.m_bO))};
}

bool CPelloraApp::ForwardToRunning(const QString &instanceKey, const QStringList &arguments)
{
    CMyCommandInfo info;
    info.ParseCommandLine(arguments);
    if (info.IsFileListEmpty())
        return false;
    return kxplatform::CSingleInstance::SendToRunning(instanceKey, CommandsFor(info));
}

int CPelloraApp::InitInstance(const QStringList &arguments)
{
    CKxStartup::SetupApplication(QStringLiteral("Pellora"), QStringLiteral("Pellora"));
    // Files named while Pellora runs (a second start, the desktop's Open) go to it.
    if (ForwardToRunning(m_options.instanceKey, arguments))
        return 0;

    m_doc = std::make_unique<CPelloraDoc>(nullptr, m_options.settingsProgram);
    m_doc->OnNewDocument();
    m_frame = std::make_unique<CMainFrame>(*m_doc);
    m_ui = std::make_unique<CPelloraUi>(m_doc->Settings(), m_frame.get());
    m_doc->SetUi(m_ui.get());
    auto *plot = new CPlotView(*m_doc);
    m_frame->SetPlotPane(plot);
    m_ui->SetShownRange([plot = QPointer<CPlotView>(plot)](QRectF &range) { return plot && plot->ZoomRange(range); });
    m_frame->setWindowIcon(
        QIcon::fromTheme(QStringLiteral("pellora"), m_frame->style()->standardIcon(QStyle::SP_ComputerIcon)));

    m_instance = std::make_unique<kxplatform::CSingleInstance>(m_options.instanceKey);
    if (m_instance->Listen()) {
        connect(m_instance.get(), &kxplatform::CSingleInstance::MessageReceived, m_frame.get(),
                [frame = m_frame.get()](const QString &message) { frame->HandleDdeCommand(message); });
    }

    CStartupOptions startupOptions;
    startupOptions.appName = QStringLiteral("Pellora");
    startupOptions.title = QStringLiteral("Pellora");
    startupOptions.trackUsage = m_options.trackUsage;
    startupOptions.showMainWindow = m_options.showMainWindow;
    startupOptions.maximised = true;
    m_startup = std::make_unique<CKxStartup>(startupOptions);
    CPelloraDoc *doc = m_doc.get();
    m_startup->onOpen = [doc] { doc->OnOpenDirectory(); };
    m_startup->onOpenFiles = [doc](CMyCommandInfo &info) {
        doc->SetLoadAtOnce(info.m_bO);
        doc->CommandLineBrowse(info.m_fileNames);
    };
    m_startup->InitInstance(m_frame.get(), arguments);
    return -1;
}

} // namespace pellora
