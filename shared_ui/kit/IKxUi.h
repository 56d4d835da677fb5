#pragma once

// What every program's document asks of the user: messages, the error list, file
// and folder choosers, the one-value dialog, the UDS header viewer, the main window's
// caption, the clipboard, the wait cursor and the progress window of a long job. Each program's own interface derives from this one and adds only its
// own prompts; the widgets implement it in the programs, a scripted fake in tests.

#include "signal/CNSignal.h"

#include <memory>
#include <string>
#include <vector>

namespace kxres {

// A file chooser's request. filter is "Name (*.ext)" entries separated by ";;".
struct CFileRequest {
    std::string title;
    std::string filter;
    std::string defaultExtension; // without the dot; may be empty
    std::string startFolder;
    std::string proposedName; // may be empty
};

// The modal progress window of a long job; it closes when destroyed. While it lives
// the rest of the program takes no input; Cancel only raises a flag.
class IProgress {
public:
    virtual ~IProgress();
    // Lets pending events run and shows step done of the job (text, when not empty,
    // under the bar); false once the user has cancelled.
    virtual bool Step(int done, const std::string &text) = 0;
    virtual bool IsCancelled() const = 0;
};

class IKxUi {
public:
    enum class Icon { Information, Exclamation, Stop };

    virtual ~IKxUi();

    virtual void ShowMessage(const std::string &text, Icon icon) = 0;
    // A Yes / No question, No the default; true for Yes.
    virtual bool AskYesNo(const std::string &text) = 0;
    // The error list dialog; never called with an empty list.
    virtual void ShowErrorList(const std::vector<std::string> &messages) = 0;
    // File choosers; path holds the chosen file on true. The save chooser asks before
    // it names an existing file.
    virtual bool ChooseOpenFile(const CFileRequest &request, std::string &path) = 0;
    virtual bool ChooseSaveFile(const CFileRequest &request, std::string &path) = 0;
    // The folder chooser; folder in (start) and out.
    virtual bool ChooseFolder(const std::string &title, std::string &folder) = 0;
    // The one-value dialog: caption and prompt shown, value in (shown) and out (typed).
    virtual bool EditLabel(const std::string &caption, const std::string &prompt, std::string &value) = 0;
    // The UDS header viewer, modal, over the signals given.
    virtual void ShowUdsHeader(std::vector<kx::CNSignalPtr> signalList) = 0;
    // The main window's caption.
    virtual void SetMainWindowText(const std::string &text) = 0;
    // False when there is no clipboard.
    virtual bool PutTextOnClipboard(const std::string &text) = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
    // A progress window over steps steps; never null.
    virtual std::unique_ptr<IProgress> BeginProgress(const std::string &title, const std::string &text, int steps) = 0;
};

// The wait cursor of a user interface for its lifetime, restored on every path.
class CUiWaitCursor {
public:
    explicit CUiWaitCursor(IKxUi *ui)
        : m_ui(ui)
    {
        if (m_ui)
            m_ui->BeginWaitCursor();
    }
    ~CUiWaitCursor()
    {
        if (m_ui)
            m_ui->EndWaitCursor();
    }
    CUiWaitCursor(const CUiWaitCursor &) = delete;
    CUiWaitCursor &operator=(const CUiWaitCursor &) = delete;

private:
    IKxUi *m_ui;
};

} // namespace kxres
