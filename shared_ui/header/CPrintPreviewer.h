#pragma once
// The "Print Preview" page of the header viewer: previews and prints the header report of
// the current curve and saves the curve's values as text.

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

#include "shared_ui/header/CUdsReport.h"
#include "signal/CNSignal.h"

class QPushButton;
class QRadioButton;

namespace kxres {

class CPrintPreviewer : public QWidget {
    Q_OBJECT
public:
    // Asks where to save (extension with its dot, proposed name, filter); empty cancels.
    using SavePathPrompt = std::function<QString(const QString &extension, const QString &name, const QString &filter)>;
    using MessageSink = std::function<void(const QString &text)>;

    explicit CPrintPreviewer(QWidget *parent = nullptr);
    ~CPrintPreviewer() override;

    void SetCurrentSignal(std::shared_ptr<kx::CNSignal> signal);
    const std::shared_ptr<kx::CNSignal> &GetCurrentSignal() const { return m_signal; }
    CUdsReport &GetReport() { return m_report; }

    // Every visit starts with "Spec" and "Y Data".
    void OnSetActive();
    void OnSpec();
    void OnFull();
    void OnXYData();
    void OnYData();
    void OnPreview();
    void OnPrintReport();
    // The program's Print command: a job of its own, started from the event loop.
    void OnFilePrint();
    void SaveCurveText();

    // Appends the proposed extension (with its dot) and file name; false when there is
    // nothing to save. Header texts are made safe for a file name.
    bool GetDefaultSaveName(std::string &extension, std::string &name) const;
    // Writes one line per point; an existing file is replaced only by a complete one.
    // Returns the message to show, empty on success.
    QString WriteCurveText(const QString &path) const;
    static std::string SafeFileText(const std::string &text);

    int GetReportChoice() const { return m_reportChoice; }
    int GetDataChoice() const { return m_dataChoice; }
    void SetDataChoice(int choice) { m_dataChoice = choice; }
    void SetSavePathPrompt(SavePathPrompt prompt) { m_savePathPrompt = std::move(prompt); }
    void SetMessageSink(MessageSink sink) { m_messageSink = std::move(sink); }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void ShowMessage(const QString &text);
    QString AskSavePath(const QString &extension, const QString &name, const QString &filter);

    int m_reportChoice = 0;
    int m_dataChoice = 0;
    CUdsReport m_report;
    std::shared_ptr<kx::CNSignal> m_signal;
    QRadioButton *m_spec;
    QRadioButton *m_full;
    QRadioButton *m_xyData;
    QRadioButton *m_yData;
    QPushButton *m_preview;
    QPushButton *m_print;
    QPushButton *m_save;
    SavePathPrompt m_savePathPrompt;
    MessageSink m_messageSink;
};

} // namespace kxres
