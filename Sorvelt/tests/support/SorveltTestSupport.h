#pragma once

// Helpers of Sorvelt's tests: simulation files written with our own writer, a
// scripted user interface, temporary folders and settings of their own.

#include "Sorvelt/document/ISorveltUi.h"
#include "shared_ui/tests/support/FakeKxUi.h"

#include <QString>

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sorvelt {
class CSorveltDoc;
}

namespace sorvelttest {

using namespace sorvelt;

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;
    const std::filesystem::path &Path() const { return m_path; }
    std::string Str() const { return m_path.string(); }
    std::string File(const std::string &name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// A file of parameters x channels with a time step of stepMs; the value of
// (t, p, c) is scale * (p * 100 + c * 10) + t. Channel c is named "Ch<c+1> (<unit>)"
// with the unit "G" for even c and "N" for odd c.
std::string WriteSimulation(const std::string &path, int parameters, int channels, int steps, double stepMs = 0.1,
                            double scale = 1.0);

// The scripted user: the shared fake plus Sorvelt's own prompts; answers are queued
// per kind, every call is recorded.
class FakeUi : public kxtest::CFakeKxUi<ISorveltUi> {
public:
    std::vector<std::string> recentFiles;
    std::vector<std::string> labelCaptions;
    std::vector<CConvertValues> convertShown;
    std::vector<CResampleValues> resampleShown;
    std::vector<std::pair<double, double>> truncateShown;
    std::vector<CPlotLabels> labelsShown;

    std::deque<std::optional<std::string>> labels; // EditLabel answers
    std::optional<int> filterClass;                // nullopt: Cancel
    std::function<bool(CResampleValues &)> resample;
    std::function<bool(double &, double &)> truncate;
    std::function<bool(CConvertValues &)> convert;
    std::function<bool(CPlotLabels &)> plotLabels;

    bool EditLabel(const std::string &caption, const std::string &prompt, std::string &value) override;
    bool ChooseFilterClass(int &value) override;
    bool EditResample(CResampleValues &values) override;
    bool EditTruncate(double &start, double &stop) override;
    bool EditConvert(CConvertValues &values) override;
    bool EditPlotLabels(CPlotLabels &values) override;
    void AddRecentFile(const std::string &path) override { recentFiles.push_back(path); }
};

// Runs a document command as the main frame's command table does: a failure is
// reported through the document.
void RunCommand(CSorveltDoc &doc, const std::function<void()> &command);

// A settings program name of its own, its file removed at destruction.
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

} // namespace sorvelttest
