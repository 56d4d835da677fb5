#pragma once

// Mirvane's start-up: the document, its widgets and the main window; the command
// line's files are compared against their average at once, else Select Files opens.

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class CKxStartup;

namespace mirvane {

class CMainFrame;
class CMirvaneDoc;
class CMirvaneUi;

class CMirvaneApp : public QObject {
    Q_OBJECT
public:
    struct Options {
        QString settingsProgram = QStringLiteral("Mirvane");
        bool trackUsage = true;
        bool showMainWindow = true;
    };

    CMirvaneApp();
    explicit CMirvaneApp(Options options);
    ~CMirvaneApp() override;

    void InitInstance(const QStringList &arguments);

    CMainFrame *MainFrame() const { return m_frame.get(); }
    CMirvaneDoc *Document() const { return m_doc.get(); }

private:
    Options m_options;
    std::unique_ptr<CMirvaneDoc> m_doc;
    std::unique_ptr<CMirvaneUi> m_ui;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<CKxStartup> m_startup;
};

} // namespace mirvane
