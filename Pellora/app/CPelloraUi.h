#pragma once

// The document's way to the user, on the program's dialogs.

#include "Pellora/document/IPelloraUi.h"
#include "platform/chart/Chart.h"
#include "shared_ui/frame/CQtKxUi.h"

#include <functional>

#include <QWidget>

namespace kxplatform {
class CSettings;
}

namespace pellora {

class CPelloraUi : public kxres::CQtKxUi<IPelloraUi> {
public:
    CPelloraUi(kxplatform::CSettings &settings, QWidget *parent = nullptr);

    bool ChooseBrowseDirectory(std::string &directory) override;
    bool EditSignalLabels(std::vector<std::string> &labels, const std::vector<kx::CNSignalPtr> &signalList,
                          const std::string &nameColumn, const std::string &labelColumn) override;
    bool EditPlottingOptions(CPlottingOptionValues &options) override;
    bool EditPageMargins(CPageMarginValues &margins) override;
    bool EditHitList(std::vector<std::string> &names) override;

    // ---- operations, exports and program starts ----
    bool AskResample(CResampleValues &values) override;
    bool AskTruncate(CTruncateValues &values) override;
    bool AskFilterClass(const std::vector<kx::CNSignalPtr> &signalList, CFilterChoice &choice) override;
    bool AskPadCut(double step, int nfp, int nlp, CPadCutValues &values) override;
    bool AskBiasTail(CBiasTailValues &values) override;
    bool AskExportStep(double duration, double step, int points, double &chosenStep) override;
    bool ChooseHitListFile(const std::string &startFolder, std::string &path, bool &append) override;
    bool AskOkCancel(const std::string &text) override;
    bool SelectXYAxes(const std::array<std::string, 2> &names, const std::array<std::string, 2> &xUnits,
                      int &xIndex) override;
    bool ShiftAxes(const std::array<std::string, 3> &names, const std::string &note,
                   std::array<int, 3> &order) override;
    bool StartProgram(const std::string &program, const std::vector<std::string> &args, std::string &error) override;

    // ---- the plot ----
    bool AskOutputImage(std::string &fileName, int &width, int &height) override;
    bool AskSaveAllPlots(PlotImageKind kind, std::string &folder, int &sizeIndex) override;
    bool ShownPlotRange(QRectF &range) override;
    bool SavePlotImage(const CPlotPicture &picture, PlotImageKind kind, const std::string &path, int width,
                       int height) override;
    std::unique_ptr<IPlotPages> BeginPlotPrint(bool preview, const std::array<double, 4> &margins, int unit) override;
    // Where the zoom of the plot on screen is read.
    void SetShownRange(std::function<bool(QRectF &)> shownRange) { m_shownRange = std::move(shownRange); }
    // The charts that draw plots off the screen.
    void SetChartFactory(kxchart::ChartFactory factory) { m_factory = std::move(factory); }

private:
    kxplatform::CSettings &m_settings;
    std::function<bool(QRectF &)> m_shownRange;
    kxchart::ChartFactory m_factory = kxchart::makeChart;
};

} // namespace pellora
