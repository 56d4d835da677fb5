#pragma once

// The scripted user of Mirvane's document: answers are queued, what the document
// showed is recorded.

#include "Mirvane/document/IMirvaneUi.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace mirvane_test {

class FakeMirvaneUi : public mirvane::IMirvaneUi {
public:
    void ShowErrorList(const std::vector<std::string> &messages) override { errorLists.push_back(messages); }
    void ShowMessage(const std::string &text) override { messages.push_back(text); }
    bool SelectFiles(mirvane::CSelectFilesValues &values) override
    {
        shownSelections.push_back(values);
        if (selections.empty())
            return false;
        std::optional<mirvane::CSelectFilesValues> next = selections.front();
        selections.pop_front();
        if (!next)
            return false;
        values = *next;
        return true;
    }
    bool ChooseSaveFile(const std::string &title, const std::string &, const std::string &, std::string &path) override
    {
        saveTitles.push_back(title);
        if (savePaths.empty())
            return false;
        path = savePaths.front();
        savePaths.pop_front();
        return !path.empty();
    }
    bool EditCriticalValues(mirvane::CCriticalValues &values) override
    {
        if (!criticalValues)
            return false;
        values = *criticalValues;
        return true;
    }
    bool EditCorridorSize(double &size) override
    {
        if (!corridorSize)
            return false;
        size = *corridorSize;
        return true;
    }
    void ShowUdsHeader(std::vector<kx::CNSignalPtr> signalList) override { headerShown.push_back(std::move(signalList)); }
    void BeginWaitCursor() override { ++waitDepth; ++waitBegun; }
    void EndWaitCursor() override { --waitDepth; }

    std::deque<std::optional<mirvane::CSelectFilesValues>> selections;
    std::deque<std::string> savePaths;   // an empty entry cancels
    std::optional<mirvane::CCriticalValues> criticalValues;
    std::optional<double> corridorSize;

    std::vector<mirvane::CSelectFilesValues> shownSelections;
    std::vector<std::vector<std::string>> errorLists;
    std::vector<std::string> messages;
    std::vector<std::string> saveTitles;
    std::vector<std::vector<kx::CNSignalPtr>> headerShown;
    int waitDepth = 0;
    int waitBegun = 0;
};

} // namespace mirvane_test
