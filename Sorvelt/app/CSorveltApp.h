#pragma once

// Sorvelt's start-up: settings, four recent files, usage tracking, the plain command
// line (one simulation file), the main window.

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class CKxStartup;

namespace sorvelt {

class CMainFrame;
class CSorveltDoc;
class CSorveltUi;

class CSorveltApp : public QObject {
    Q_OBJECT
public:
    struct Options {
        QString settingsProgram = QStringLiteral("Sorvelt");
        bool trackUsage = true;
        bool showMainWindow = true;
    };

    CSorveltApp();
    explicit CSorveltApp(Options options);
    ~CSorveltApp() override;

    void InitInstance(const QStringList &arguments);

    CMainFrame *MainFrame() const { return m_frame.get(); }
    CSorveltDoc *Document() const { return m_doc.get(); }
    CKxStartup *Startup() const { return m_startup.get(); }

private:
    void OpenFile(const QString &path);

    Options m_options;
    std::unique_ptr<CSorveltDoc> m_doc;
    std::unique_ptr<CSorveltUi> m_ui;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<CKxStartup> m_startup;
};

} // namespace sorvelt
