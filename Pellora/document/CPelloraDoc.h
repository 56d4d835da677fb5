#pragma once

// Pellora's one document: the names the file list shows, the selected files and
// their signals, the plot texts, the packed chart arrays and the settings.
// It holds no widgets; it talks to the user through IPelloraUi and tells its
// views of changes with Updated(hint).

#include "Pellora/document/IPelloraUi.h"
#include "Pellora/document/PlotContent.h"
#include "Pellora/document/UpdateHint.h"
#include "signal/CFile.h"
#include "signal/CNSignal.h"

#include <QObject>
#include <QSize>
#include <QString>

#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <set>
#include <string>
#include <vector>

namespace kxplatform {
class CSettings;
}

namespace pellora {

class CPelloraDoc : public QObject {
    Q_OBJECT
public:
    // Fill value of the chart arrays beyond the end of a shorter curve.
    static constexpr double PadValue = 2.220446049250313e-16;

    using CFilePtr = std::shared_ptr<kx::CFile>;

    // settingsProgram: the settings file (the program's name).
    explicit CPelloraDoc(IPelloraUi *ui = nullptr, const QString &settingsProgram = QStringLiteral("Pellora"),
                         QObject *parent = nullptr);
    ~CPelloraDoc() override;

    void SetUi(IPelloraUi *ui) { m_ui = ui; }
    IPelloraUi *Ui() const { return m_ui; }
    kxplatform::CSettings &Settings() { return *m_settings; }

    bool OnNewDocument();
    // Empties the plot texts, the error list, the selected files, the signals and the chart.
    void Reset();
    // The file-list hint first puts the names in the stored sort order, in both modes.
    void UpdateAllViews(UpdateHint hint);

    // Commands.
    void OnOpenDirectory();
    // Browses directory; a folder that does not exist is refused with a message and the
    // list stays as it is (false).
    bool OpenDirectory(const std::string &directory);
    void OnOpenHitlist();
    bool OpenHitList(const std::string &path);
    void OnOptions();
    void OnPageMarginSetup();
    void OnLabelTitle();
    void OnLabelSubTitle();
    void OnLabelXAxis();
    void OnLabelYAxis();
    void OnSignalLabels();
    void OnViewUdsHeader();
    void OnEditHitList();
    // Drops every signal and loads the selected files again.
    bool OnReload();
    bool CanViewUdsHeader() const { return !m_signals.empty(); }
    bool CanEditSignalLabels() const { return m_selectedFiles.size() >= 2; }

    // File set.
    // Appends the files of a hit list (one path or wildcard pattern per line) to
    // the names; each line that matches nothing adds a message. False when the
    // list cannot be read.
    bool ReadHitList(const std::string &path);
    // Start-up: lists the named files (loading them at once with the load-at-once flag).
    bool CommandLineBrowse(const std::vector<std::string> &names);
    void SetLoadAtOnce(bool loadAtOnce) { m_loadAtOnce = loadAtOnce; }
    // The files of a later start's command line (absolute names or patterns): checked
    // as at start-up, added to the list, and with loadAtOnce selected and plotted.
    bool AddCommandLine(const std::vector<std::string> &names, bool loadAtOnce);
    bool GetLoadAtOnce() const { return m_loadAtOnce; }
    // Lists the directory with a pattern into the names, sorted; false (with a
    // message) when nothing matches.
    bool ApplyFilter(const std::string &pattern);
    // Sorts the names by the stored sort order.
    void SortFileNames();
    // In directory mode, lists the browsed folder again (with the filter in force) when
    // folder is that folder, so files written there show up; the selection stays.
    void ListAgainAfterWriting(const std::string &folder);
    // Every name becomes a full path; the directory is emptied; hit-list mode.
    void SwitchToHitListMode();
    // Adds paths (switching to hit-list mode), skipping those already listed; hint 1
    // when any was added. Returns the number added.
    std::size_t AddFileNames(const std::vector<std::string> &paths);
    // Dropped or pasted paths: one folder alone is browsed; otherwise the files are
    // added as AddFileNames adds them and each folder among them is refused with a message.
    std::size_t AddDroppedPaths(const std::vector<std::string> &paths);
    // The DDE / IPC relays: a data file, a hit list.
    bool AddDataFile(const std::string &path);
    bool AddHitList(const std::string &path);
    // Removes the listed names (or all others) and the selected files that go with them.
    void RemoveFileNames(const std::vector<std::string> &names);
    void KeepFileNames(const std::vector<std::string> &names);
    void ClearHitList();
    void SetFileNames(std::vector<std::string> names);
    // Full path of a list name.
    std::string FullPathOf(const std::string &name) const;

