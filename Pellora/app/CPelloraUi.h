#pragma once

// The document's way to the user, on the program's dialogs.

#include "Pellora/document/IPelloraUi.h"
#include "shared_ui/frame/CQtKxUi.h"

#include <QWidget>

namespace kxplatform {
class CSettings;
}

namespace pellora {

class CPelloraUi : public kxres::CQtKxUi<IPelloraUi> {
public:
    CPelloraUi(kxplatform::CSettings &settings, QWidget *parent = nullptr);

    bool ChooseBrowseDirectory(std::string &directory) override;
    bool EditLabel(const std::string &caption, const std::string &prompt, std::string &value) override;
    bool EditSignalLabels(std::vector<std::string> &labels, const std::vector<kx::CNSignalPtr> &signalList,
                          const std::string &nameColumn, const std::string &labelColumn) override;
    bool EditPlottingOptions(CPlottingOptionValues &options) override;
    bool EditPageMargins(CPageMarginValues &margins) override;
    bool EditHitList(std::vector<std::string> &names) override;
    void ShowUdsHeader(std::vector<kx::CNSignalPtr> signalList) override;
    void SetMainWindowText(const std::string &text) override;

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
    bool StartProgram(const std::string &program, const std::vector<std::string> &args,
                      std::string &error) override;

private:
    kxplatform::CSettings &m_settings;
};

} // namespace pellora
