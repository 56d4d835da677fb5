#pragma once

// Helpers of Quillet's tests: neck signal files made with the data library, a
// scripted user interface, and temporary folders.

#include "Quillet/document/IQuilletUi.h"
#include "shared_ui/tests/support/FakeKxUi.h"

#include <QString>

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillettest {

using namespace quillet;

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;
    std::string Str() const { return m_path.string(); }
    std::string File(const std::string &name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// One upper-neck channel: y(i) = offset + peak * sin(2 pi i / points) (a full wave,
// so the positive and the negative peak are both peak).
struct NeckSignal {
    std::string axis = "Y";
    std::string yUnits = "NEWTON-METERS";
    std::string attachment = "NECK - UPPER";
    std::string occupantType = "H3";
    std::string occupantSize = "50";
    std::string title = "NECK TEST";
    int curveNumber = 7;
    int points = 400;
    int firstPoint = -20;
    double step = 1.0e-4;
    double peak = 50.0;
    double offset = 0.0;
    double preFilter = 1650.0; // PREFIL: 0 leaves the signal unfiltered (class unknown)
    // Times one by one: an "X-Y" file whose DEL is step, as other writers make it.
    std::vector<double> x = {};
};

void WriteNeckUds(const std::string &path, const NeckSignal &signal);
std::vector<double> NeckValues(const NeckSignal &signal);
void WriteText(const std::string &path, const std::string &text);
std::string ReadText(const std::string &path);

// The scripted user: answers are queued per kind; every call is recorded.
class FakeUi : public kxtest::CFakeKxUi<IQuilletUi> {
public:
    int headerViews = 0;
    int conditionCalls = 0;
    int forceCalls = 0;
    int dummyCalls = 0;
    std::vector<int> dummyMeasurementOffered;
    std::vector<double>
        offsetOffered; // the value the offset dialog started with  // the measurement the dummy dialog started on
    std::vector<std::string> forceOffered; // the path the force dialog started with
    // The limits the dummy dialog showed: it stores the chosen codes in the pair of load
    // cases of the measurement and shows their critical values.
    std::vector<std::pair<double, double>> shownLimits;

    std::deque<CNeckFileChoice> openChoices; // ChooseNeckFile; the options replace the offered ones
    std::optional<CNeckOptions> conditions;  // EditConditions; empty: Cancel
    std::deque<CDummyChoice> dummies;        // SelectDummy; empty: Cancel
    std::deque<double> offsets;              // EnterCondyleOffset; empty: Cancel
    std::deque<CForceChoice> forces;         // ChooseForceFile; empty: Cancel

    bool ChooseNeckFile(CNeckFileChoice &choice) override;
    bool EditConditions(CNeckOptions &options) override;
    bool SelectDummy(const NeckLoadCases &loadCases, CDummyChoice &choice) override;
    bool EnterCondyleOffset(double &offset) override;
    bool ChooseForceFile(CForceChoice &choice) override;
    void ShowUdsHeader(std::vector<kx::CNSignalPtr>) override { ++headerViews; }
};

class ScratchSettings {
public:
    ScratchSettings();
    ~ScratchSettings();
    ScratchSettings(const ScratchSettings &) = delete;
    ScratchSettings &operator=(const ScratchSettings &) = delete;
    const QString &Program() const { return m_program; }

private:
    QString m_program;
};

} // namespace quillettest