    // Selection and loading.
    // The file list's selection (full paths, in selection order): files no longer
    // selected are dropped, newly selected ones loaded; files held stay as they are.
    bool SelectFiles(const std::vector<std::string> &paths);
    // Loads the selected files without signals; false when any failed.
    bool LoadSelectedFiles();
    // A load of the selection that runs longer than this shows the progress window.
    void SetProgressDelay(std::chrono::milliseconds delay) { m_progressDelay = delay; }
    // Loads one list name as the only selected file (UDS-1992); false with a message on failure.
    bool LoadFileByName(const std::string &name);
    // Full path of the only selected file, else empty.
    std::string GetSingleSelectedPath() const;
    void RecomputeMaxPointCount();
    void BuildChartArrays();
    void BuildPlotTexts();
    // The plot of signalList as the document builds its own: point count, arrays, texts.
    static CPlotData MakePlotData(const std::vector<kx::CNSignalPtr> &signalList);
    static bool IsInteger(const std::string &text);

    // Messages.
    void ShowErrorList();
    const std::vector<std::string> &GetErrors() const { return m_errors; }
    void AddError(const std::string &text) { m_errors.push_back(text); }
    void ClearErrors() { m_errors.clear(); }

    // Contents for the views.
    const std::string &GetTitle() const { return m_plot.title; }
    const std::string &GetSubTitle() const { return m_plot.subTitle; }
    const std::string &GetXLabel() const { return m_plot.xLabel; }
    const std::string &GetYLabel() const { return m_plot.yLabel; }
    void SetTitle(const std::string &t) { m_plot.title = t; }
    void SetSubTitle(const std::string &t) { m_plot.subTitle = t; }
    const std::vector<std::string> &GetSignalLabels() const { return m_plot.signalLabels; }
    const std::vector<CFilePtr> &GetSelectedFiles() const { return m_selectedFiles; }
    const std::vector<kx::CNSignalPtr> &GetSignals() const { return m_signals; }
    std::vector<kx::CNSignalPtr> &Signals() { return m_signals; }
    std::vector<CFilePtr> &SelectedFiles() { return m_selectedFiles; }
    const std::vector<double> &GetChartX() const { return m_plot.chartX; }
    const std::vector<double> &GetChartY() const { return m_plot.chartY; }
    int GetSignalCount() const { return m_plot.signalCount; }
    int GetMaxPointCount() const { return m_plot.maxPointCount; }
    const std::vector<std::string> &GetFileNames() const { return m_fileNames; }
    const std::string &GetDirectory() const { return m_directory; }
    bool IsHitList() const { return m_hitList; }
    const std::string &GetHitListName() const { return m_hitListName; }

    // Settings.
    bool GetColumnHeaders() const { return m_columnHeaders; }
    bool GetSaveZoom() const { return m_saveZoom; }
    int GetLineStyle() const { return m_lineStyle; }
    const std::string &GetSuiteDirectory() const { return m_suiteDirectory; }
    // Left, right, top, bottom, in the margin unit.
    const std::array<double, 4> &GetMargins() const { return m_margins; }
    const CPageMarginValues &GetMarginTexts() const { return m_marginTexts; }
    int GetMarginUnit() const { return m_marginTexts.unit; }
    // A margin as typed: a plain number, 0 or more; nothing, with why, otherwise.
    static std::optional<double> ParseMargin(const std::string &text, std::string *why = nullptr);
    // The first of the four margin texts (left, right, top, bottom) that is no margin, as
    // "<Name> margin "<text>": <why>"; empty when all are margins. An empty text passes:
    // it keeps the number the margin has.
    static std::string MarginProblem(const CPageMarginValues &margins);
    std::string GetOutputDir() const;
    void SetOutputDir(const std::string &folder);
    // Default of the suite directory and the output folder on this platform.
    static std::string DefaultSuiteDirectory();
    static std::string DefaultOutputDir();

