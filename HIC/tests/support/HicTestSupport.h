#pragma once

// Helpers of HIC's tests: head acceleration files made with the data library, a
// scripted user interface, and temporary folders.

#include "HIC/document/IHicUi.h"
#include "shared_ui/tests/support/FakeKxUi.h"

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace hictest {

using namespace hic;

// A fresh folder under the system's temporary folder, removed at destruction.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;
    std::string File(const std::string &name) const { return (m_path / name).string(); }
    const std::filesystem::path &Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

struct HeadFile {
    std::vector<double> y;
    double dt = 1.0e-4;
    std::int32_t nfp = 0;
    std::string axis = "RS";
    std::string dummyType = "H3";
    std::string dummySize = "50";
    std::string dimSys = "MET";
};

// Writes a UDS-1992 head acceleration file (G's, head CG).
void WriteHead(const std::string &path, const HeadFile &file);
// The same as an "X-Y" file, as other writers make it: times x one by one, DEL del.
void WriteHeadXY(const std::string &path, const HeadFile &file, const std::vector<double> &x, float del);
// Writes a text file.
void WriteText(const std::string &path, const std::string &text);
// ASCII X-Y lines "x y" for times x0 + i * dt.
std::string AsciiPoints(const std::vector<double> &y, double x0, double dt);
// n zeros with `level` on samples start .. start + width - 1.
std::vector<double> Rect(std::size_t n, std::size_t start, std::size_t width, double level);

// The scripted user: answers are queued per kind; every call is recorded.
class FakeUi : public kxtest::CFakeKxUi<IHicUi> {
public:
    std::deque<OpenFilesValues> openAnswers;            // empty: Cancel
    std::deque<PlotLabels> labelAnswers;                // empty: Cancel
    std::deque<double> windowAnswers;                   // empty: Cancel
    std::vector<double> windowSteps;                    // the time step each window dialog was given
    std::function<bool(SurfaceParams &)> surfaceAnswer; // unset: Cancel

    bool OpenFiles(OpenFilesValues &values) override;
    bool EditLabels(PlotLabels &labels) override;
    bool EditWindow(double &windowMs, double stepMs) override;
    bool EditSurfaceParams(SurfaceParams &params) override { return surfaceAnswer && surfaceAnswer(params); }
};

} // namespace hictest
