#pragma once

// Sorvelt's one document: the simulation file, the curves ticked in the tree, the
// packed chart arrays and the plot texts. It holds no widgets; it talks to the
// user through ISorveltUi and tells its views of changes with Updated(hint).

#include "Sorvelt/core/CSignal.h"
#include "Sorvelt/document/ISorveltUi.h"
#include "Sorvelt/document/UpdateHint.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kx {
class MadymoFile;
}
namespace kxplatform {
class CSettings;
}

namespace sorvelt {

class CSorveltDoc : public QObject {
    Q_OBJECT
public:
    // Fill value of the chart arrays beyond the end of a shorter curve; the chart's null value.
    static constexpr double PadValue = 2.220446049250313e-16;

    explicit CSorveltDoc(ISorveltUi *ui = nullptr, const QString &settingsProgram = QStringLiteral("Sorvelt"),
                         QObject *parent = nullptr);
    ~CSorveltDoc() override;

    void SetUi(ISorveltUi *ui) { m_ui = ui; }
    kxplatform::CSettings &Settings() { return *m_settings; }

    // The commands (On...) throw on failure; their caller reports the text here.
    void ReportError(const QString &text) { Message(text.toStdString()); }

    // File.
    bool OnNewDocument();
    void OnFileOpen();
    // Reads path into a fresh reader; on success it replaces the file and everything
    // built from it. A failure shows the reader's message and changes nothing.
    bool OpenDocument(const std::string &path);
    void OnReload();
    void OnSaveToUds();
    void OnSaveToAscii();
    void OnCopyData();
    void OnConvertToUds();

    // The tree's ticked curves (parameter * channels + channel, in tree order).
    void SetSelection(const std::vector<unsigned> &selection);

    // Operations on every curve.
    void OnCfc(int filterClass);
    void OnFilter();
    void OnAddConstantX();
    void OnAddConstantY();
    void OnScaleX();
    void OnScaleY();
    void OnAutoRemoveY();
    void OnDerivative();
    void OnIntegrate();
    void OnFir100();
    void OnResample();
    void OnTruncate();
    void OnPlotLabels();
    void OnSaveZoom();

    bool HasCurves() const { return !m_curves.empty(); }
    bool IsLoaded() const { return m_loaded; }

    // Contents for the views.
    const std::vector<std::string> &GetParameterNames() const { return m_parameterNames; }
    const std::vector<std::string> &GetChannelNames() const { return m_channelNames; }
    const std::vector<unsigned> &GetSelection() const { return m_selection; }
    const std::vector<CSignal> &GetCurves() const { return m_curves; }
    // The packed arrays: curve after curve, each in a block of points-per-curve slots,
    // the rest of a shorter curve's block PadValue. Made on request from the curves,
    // which the chart draws without a copy.
    std::vector<double> GetChartX() const { return Packed(true); }
    std::vector<double> GetChartY() const { return Packed(false); }
    int GetCurveCount() const { return m_curveCount; }
    int GetPointsPerCurve() const { return m_pointsPerCurve; }
    const std::string &GetTitle() const { return m_labels.title; }
    const std::string &GetSubTitle() const { return m_labels.subTitle; }
    const std::string &GetXLabel() const { return m_labels.xLabel; }
    const std::string &GetYLabel() const { return m_labels.yLabel; }
    bool GetSaveZoom() const { return m_saveZoom; }
    const std::string &GetFileName() const { return m_name; }
    const std::string &GetFolder() const { return m_folder; }
    std::string GetOutputDir() const;
    std::string GetInputDir() const;

    // Sizes the chart arrays (curve count, points per curve); false with no curve.
    bool Pack();
    // Title, subtitle and axis labels from the curves.
    void BuildPlotTexts();
    void UpdateAllViews(UpdateHint hint) { emit Updated(hint); }

signals:
    void Updated(sorvelt::UpdateHint hint);

private:
    // Runs a body outside the commands; an exception becomes one message.
    void Guard(const std::function<void()> &body);
    // Runs op on a copy of the curves and takes the copy when op returns.
    void Operate(const std::function<void(std::vector<CSignal> &)> &op);
    // Applies op to every curve with a uniform step; failure is shown once when op threw for any.
    void OperateOnUniformSteps(const std::function<void(kx::CNSignal &)> &op, const std::string &failure);
    // Builds the curve of number n; throws with the reason on failure.
    CSignal Build(unsigned n);
    void Synchronise();
    void Clear();
    // Sizes, plot texts (from the curves as they are now) and a redraw.
    void AfterChange();
    void Message(const std::string &text, ISorveltUi::Icon icon = ISorveltUi::Icon::Exclamation);
    // Asks for a number with the label dialog; false on Cancel. Throws for a text
    // that is not a number.
    bool AskValue(const std::string &caption, const std::string &prompt, const std::string &initial, double &value);
    // With curves loaded: asks a value, passes it through prepare (which may throw to
    // refuse it) and applies the result to every curve's signal.
    void OperateWithValue(const std::string &caption, const std::string &prompt, const std::string &initial,
                          const std::function<double(double)> &prepare,
                          const std::function<void(kx::CNSignal &, double)> &apply);
    void SetOutputDirFromPath(const std::string &path);
    // The first X and the last X over all curves.
    bool TimeSpan(double &first, double &last) const;
    bool CurvesShareX() const;
    std::vector<double> Packed(bool x) const;

    ISorveltUi *m_ui = nullptr;
    std::unique_ptr<kxplatform::CSettings> m_settings;
    std::unique_ptr<kx::MadymoFile> m_reader;
    std::vector<unsigned> m_selection;
    std::vector<CSignal> m_curves;
    std::vector<std::string> m_channelNames;
    std::vector<std::string> m_parameterNames;
    int m_curveCount = 0;
    int m_pointsPerCurve = 0;
    CPlotLabels m_labels;
    bool m_saveZoom = true;
    bool m_loaded = false;
    std::string m_folder;
    std::string m_name;
    std::string m_secondName;
};

} // namespace sorvelt