    // ---- signal operations ----
    // Runner codes of the single-signal and combining operations.
    enum OperationCode : int {
        OpIntegrate = 1,
        OpDerivative = 2,
        OpFir100 = 3,
        OpBiasAuto = 6,
        OpAddX = 7,
        OpAddY = 8,
        OpBiasTail = 9,
        OpScaleY = 10,
        OpScaleX = 11,
        OpResultant = 12,
        OpAverage = 14,
        OpSum = 15
    };
    // Carries out code on every signal (combining codes once) and refreshes.
    bool RunOperation(int code);
    // The channel-class filter on every signal, then refresh.
    bool RunFilterClass(int filterClass);
    // Tool-bar buttons 32804 .. 32807.
    bool OnFilterClassCommand(int commandId);
    void OnFilter();
    void OnResample();
    void OnTruncate();
    void OnPadCut();
    void OnBiasTail() { RunOperation(OpBiasTail); }
    // Rebuilds the chart and texts (loading the selected files again with reload); hint 2.
    bool Refresh(bool reload);
    // Keeps the first signal and the first selected file only.
    void KeepFirst();
    bool HasSignals() const { return !m_signals.empty(); }
    bool CanPadCut() const { return m_signals.size() == 1; }
    bool CanResultant() const { return m_signals.size() == 2 || m_signals.size() == 3; }
    bool CanCombine() const { return m_signals.size() >= 2; }
    bool CanCreateXYSignal() const { return m_signals.size() == 2; }

    // ---- exports, clipboard and X-Y signals ----
    void OnSaveAsUds(const std::string &proposedName = {});
    void OnSaveAllUds();
    void OnSaveAsAscii();
    void OnSaveAsImageExpress();
    void OnCopyData();
    void OnSaveAsHitList();
    void OnSaveSelectedAsHitList();
    void OnCreateXYSignal();
    // Writes signal as a UDS-1992 file, as kx::CData::SaveToUDSFile does.
    static void SaveSignalAsUds(const kx::CData &signal, const std::string &path);
    // The texts the exports write.
    std::string CopyDataText() const;
    static std::string AsciiFileNameFor(const std::string &fileName);
    static void AppendAsciiLines(std::string &out, const kx::CData &signal);
    // Writes the ImageExpress table of signalList (already on one step) to path.
    static bool WriteImageExpress(const std::string &path, const std::vector<std::string> &names,
                                  const std::vector<kx::CNSignalPtr> &signalList, double step, std::string &error);

