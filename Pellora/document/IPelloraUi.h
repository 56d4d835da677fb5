#pragma once

// How the document reaches the user: the program implements it with widgets,
// the tests with a scripted fake.

#include "Pellora/document/PlotContent.h"
#include "shared_ui/kit/IKxUi.h"
#include "signal/CNSignal.h"

#include <QRectF>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace pellora {

struct CPlottingOptionValues {
    bool columnHeaders = true;
    bool saveZoom = true;
    int lineStyle = 0;          // 0 alternate, 1 thin, 2 medium, 3 thick
    std::string suiteDirectory; // folder of the criterion programs
};

struct CPageMarginValues {
    std::string left = "0.1";
    std::string right = "0.5";
    std::string top = "0.5";
    std::string bottom = "0.5";
    int unit = 0; // 0 inches, 1 centimetres
};

// ---- values of the operation and export prompts ----
struct CResampleValues {
    double step = 0.0; // seconds
    int points = 1;
};

struct CTruncateValues {
    bool minSet = false;
    bool maxSet = false;
    double minTime = 0.0; // seconds
    double maxTime = 0.0;
};

struct CFilterChoice {
    bool cutoffSelected = false;
    double cutoffFrequency = 0.0; // Hz, when selected
    int filterClass = 1000;       // 60, 180, 600 or 1000 otherwise
};

struct CPadCutValues {
    int atFirst = 0; // > 0 pads, < 0 cuts
    int atLast = 0;
    bool unchanged = true;
};

struct CBiasTailValues {
    double percent = 5.0;
    int fromStart = 0;
};

using CSaveFileRequest = kxres::CFileRequest;

// The pages of one print or preview job, each drawn by a chart of its own.
class IPlotPages {
public:
    virtual ~IPlotPages() = default;
    // False when the page margins leave no room for the plot.
    virtual bool HasRoom() const = 0;
    // Draws one plot on the next page; false when it could not be drawn.
    virtual bool AddPage(const CPlotPicture &picture) = 0;
    // Ends the job: the printer is done, or the preview shows the pages drawn.
    virtual void Finish() = 0;
};

// The program's own prompts beside the shared ones.
class IPelloraUi : public kxres::IKxUi {
public:
    // The directory dialog of Open Directory; false on Cancel.
    virtual bool ChooseBrowseDirectory(std::string &directory) = 0;
    virtual bool EditSignalLabels(std::vector<std::string> &labels, const std::vector<kx::CNSignalPtr> &signalList,
                                  const std::string &nameColumn, const std::string &labelColumn) = 0;
    virtual bool EditPlottingOptions(CPlottingOptionValues &options) = 0;
    virtual bool EditPageMargins(CPageMarginValues &margins) = 0;
    virtual bool EditHitList(std::vector<std::string> &names) = 0;

    // ---- signal operations, exports and program starts ----
    // Shared resample / truncate / filter-class prompts; values in and out.
    virtual bool AskResample(CResampleValues &values) = 0;
    virtual bool AskTruncate(CTruncateValues &values) = 0;
    virtual bool AskFilterClass(const std::vector<kx::CNSignalPtr> &signalList, CFilterChoice &choice) = 0;
    // The pad/cut dialog for a signal of step and points nfp .. nlp.
    virtual bool AskPadCut(double step, int nfp, int nlp, CPadCutValues &values) = 0;
    virtual bool AskBiasTail(CBiasTailValues &values) = 0;
    // The program's own resample dialog of the ImageExpress export; step out.
    virtual bool AskExportStep(double duration, double step, int points, double &chosenStep) = 0;
    // The hit-list save dialog with its append box.
    virtual bool ChooseHitListFile(const std::string &startFolder, std::string &path, bool &append) = 0;
    // OK / Cancel, and Yes / No questions; true for OK and Yes.
    virtual bool AskOkCancel(const std::string &text) = 0;
    // Which of two signals is the X axis (0 or 1).
    virtual bool SelectXYAxes(const std::array<std::string, 2> &names, const std::array<std::string, 2> &xUnits,
                              int &xIndex) = 0;
    // Orders three signals as X, Y and Z branches: order[k] is the index of branch k.
    virtual bool ShiftAxes(const std::array<std::string, 3> &names, const std::string &note,
                           std::array<int, 3> &order) = 0;
    // ---- the plot ----
    // The image name and pixel size of Save As Jpeg; false on Cancel.
    virtual bool AskOutputImage(std::string &fileName, int &width, int &height) = 0;
    // The folder and the size (index of the sizes offered for kind) of Save All Plots.
    virtual bool AskSaveAllPlots(PlotImageKind kind, std::string &folder, int &sizeIndex) = 0;
    // The axis ranges the user zoomed the shown plot to; false for the automatic ones.
    virtual bool ShownPlotRange(QRectF &range) = 0;
    // Writes picture as an image of kind at path (pixels, or metafile units for a metafile).
    virtual bool SavePlotImage(const CPlotPicture &picture, PlotImageKind kind, const std::string &path, int width,
                               int height) = 0;
    // A print job on the program's page setup, landscape, within margins (left, right,
    // top, bottom; unit 0 inches, 1 centimetres). For printing the print dialog comes
    // first: null on its Cancel. A preview shows its pages at Finish.
    virtual std::unique_ptr<IPlotPages> BeginPlotPrint(bool preview, const std::array<double, 4> &margins,
                                                       int unit) = 0;
    // Starts program with args, not waiting; false with error set when it cannot start.
    virtual bool StartProgram(const std::string &program, const std::vector<std::string> &args, std::string &error) = 0;
};

using kxres::CUiWaitCursor;

} // namespace pellora
