#pragma once

// Mirvane's one document: the evaluated records, the reference, the current plot
// kind with its series and chart arrays, and the commands. It holds no widgets; it
// talks to the user through IMirvaneUi and tells its views of changes through
// Updated.

#include "Mirvane/core/CComparisonRun.h"
#include "Mirvane/core/CPlot.h"
#include "Mirvane/core/CSignal.h"
#include "Mirvane/document/IMirvaneUi.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kxplatform {
class CSettings;
}

namespace mirvane {

Q_NAMESPACE

// What changed: a new run, or the plot or a setting.
enum class UpdateHint { Run = 1, Plot = 2 };
Q_ENUM_NS(UpdateHint)

class CMirvaneDoc : public QObject {
    Q_OBJECT

public:
    explicit CMirvaneDoc(IMirvaneUi *ui = nullptr, const QString &settingsProgram = QStringLiteral("Mirvane"));
    ~CMirvaneDoc();

    void SetUi(IMirvaneUi *ui) { m_ui = ui; }
    kxplatform::CSettings &Settings() { return *m_settings; }
    void UpdateAllViews(UpdateHint hint);

    // Commands. Select Files and the run let no exception out; the others run
    // under the frame's command guard.
    void OnSelectFiles();
    void OnSaveUds();
    void OnSaveAscii();
    void OnCriticalValues();
    void OnCorridorSize();
    // The HTML summary with the columns in the table's display order.
    void OnSaveHtml(const std::vector<int> &columnOrder);
    void ShowHeaders();
    // A picture of the chart: the save chooser, then write at the chosen path; a
    // failed write is reported with failure.
    bool SaveChart(const std::string &title, const std::string &filter, const std::string &failure,
                   const std::function<bool(const std::string &path)> &write);
    // Tells the user why a command did nothing.
    void Report(const std::string &text);
    // Copy Data: the summary table as text, columns in the order shown, on the clipboard.
    void CopyData(const std::vector<int> &columnOrder);

    // The command-line run: the files against their average.
    void Run(const std::vector<std::string> &files, int filterClass, double minTime, double maxTime);
    // Draws plot kind 1..11; any other kind gives a Summary object and false.
    bool SetPlot(int kind);

    bool HasSignals() const { return !m_records.empty(); }
    bool CanSave() const { return !m_series.empty(); }

    const std::vector<CSignal> &Records() const { return m_records; }
    const CSignal &Reference() const { return m_reference; }
    const std::vector<kx::CNSignalPtr> &LoadedSignals() const { return m_loaded; }
    const std::vector<kx::CNSignal> &Series() const { return m_series; }
    const std::vector<std::string> &Labels() const { return m_labels; }
    const std::vector<int> &PlotKinds() const { return m_plotKinds; }
    int CurrentPlotKind() const { return m_currentKind; }
    const CPlot &Plot() const { return *m_plot; }
    const std::vector<double> &ChartX() const { return m_x; }
    const std::vector<double> &ChartY() const { return m_y; }
    // Hands the packed arrays to the chart (moved, not copied); they stay empty until the next plot.
    void TakeChartArrays(std::vector<double> &x, std::vector<double> &y);
    int PointCount() const { return m_pointCount; }
    int SeriesCount() const { return m_seriesCount; }
    double MissingValue() const { return kMissingValue; }
    const std::string &Title() const { return m_title; }
    const std::string &SubTitle() const { return m_subTitle; }
    const std::string &XAxisTitle() const { return m_xTitle; }
    const std::string &YAxisTitle() const { return m_yTitle; }
    const std::vector<std::string> &Errors() const { return m_errors; }
    double CorridorSize() const { return m_corridorSize; }
    int ReferenceKind() const { return m_referenceKind; }

signals:
    void Updated(mirvane::UpdateHint hint);

private:
    void Execute(const CRunOptions &options);
    // Back to no results: nothing to show, plot or export.
    void ClearResults();
    void ShowErrors();
    std::string Folder(const char *key) const;
    void StoreFolder(const char *key, const std::string &path);

    IMirvaneUi *m_ui = nullptr;
    std::unique_ptr<kxplatform::CSettings> m_settings;

    std::vector<CSignal> m_records;
    CSignal m_reference;
    std::string m_referenceFile;
    std::vector<std::string> m_chosenFiles; // the names of the last run, failed or not
    std::vector<kx::CNSignalPtr> m_loaded;
    std::vector<kx::CNSignal> m_series;
    std::vector<std::string> m_labels;
    std::vector<int> m_plotKinds;
    int m_currentKind = 0;
    std::unique_ptr<CPlot> m_plot;
    std::vector<double> m_x;
    std::vector<double> m_y;
    int m_pointCount = 0;
    int m_seriesCount = 0;
    std::string m_title, m_subTitle, m_xTitle, m_yTitle;
    std::vector<std::string> m_errors;
    int m_referenceKind = 0;
    bool m_filter = true;
    bool m_truncate = false;
    double m_corridorSize = 4.0;
};

} // namespace mirvane