    // ---- criterion programs ----
    void OnInjuryQuillet();
    void OnInjuryViscous();
    void OnInjuryHic();
    void OnInjuryClip3ms();
    void OnInjuryNij();
    void OnInjuryTibia();
    bool CanRunOneSignal() const { return m_signals.size() == 1; }
    bool CanRunOneOrThree() const { return m_signals.size() == 1 || m_signals.size() == 3; }
    bool CanRunThree() const { return m_signals.size() == 3; }
    // Orders and checks three signals; the paths go to args. False when nothing may start.
    bool BranchCheck(std::vector<std::string> &args);
    // Starts suite directory / program with args; messages for a missing or failing program.
    bool StartSuiteProgram(const std::string &program, const std::vector<std::string> &args);
    // Executable names in the suite folder.
    static constexpr const char *QuilletProgram = "Quillet";
    static constexpr const char *HicProgram = "HIC";
    static constexpr const char *ViscousProgram = "ViscousCriterion";
    static constexpr const char *Clip3msProgram = "Clip3ms";
    static constexpr const char *NijProgram = "Nij";
    static constexpr const char *TibiaProgram = "TibiaIndex";
    const std::vector<std::string> &GetRequiredTypes() const { return m_requiredTypes; }
    // ---- the plot: its content, printing and images ----
    // Short header (the titles) or, for one signal, the long header table; setting "ShortHeader".
    bool IsShortHeader() const { return m_shortHeader; }
    void SetShortHeader(bool shortHeader) { m_shortHeader = shortHeader; }
    // Multi Line Title: switches the header, stores the choice and redraws (hint 2).
    void OnMultiLineTitle();
    // Something to plot: at least two points.
    bool HasPlot() const { return m_plot.maxPointCount >= 2 && !m_signals.empty(); }
    // What the plot shows for the current signals.
    kxchart::ChartContent BuildPlotContent() const;
    // Print Current Plot / Print (all plots) / Current Plot Preview / Print Preview All.
    void OnPrintPlots(bool allPlots, bool preview);
    struct BatchResult;
    // Draws the current plot, or one page per plottable listed file, on pages (the pages
    // of a preview with preview); the number of pages drawn. A message when the margins
    // leave no room. The job's messages are shown at its end, or, with deferred, left
    // there for ReportBatch once the pages are finished.
    int PrintPlotPages(IPlotPages &pages, bool allPlots, bool preview = false, BatchResult *deferred = nullptr);
    void OnSaveAsJpeg();
    // The vector image of the metafile command: "Save PDF as".
    void OnSaveAsWmf();
    // Save All Plots: the folder and size from the prompt, then one image per listed file.
    void OnSaveAllPlots(PlotImageKind kind);
    void SaveAllPlots(PlotImageKind kind, const std::string &folder, int width, int height);
    // folder + stem + extension + "_" + three-digit number + image extension.
    static std::string SaveAllName(const std::string &folder, const std::string &fileName, int number,
                                   PlotImageKind kind);
    // The sizes the Save All Plots prompts offer, by their index.
    static QSize JpegSizeFor(int index);
    static QSize MetafileSizeFor(int index);

