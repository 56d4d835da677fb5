#pragma once

// HIC's document: one resultant head acceleration (read, or built from three axis
// signals), its HIC, skull fracture correlate and response surface.

#include "HIC/core/CHicSurface.h"
#include "HIC/document/IHicUi.h"
#include "HIC/document/UpdateHint.h"
#include "signal/CNSignal.h"

#include <QObject>

#include <functional>
#include <string>
#include <vector>

namespace kxplatform {
class CSettings;
}

namespace hic {

// Plot modes of the view.
enum PlotMode : int { ModeResultant = 0, ModeSurface = 1, ModeXYZ = 2, ModeSfc = 3, ModeAis = 4 };

class CHICDoc : public QObject {
    Q_OBJECT

public:
    CHICDoc();

    void SetUi(IHicUi *ui) { m_ui = ui; }
    IHicUi *Ui() const { return m_ui; }
    // Where the output folder last chosen is kept; none: no memory.
    void SetSettings(kxplatform::CSettings *settings) { m_settings = settings; }
    void UpdateAllViews(UpdateHint hint = UpdateHint::Redraw);

    void OnNewDocument();
    // File Open: the dialog, the load and the HIC. True when a result is ready.
    bool OnFileOpen();
    // The load of the dialog's choices, the HIC, and the error list once.
    bool OpenFiles(const OpenFilesValues &values);
    // A start with file names: 1 resultant or 3 axis files (UDS-1992). Returns the mode
    // the view starts in.
    int RunCommandLine(const std::vector<std::string> &files, double windowMs, int mode);

    bool LoadUdsResultant(const std::string &path);
    bool LoadUdsXYZ(const std::string &x, const std::string &y, const std::string &z);
    bool LoadAsciiResultant(const std::string &path);
    bool LoadAsciiXYZ(const std::string &x, const std::string &y, const std::string &z);
    // Smallest step of the X values (dt in: 0 or a first guess); false with a message
    // for X that runs backwards.
    bool CheckTimeStep(kx::CNSignal &signal, double &dt);
    static void SetHeadHeader(kx::CNSignal &signal);

    bool ComputeHic();
    bool ComputeSfc();
    void BuildResultText();

    void EditLabels();
    void ShowErrors();
    // Sets the window (ms) and, with a result, computes the HIC again.
    bool SetWindow(double windowMs);
    // The window commands: a new window, then (with a result) the resultant or a redraw
    // of the current plot.
    void ChangeWindow(double windowMs, bool backToResultant);
    // The window dialog, then ChangeWindow without leaving the current plot.
    void EditWindow();
    // The skull fracture correlate plot; a failure shows its messages.
    void ShowSfc();
    // The AIS plot on a 15 ms window; a failure says so.
    void ShowAis();

    // The plot mode the views show.
    int Mode() const { return m_mode; }
    // Switches the plot mode and updates the views. The surface asks for its intervals
    // first; false when the switch did not happen (Cancel, no result, or a failed
    // surface, which goes back to the resultant).
    bool SetMode(int mode);

    // Response surface; the intervals and values of the last one computed through SetMode.
    const SurfaceParams &SurfaceIntervals() const { return m_surfaceParams; }
    const SurfaceResult &SurfaceValues() const { return m_surface; }
    bool SurfaceDefaults(SurfaceParams &params) const;
    bool ComputeSurfaceRow(double from, double to, double every, double window, std::vector<double> &values);
    // The surface behind the progress window; false when refused (with a message) or
    // cancelled.
    bool ComputeSurface(const SurfaceParams &params, SurfaceResult &result);

    // Save: the resultant as UDS-1992.
    bool OnSaveDocument(const std::string &path);
    bool SaveResultant();
    // The save chooser, started in the output folder last chosen; path in is the
    // proposed file, out the chosen one.
    bool ChooseSaveFile(const std::string &title, const std::string &filter, std::string &path);

