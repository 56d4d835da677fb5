#pragma once

// The scripted user behind the shared part of every program's interface: answers are
// queued per kind, every call is recorded. A program's fake derives from
// CFakeKxUi<IProgramUi> and adds its own prompts.

#include "shared_ui/kit/IKxUi.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kxtest {

template <class Base>
class CFakeKxUi : public Base {
public:
    using Icon = kxres::IKxUi::Icon;

    std::vector<std::string> messages;
    std::vector<Icon> messageIcons;
    std::vector<std::vector<std::string>> errorLists;
    std::function<void()> onErrorList;  // run while the error list is "shown"
    std::deque<bool> yesNo;             // AskYesNo; empty: No
    std::vector<std::string> questions; // every question asked

    // Choosers: the next answer of the queue; an empty queue or an empty answer cancels.
    std::deque<std::string> openFiles;
    std::vector<kxres::CFileRequest> openRequests;
    std::deque<std::string> saveFiles;
    std::vector<kxres::CFileRequest> saveRequests;
    std::vector<std::string> saveTitles;
    std::deque<std::string> folders;
    std::vector<std::string> folderTitles;
    bool folderThrows = false; // the folder chooser fails with an exception

    // The label dialog: the next answer (nullopt or an empty queue cancels).
    std::deque<std::optional<std::string>> labelAnswers;
    std::vector<std::string> labelRequests; // caption, then prompt, of each
    std::vector<std::vector<kx::CNSignalPtr>> headersShown;
    std::vector<std::string> windowTexts;

    std::vector<std::string> clipboard;
    bool clipboardWorks = true;

    int waitCursors = 0;     // begun in all
    int openWaitCursors = 0; // begun and not yet ended

    // Progress windows: titles and step texts; the hook runs at each step (steps counted
    // from 1) and returns true to press Cancel; cancelProgressAt cancels at that step.
    std::vector<std::string> progressTitles;
    std::vector<std::string> progressTexts;
    std::function<bool(int step)> onProgressStep;
    int cancelProgressAt = -1;
    int progressBegun = 0;
    int progressEnded = 0;

    void ShowMessage(const std::string &text, Icon icon) override
    {
        messages.push_back(text);
        messageIcons.push_back(icon);
    }
    bool AskYesNo(const std::string &text) override
    {
        questions.push_back(text);
        if (yesNo.empty())
            return false;
        const bool answer = yesNo.front();
        yesNo.pop_front();
        return answer;
    }
    void ShowErrorList(const std::vector<std::string> &list) override
    {
        errorLists.push_back(list);
        if (onErrorList)
            onErrorList();
    }
    bool ChooseOpenFile(const kxres::CFileRequest &request, std::string &path) override
    {
        openRequests.push_back(request);
        return Next(openFiles, path);
    }
    bool ChooseSaveFile(const kxres::CFileRequest &request, std::string &path) override
    {
        saveRequests.push_back(request);
        saveTitles.push_back(request.title);
        return Next(saveFiles, path);
    }
    bool ChooseFolder(const std::string &title, std::string &folder) override
    {
        folderTitles.push_back(title);
        if (folderThrows)
            throw std::runtime_error("folder chooser failed");
        return Next(folders, folder);
    }
    bool EditLabel(const std::string &caption, const std::string &prompt, std::string &value) override
    {
        labelRequests.push_back(caption);
        labelRequests.push_back(prompt);
        if (labelAnswers.empty())
            return false;
        const std::optional<std::string> answer = labelAnswers.front();
        labelAnswers.pop_front();
        if (!answer)
            return false;
        value = *answer;
        return true;
    }
    void ShowUdsHeader(std::vector<kx::CNSignalPtr> signalList) override
    {
        headersShown.push_back(std::move(signalList));
    }
    void SetMainWindowText(const std::string &text) override { windowTexts.push_back(text); }
    bool PutTextOnClipboard(const std::string &text) override
    {
        if (clipboardWorks)
            clipboard.push_back(text);
        return clipboardWorks;
    }
    void BeginWaitCursor() override
    {
        ++waitCursors;
        ++openWaitCursors;
    }
    void EndWaitCursor() override { --openWaitCursors; }
    std::unique_ptr<kxres::IProgress> BeginProgress(const std::string &title, const std::string &, int) override
    {
        progressTitles.push_back(title);
        ++progressBegun;
        return std::make_unique<Progress>(*this);
    }

private:
    class Progress : public kxres::IProgress {
    public:
        explicit Progress(CFakeKxUi &ui)
            : m_ui(ui)
        {}
        ~Progress() override { ++m_ui.progressEnded; }
        Progress(const Progress &) = delete;
        Progress &operator=(const Progress &) = delete;
        bool Step(int, const std::string &text) override
        {
            ++m_steps;
            m_ui.progressTexts.push_back(text);
            if (m_ui.onProgressStep && m_ui.onProgressStep(m_steps))
                m_cancelled = true;
            if (m_ui.cancelProgressAt >= 0 && m_steps >= m_ui.cancelProgressAt)
                m_cancelled = true;
            return !m_cancelled;
        }
        bool IsCancelled() const override { return m_cancelled; }

    private:
        CFakeKxUi &m_ui;
        int m_steps = 0;
        bool m_cancelled = false;
    };

    static bool Next(std::deque<std::string> &answers, std::string &out)
    {
        if (answers.empty())
            return false;
        std::string answer = answers.front();
        answers.pop_front();
        if (answer.empty())
            return false;
        out = answer;
        return true;
    }
};

} // namespace kxtest
