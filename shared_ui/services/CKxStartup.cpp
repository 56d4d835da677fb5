#include "shared_ui/services/CKxStartup.h"

#include "platform/BuildVersion.h"
#include "platform/CSettings.h"
#include "platform/MemoryReuse.h"
#include "shared_ui/services/CErrorDialog.h"
#include "shared_ui/services/CRecentFileList.h"

#include <clocale>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

CKxStartup::CKxStartup(CStartupOptions options, QObject *parent)
    : QObject(parent)
    , m_options(std::move(options))
{
    if (m_options.recentFileCount > 0)
        m_recent = std::make_unique<CRecentFileList>(m_options.appName, m_options.recentFileCount);
}

CKxStartup::~CKxStartup()
{
    Shutdown();
}

void CKxStartup::SetupApplication(const QString &appName, const QString &title)
{
    kxplatform::KeepFreedMemoryForReuse();
    // Qt adopts the user's locale for the C library; numbers in files, reports and plot
    // texts keep the decimal point whatever the user's language.
    std::setlocale(LC_NUMERIC, "C");
    QCoreApplication::setOrganizationName(QLatin1String(kxplatform::CSettings::Organisation));
    if (!appName.isEmpty())
        QCoreApplication::setApplicationName(appName);
    QCoreApplication::setApplicationVersion(QLatin1String(kxplatform::BuildVersion()));
    if (!title.isEmpty() && qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        QGuiApplication::setApplicationDisplayName(title);
    // A settings file that cannot be written is told once, from the event loop, so that
    // a write in the middle of a command or a destructor never opens a dialog there.
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
        kxplatform::CSettings::SetWriteFailureHandler([](const QString &fileName) {
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [fileName] {
                    QMessageBox::warning(QApplication::activeWindow(), QGuiApplication::applicationDisplayName(),
                                         QStringLiteral("The settings could not be saved to %1.")
                                             .arg(QDir::toNativeSeparators(fileName)));
                },
                Qt::QueuedConnection);
        });
    }
}

void CKxStartup::InitInstance(QWidget *mainWindow)
{
    InitInstance(mainWindow, QCoreApplication::arguments());
}

void CKxStartup::InitInstance(QWidget *mainWindow, const QStringList &arguments)
{
    SetupApplication(m_options.appName, m_options.title);
    if (m_recent)
        m_recent->Load();
    m_started = true;

    if (m_options.trackUsage) {
        const QString name = m_options.appName.isEmpty() ? QCoreApplication::applicationName() : m_options.appName;
        m_tracker.Start(name.toStdString());
    }

    if (auto *app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &CKxStartup::Shutdown, Qt::UniqueConnection);

    bool namedFile = false;
    if (m_options.suiteCommandLine) {
        m_commandInfo.ParseCommandLine(arguments);
        namedFile = !m_commandInfo.IsFileListEmpty();
    } else {
        // The standard command line: the first argument that is no switch names the document.
        for (qsizetype i = 1; i < arguments.size(); ++i) {
            if (!arguments[i].startsWith(QLatin1Char('-'))) {
                m_documentName = arguments[i];
                break;
            }
        }
        namedFile = !m_documentName.isEmpty();
    }

    m_mainWindow = mainWindow;
    if (mainWindow) {
        mainWindow->setWindowTitle(m_options.title);
        if (m_options.showMainWindow) {
            if (m_options.maximised)
                mainWindow->showMaximized();
            else
                mainWindow->show();
        }
    }

    if (m_options.suiteCommandLine) {
        ShowCommandLineErrors();
        if (!namedFile) {
            // Posted, so that the Open dialog comes up as soon as the event loop runs.
            QTimer::singleShot(0, this, [this] {
                if (onOpen)
                    onOpen();
            });
        } else if (onOpenFiles) {
            onOpenFiles(m_commandInfo);
        }
    } else if (namedFile && onOpenDocument) {
        onOpenDocument(m_documentName);
    }
}

void CKxStartup::ShowCommandLineErrors()
{
    const std::vector<std::string> &messages = m_commandInfo.m_errors;
    if (messages.empty())
        return;
    if (onCommandLineErrors) {
        onCommandLineErrors(messages);
        return;
    }
    kxres::CErrorDialog dialog(m_mainWindow);
    dialog.SetMessages(messages);
    dialog.exec();
}

void CKxStartup::Shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    // A list never loaded is not written over the stored one.
    if (m_recent && m_started)
        m_recent->Save();
    m_tracker.Release(CUsageTracker::ExitBound);
}
