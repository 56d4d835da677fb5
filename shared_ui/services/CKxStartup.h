#pragma once

// The start-up every program of the suite shares: application names and settings,
// the recent-file list, the usage tracker, the command line, the window title and,
// when no file is named, the program's own Open command posted at once.
//
//     QApplication app(argc, argv);
//     CKxStartup startup({.appName = "HIC", .title = "HIC", .recentFileCount = 4});
//     CHicFrame frame;
//     startup.onOpen = [&] { frame.OnFileOpen(); };
//     startup.onOpenFiles = [&](const CMyCommandInfo &info) { ... };
//     startup.InitInstance(&frame);
//     return app.exec();

#include "shared_ui/services/CMyCommandInfo.h"
#include "shared_ui/services/CUsageTracker.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CRecentFileList;
class QWidget;

struct CStartupOptions {
    QString appName;              // the program's name: its settings file and its usage record
    QString title;                // the application title: the main window's title
    int recentFileCount = 0;      // 4 in HIC and Sorvelt, none in the others
    bool suiteCommandLine = true; // false: a single document file name (Sorvelt)
    bool trackUsage = true;
    bool showMainWindow = true;
    bool maximised = false; // Pellora shows its main window maximised
};

class CKxStartup : public QObject {
    Q_OBJECT
public:
    explicit CKxStartup(CStartupOptions options, QObject *parent = nullptr);
    // Saves the recent-file list and lets the usage tracker finish within its bound.
    ~CKxStartup() override;

    // Organisation, application name, display name and version of the running application.
    static void SetupApplication(const QString &appName, const QString &title);

    // The program's Open command, posted when the command line names no file.
    std::function<void()> onOpen;
    // The suite command line with at least one file name.
    std::function<void(CMyCommandInfo &info)> onOpenFiles;
    // The standard command line naming a document.
    std::function<void(const QString &path)> onOpenDocument;
    // Shows what the suite command line's list files reported (a line too long) before
    // the named files are opened; unset, the error-list dialog shows it.
    std::function<void(const std::vector<std::string> &messages)> onCommandLineErrors;

    // Runs the start-up; call before the event loop. Arguments include the program name.
    void InitInstance(QWidget *mainWindow, const QStringList &arguments);
    void InitInstance(QWidget *mainWindow);

    const CStartupOptions &Options() const { return m_options; }
    CMyCommandInfo &CommandInfo() { return m_commandInfo; }
    // Null when the program keeps no recent-file list.
    CRecentFileList *RecentFiles() { return m_recent.get(); }
    CUsageTracker &Tracker() { return m_tracker; }
    // The document named on a standard command line, else empty.
    QString DocumentName() const { return m_documentName; }

private:
    void Shutdown();
    void ShowCommandLineErrors();

    CStartupOptions m_options;
    CMyCommandInfo m_commandInfo;
    std::unique_ptr<CRecentFileList> m_recent;
    CUsageTracker m_tracker;
    QString m_documentName;
    QPointer<QWidget> m_mainWindow;
    bool m_started = false;
    bool m_shutDown = false;
};
