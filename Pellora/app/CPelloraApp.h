#pragma once

// Pellora's start-up: one instance per user; a later start hands its files to the
// running one as "[DataFile(path)]" commands and ends.

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class CKxStartup;
class CMyCommandInfo;
namespace kxplatform {
class CSingleInstance;
}

namespace pellora {

class CMainFrame;
class CPelloraDoc;
class CPelloraUi;

class CPelloraApp : public QObject {
    Q_OBJECT
public:
    struct Options {
        QString instanceKey = QStringLiteral("Pellora");
        QString settingsProgram = QStringLiteral("Pellora");
        bool trackUsage = true;
        bool showMainWindow = true;
    };

    CPelloraApp();
    explicit CPelloraApp(Options options);
    ~CPelloraApp() override;

    // Returns the exit code when the start ends here (the files went to a running
    // Pellora), else -1: the event loop is to run.
    int InitInstance(const QStringList &arguments);

    // The commands that hand a command line's files to a running Pellora.
    static QStringList CommandsFor(CMyCommandInfo &info);
    // True when a running Pellora took the files of the arguments (program name first).
    static bool ForwardToRunning(const QString &instanceKey, const QStringList &arguments);

    CMainFrame *MainFrame() const { return m_frame.get(); }
    CPelloraDoc *Document() const { return m_doc.get(); }
    kxplatform::CSingleInstance *Instance() const { return m_instance.get(); }

private:
    Options m_options;
    std::unique_ptr<CPelloraDoc> m_doc;
    std::unique_ptr<CPelloraUi> m_ui;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<CKxStartup> m_startup;
    std::unique_ptr<kxplatform::CSingleInstance> m_instance;
};

} // namespace pellora
