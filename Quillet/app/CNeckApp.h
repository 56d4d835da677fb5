#pragma once

// Quillet's start-up: the document, the main window, and the command line's files.

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class CKxStartup;

namespace quillet {

class CMainFrame;
class CNeckView;
class CQuilletDoc;
class CQuilletUi;

class CNeckApp : public QObject {
    Q_OBJECT
public:
    struct Options {
        QString settingsProgram = QStringLiteral("Quillet");
        bool trackUsage = true;
        bool showMainWindow = true;
    };

    CNeckApp();
    explicit CNeckApp(Options options);
    ~CNeckApp() override;

    // Builds the program and runs the start-up; the event loop runs next.
    void InitInstance(const QStringList &arguments);

    CMainFrame *MainFrame() const { return m_frame.get(); }
    CQuilletDoc *Document() const { return m_doc.get(); }

private:
    Options m_options;
    std::unique_ptr<CQuilletDoc> m_doc;
    std::unique_ptr<CQuilletUi> m_ui;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<CKxStartup> m_startup;
};

} // namespace quillet