    // Batch jobs (Save All Plots, Print All, Print Preview All).
    // One page of a job: the file at index of the list taken when the job started
    // (path: its full path, name: its list name), its signal and its plot.
    struct CBatchPage {
        std::size_t index = 0;
        std::string path;
        std::string name;
        const kx::CNSignal &signal;
        const CPlotPicture &picture;
    };
    // False when the page could not be written (the page adds its own message).
    using BatchPage = std::function<bool(const CBatchPage &page)>;
    struct BatchResult {
        int pages = 0; // pages the job wrote
        bool cancelled = false;
        bool ran = false;                // false: nothing listed, or another job runs
        std::vector<std::string> errors; // the job's messages, when their report waits
    };
    // Runs page for every listed file that can be plotted, behind a progress window,
    // on a snapshot of the list taken now. Each page is built from its file alone: the
    // selection, signals, texts and views stay as they are. Afterwards a cancel is
    // reported and the error list shown; without reportAtEnd both wait for ReportBatch.
    BatchResult RunBatch(const std::string &title, const std::string &text, const BatchPage &page,
                         bool reportAtEnd = true);
    // "Printing Cancelled" for a cancelled job, then its error list.
    void ReportBatch(const BatchResult &result);
    bool IsBatchRunning() const { return m_batchRunning; }
    // Ends the running job after its current page (e.g. the program is closing).
    void CancelBatch() { m_batchCancel = true; }
    // The text of a failure of the file at path, naming the file first: "path: text"
    // (a text that names the file already is kept as it is).
    static std::string FileError(const std::string &path, const std::string &text);

signals:
    void Updated(pellora::UpdateHint hint);

private:
    struct LoadResult {
        kx::CNSignalPtr signal;
        std::vector<std::string> errors;
    };
    static LoadResult LoadFile(const kx::CFile &file);
    static kx::CNSignalPtr LoadUdsSignal(const kx::CFile &file);
    // Loads files in turn, adding each loaded one to the selected files and signals.
    // A load that will outlast the progress delay shows the progress window; Cancel
    // keeps the files loaded so far and leaves a note for EndLoad. False when any failed.
    bool LoadFiles(const std::vector<CFilePtr> &files);
    bool LoadOutlastsDelay(std::chrono::steady_clock::time_point started, std::size_t done, std::size_t total) const;
    // After a load: the chart and texts follow the signals, hint 2, failures shown.
    bool EndLoad(bool ok);
    // Point count, chart arrays and plot texts from the signals.
    void RebuildPlot();
    // The files the command line names; a message for each name that matches none.
    std::vector<std::string> ExpandCommandLine(const std::vector<std::string> &names);
    void ReadSettings();
    void ConvertMargins();
    void SetWindowText(const std::string &text);
    // Operations: a typed value for a prompt (nullopt on Cancel); a failed signal's message.
    std::optional<double> AskValue(const std::string &caption, const std::string &prompt, const std::string &initial);
    void ReportOperationFailure(const kx::CNSignal &signal, const std::string &what);
    void RunOnEachSignal(const std::function<void(kx::CNSignal &)> &operation);
    // Exports: checks the folder of a folder chooser, with its trailing separator.
    bool ChooseExportFolder(const std::string &title, std::string &folder);
    // The file name the k-th signal is exported under.
    std::string ExportName(std::size_t k) const;
    // For each loaded signal: the file in folder named by fileNameFor, and the name its errors carry.
    void ExportTargetsIn(const std::string &folder, std::string (*fileNameFor)(const std::string &),
                         std::vector<std::string> &paths, std::vector<std::string> &names) const;
    // Writes each loaded signal into folder under fileNameFor of its name with write
    // (a failure text or ""), asking once before files there are replaced.
    void ExportToFolder(const std::string &folder, std::string (*fileNameFor)(const std::string &),
                        const std::function<std::string(const kx::CNSignal &, const std::string &)> &write);
    bool WriteHitList(const std::vector<std::string> &lines);
    bool EditOneLabel(const std::string &caption, std::string &field);

    // Loads path as the only selected file (UDS-1992); false with a message.
    bool LoadAsOnlyFile(const std::string &path);
    // The plot of one file of a batch job, the user's zoom kept when asked to; false with a message.
    bool MakeBatchPage(const std::string &path, kx::CNSignalPtr &signal, CPlotPicture &picture);
    std::optional<QRectF> ShownPlotRange() const;
    bool CanRunPlotJob() const;

    IPelloraUi *m_ui = nullptr;
    std::unique_ptr<kxplatform::CSettings> m_settings;
    bool m_batchRunning = false;
    bool m_batchCancel = false;

    CPlotData m_plot;
    bool m_shortHeader = true;
    std::vector<CFilePtr> m_selectedFiles;
    std::vector<kx::CNSignalPtr> m_signals;
    std::string m_directory;
    // Pattern of the browsed folder's listing: "*.*" or the filter applied.
    std::string m_listPattern = "*.*";
    std::vector<std::string> m_fileNames;
    bool m_hitList = false;
    bool m_columnHeaders = true;
    bool m_saveZoom = true;
    int m_lineStyle = 0;
    std::string m_hitListName;
    std::string m_suiteDirectory;
    std::vector<std::string> m_errors;
    bool m_loadAtOnce = false;
    std::vector<std::string> m_requiredTypes;
    // Selected files that could not be read; not tried again while they stay selected.
    std::set<std::string> m_failedPaths;
    std::chrono::steady_clock::duration m_progressDelay = std::chrono::seconds(1);
    // What a cancelled load kept, said once the plot shows it.
    std::string m_cancelledLoad;
    std::array<double, 4> m_margins{0.1, 0.5, 0.5, 0.5};
    CPageMarginValues m_marginTexts;
};

} // namespace pellora
