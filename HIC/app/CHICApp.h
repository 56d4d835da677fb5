#pragma once

// HIC's start-up: settings, the document, its window, and the command line
// (no file: the Open dialog; 1 or 3 files: computed at once).

#include <QObject>
#include <QStringList>

#include <memory>

class CKxStartup;
namespace kxplatform {
class CSettings;
}

namespace hic {

class CHICDoc;
class CHICUi;
class CMainFrame;

class CHICApp : public QObject {
    Q_OBJECT
public:
    struct Options {
        QString settingsProgram = QStringLiteral("HIC");
        bool trackUsage = true;
        bool showMainWindow = true;
    };

    CHICApp();
    explicit CHICApp(Options options);
    ~CHICApp() override;

    void InitInstance(const QStringList &arguments);

    CMainFrame *MainFrame() const { return m_frame.get(); }
    CHICDoc *Document() const { return m_doc.get(); }

private:
    Options m_options;
    std::unique_ptr<kxplatform::CSettings> m_settings;
    std::unique_ptr<CHICDoc> m_doc;
    std::unique_ptr<CHICUi> m_ui;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<CKxStartup> m_startup;
};

} // namespace hic
