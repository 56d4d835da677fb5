#pragma once

// The scripted user of Mirvane's document: answers are queued, what the document
// showed is recorded.

#include "Mirvane/document/IMirvaneUi.h"
#include "shared_ui/tests/support/FakeKxUi.h"

#include <deque>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace mirvane_test {

class FakeMirvaneUi : public kxtest::CFakeKxUi<mirvane::IMirvaneUi> {
public:
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
    bool EditCriticalValues(mirvane::CCriticalValues &values) override
    {
        ThrowIfAsked();
        if (!criticalValues)
            return false;
        values = *criticalValues;
        return true;
    }
    bool EditCorridorSize(double &size) override
    {
        ThrowIfAsked();
        if (!corridorSize)
            return false;
        size = *corridorSize;
        return true;
    }
    void ShowUdsHeader(std::vector<kx::CNSignalPtr> signalList) override
    {
        ThrowIfAsked();
        headerShown.push_back(std::move(signalList));
    }

    std::deque<std::optional<mirvane::CSelectFilesValues>> selections;
    std::optional<mirvane::CCriticalValues> criticalValues;
    std::optional<double> corridorSize;
    std::string promptsThrow; // when set, the edit and header prompts fail with this text

    std::vector<mirvane::CSelectFilesValues> shownSelections;
    std::vector<std::vector<kx::CNSignalPtr>> headerShown;

private:
    void ThrowIfAsked() const
    {
        if (!promptsThrow.empty())
            throw std::runtime_error(promptsThrow);
    }
};

} // namespace mirvane_test
