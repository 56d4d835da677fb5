#pragma once

// Helpers of Pellora's tests: sample signal files made with the data library, a
// scripted user interface, and temporary folders.

#include "Pellora/document/IPelloraUi.h"
#include "shared_ui/tests/support/FakeKxUi.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QString>

#include <deque>
#include <memory>
#include <optional>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace pelloratest {

using namespace pellora;

// Lets events run until pred holds or ms pass; the last answer of pred.
template <typename Pred>
bool WaitFor(Pred pred, int ms = 5000)
{
    QDeadlineTimer deadline(ms);
    while (!pred() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return pred();
}

// A fresh folder under the system's temporary folder, removed at destruction.
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

struct SampleSignal {
    int testNumber = 4711;
    int curveNumber = 1;
    std::string attachment = "HEAD CG";
    std::string yType = "ACCELERATION";
    std::string yUnits = "G'S";
    std::string xType = "TIME";
    std::string xUnits = "SECONDS";
    int points = 100;
    double step = 1.0e-4;
    int firstPoint = 0;
    double peak = 50.0; // a half sine over the record
};

// Writes a UDS-1992 file through kx::CUDSFile.
void WriteUds(const std::string &path, const SampleSignal &signal = {});
// Writes a text file.
void WriteText(const std::string &path, const std::string &text);

// ---- small signals of given samples ----
struct ValueSignal {
    std::vector<double> y;
    double step = 1.0;
    int firstPoint = 0;
    std::string yUnits = "N";
    std::string yType = "FORCE";
    std::string axis = ""; // AXIS field, e.g. "XG"
    int curveNumber = 1;
    // Times one by one: an "X-Y" file whose DEL is step, as other writers make it.
    std::vector<double> x = {};
};
// A UDS-1992 file with exactly these samples (X = (NFP + i) * step, or x).
void WriteUdsValues(const std::string &path, const ValueSignal &signal);

// The scripted user: answers are queued per kind; every call is recorded.
class FakeUi : public kxtest::CFakeKxUi<IPelloraUi> {
public:
    std::vector<std::string> labelCaptions;
    std::vector<std::string> labelPrompts;
    int headerViews = 0;
    std::size_t lastHeaderSignals = 0;

    std::deque<std::string> directories;             // ChooseBrowseDirectory; empty: Cancel
    std::deque<std::pair<bool, std::string>> labels; // EditLabel answers
    std::function<bool(std::vector<std::string> &)> signalLabels;
    std::function<bool(CPlottingOptionValues &)> options;
    std::function<bool(CPageMarginValues &)> margins;
    std::function<bool(std::vector<std::string> &)> hitList;

    bool ChooseBrowseDirectory(std::string &directory) override;
    bool EditLabel(const std::string &caption, const std::string &prompt, std::string &value) override;
    bool EditSignalLabels(std::vector<std::string> &labels, const std::vector<kx::CNSignalPtr> &, const std::string &,
                          const std::string &) override
    {
        return signalLabels && signalLabels(labels);
    }
    bool EditPlottingOptions(CPlottingOptionValues &values) override { return options && options(values); }
    bool EditPageMargins(CPageMarginValues &values) override { return margins && margins(values); }
    bool EditHitList(std::vector<std::string> &names) override { return hitList && hitList(names); }
    void ShowUdsHeader(std::vector<kx::CNSignalPtr> signalList) override
    {
        ++headerViews;
        lastHeaderSignals = signalList.size();
    }

    // ---- operations, exports and program starts ----
    // Each prompt answers with its function (unset: Cancel); calls are counted.
    std::function<bool(CResampleValues &)> resample;
    std::function<bool(CTruncateValues &)> truncate;
    std::function<bool(CFilterChoice &)> filterClass;
    std::function<bool(double, int, int, CPadCutValues &)> padCut;
    std::function<bool(CBiasTailValues &)> biasTail;
    std::function<bool(double, double, int, double &)> exportStep;
    std::deque<std::pair<std::string, bool>> hitListFiles; // path, append
    std::deque<bool> okCancel;                             // AskOkCancel; empty: Cancel
    std::function<bool(int &)> xyAxes;
    std::function<bool(std::array<int, 3> &)> axisOrder;
    std::vector<std::string> axisNotes;
    struct Start {
        std::string program;
        std::vector<std::string> args;
    };
    std::vector<Start> starts;
    bool reallyStart = false; // hand starts to the real launcher
    bool AskResample(CResampleValues &v) override { return resample && resample(v); }
    bool AskTruncate(CTruncateValues &v) override { return truncate && truncate(v); }
    bool AskFilterClass(const std::vector<kx::CNSignalPtr> &, CFilterChoice &c) override
    {
        return filterClass && filterClass(c);
    }
    bool AskPadCut(double step, int nfp, int nlp, CPadCutValues &v) override
    {
        return padCut && padCut(step, nfp, nlp, v);
    }
    bool AskBiasTail(CBiasTailValues &v) override { return biasTail && biasTail(v); }
    bool AskExportStep(double duration, double step, int points, double &chosen) override
    {
        return exportStep && exportStep(duration, step, points, chosen);
    }
    bool ChooseHitListFile(const std::string &startFolder, std::string &path, bool &append) override;
    bool AskOkCancel(const std::string &text) override;
    bool SelectXYAxes(const std::array<std::string, 2> &, const std::array<std::string, 2> &, int &xIndex) override
    {
        return xyAxes && xyAxes(xIndex);
    }
    bool ShiftAxes(const std::array<std::string, 3> &, const std::string &note, std::array<int, 3> &order) override
    {
        axisNotes.push_back(note);
        return axisOrder && axisOrder(order);
    }
    bool StartProgram(const std::string &program, const std::vector<std::string> &args, std::string &error) override;

    // ---- the plot ----
    struct OutputImage {
        std::string fileName;
        int width = 800;
        int height = 600;
    };
    std::deque<OutputImage> outputImages;                 // AskOutputImage answers; empty: Cancel
    std::deque<std::pair<std::string, int>> saveAllPlots; // folder, size index; empty: Cancel
    std::vector<PlotImageKind> saveAllKinds;
    std::optional<QRectF> shownRange; // the zoom of the plot on screen
    struct SavedPlot {
        CPlotPicture picture;
        PlotImageKind kind;
        std::string path;
        int width = 0;
        int height = 0;
    };
    std::vector<SavedPlot> savedPlots;
    // Writes the image; unset: a small file at the path (false when it cannot be written).
    std::function<bool(const SavedPlot &)> onSavePlot;
    // The print job of BeginPlotPrint; unset: Cancel. The flags asked for are kept.
    std::function<std::unique_ptr<IPlotPages>(bool preview)> plotPrint;
    std::vector<bool> plotPrints;
    bool AskOutputImage(std::string &fileName, int &width, int &height) override;
    bool AskSaveAllPlots(PlotImageKind kind, std::string &folder, int &sizeIndex) override;
    bool ShownPlotRange(QRectF &range) override;
    bool SavePlotImage(const CPlotPicture &picture, PlotImageKind kind, const std::string &path, int width,
                       int height) override;
    std::unique_ptr<IPlotPages> BeginPlotPrint(bool preview, const std::array<double, 4> &, int) override;
};

// A settings program name of its own for one test, its file removed at destruction.
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

} // namespace pelloratest