    // A picture of the chart: the save chooser, then write at the chosen path; a failed
    // write is reported as failure and the path.
    bool SaveChart(const std::string &title, const std::string &filter, const std::string &failure,
                   const std::function<bool(const std::string &path)> &write);

    // The plotted data as tab-separated text (resultant, and X, Y, Z in mode 2).
    std::string PlotDataText(int mode) const;
    // Copy Data: the text of the current mode on the clipboard.
    void CopyPlotData();

    // State.
    bool ResultReady() const { return m_resultReady; }
    // A resultant is loaded, whether or not its HIC could be computed.
    bool FileLoaded() const { return m_res != nullptr; }
    bool SfcReady() const { return m_sfcReady; }
    bool HasAxes() const { return m_x && m_y && m_z; }
    double Hic() const { return m_hic; }
    double T1() const { return m_t1; }
    double T2() const { return m_t2; }
    double Window() const { return m_window; }
    // The resultant's time step in ms; 0 without one.
    double TimeStepMs() const;
    double Sfc() const { return m_sfc; }
    double SfcProbability() const { return m_sfcProbability; }
    double SfcCritical() const { return m_sfcCritical; }
    double SfcHic() const { return m_sfcHic; }
    double SfcDuration() const { return m_sfcDuration; }
    const std::vector<double> &SfcCurve() const { return m_sfcCurve; }
    double SurfaceMaximum() const { return m_surfaceMaximum; }
    double ContourFactor() const { return m_contourFactor; }
    const PlotLabels &Labels() const { return m_labels; }
    const std::string &BaseName() const { return m_baseName; }
    const std::vector<std::string> &Messages() const { return m_messages; }
    const OpenFilesValues &OpenValues() const { return m_open; }
    kx::CNSignalPtr Resultant() const { return m_res; }
    kx::CNSignalPtr AxisX() const { return m_x; }
    kx::CNSignalPtr AxisY() const { return m_y; }
    kx::CNSignalPtr AxisZ() const { return m_z; }
    // The file a successful open read first (for the recent file list).
    const std::string &OpenedPath() const { return m_openedPath; }

signals:
    // The document changed; views redraw as the hint says.
    void Updated(hic::UpdateHint hint);

private:
    void ClearSignals();
    // A new load: nothing of the previous file's results stays.
    void ForgetResults();
    // The HIC of the loaded file with the current window when there is no result yet;
    // a failure shows its messages.
    bool EnsureResult();
    CHicSurface::Outcome RunSurface(const SurfaceParams &params, SurfaceResult &result);
    void ShowMessages();
    // The messages added after the first `before` as one error list; none: nothing shown.
    void ShowMessagesSince(std::size_t before);
    bool LoadAscii(const std::vector<std::string> &paths, const std::vector<std::string> &letters);
    kx::CNSignalPtr ReadUds(const std::string &path);
    // The interval dialog and the surface; a failure goes back to the resultant.
    bool EditSurface();

    IHicUi *m_ui = nullptr;
    kxplatform::CSettings *m_settings = nullptr;

    OpenFilesValues m_open;
    PlotLabels m_labels;
    std::string m_baseName;
    std::string m_openedPath;

    double m_hic = 0.0;
    double m_t1 = 0.0;
    double m_t2 = 0.0;
    double m_window = 36.0;
    double m_sfc = 0.0;
    double m_sfcProbability = 0.0;
    double m_sfcCritical = 0.0;
    double m_sfcHic = 0.0;
    double m_sfcDuration = 0.0;
    double m_surfaceMaximum = 0.0;
    double m_contourFactor = 1.0;

    bool m_resultReady = false;
    bool m_sfcReady = false;

    int m_mode = ModeResultant;
    SurfaceParams m_surfaceParams;
    SurfaceResult m_surface;

    std::vector<std::string> m_messages;
    kx::CNSignalPtr m_x, m_y, m_z, m_res;
    std::vector<double> m_sfcCurve;
};

} // namespace hic
