#pragma once

// The neck document: one upper-neck load signal, its measurement (shear, moment or
// axial load), the condyle correction of a moment with its force, the two load
// cases of the measurement and what the view draws.

#include "Quillet/core/KxNeckCompression.h"
#include "Quillet/core/KxNeckExtension.h"
#include "Quillet/core/KxNeckFlexion.h"
#include "Quillet/core/KxNeckForwardShear.h"
#include "Quillet/core/KxNeckRearShear.h"
#include "Quillet/core/KxNeckTension.h"
#include "Quillet/document/IQuilletUi.h"
#include "platform/CSettings.h"
#include "signal/CNSignal.h"

#include <QObject>
#include <QString>

#include <memory>
#include <string>
#include <vector>

namespace quillet {

Q_NAMESPACE

// What changed when the views are told.
enum class UpdateHint : int {
    Result = 100, // a file was opened and computed
};
Q_ENUM_NS(UpdateHint)

class CQuilletDoc : public QObject {
    Q_OBJECT
public:
    enum Measurement : int { Shear = 0, Moment = 1, Axial = 2 };
    // The hint of every update after an open.
    static constexpr UpdateHint HintResult = UpdateHint::Result;
    static constexpr int OtherDummy = 6;

    explicit CQuilletDoc(IQuilletUi *ui, const QString &settingsProgram = QStringLiteral("Quillet"),
                         QObject *parent = nullptr);
    ~CQuilletDoc() override;

    void SetUi(IQuilletUi *ui) { m_ui = ui; }
    kxplatform::CSettings &Settings() { return *m_settings; }

    bool OnNewDocument();
    // File Open: the file dialog with the options, then the chosen file.
    void OnFileOpen();
    // Opens one file, shows its messages and updates the views.
    void ProcessPath(const std::string &path);
    // The files of the command line: the conditions dialog, then the first file.
    void OpenFileList(const std::vector<std::string> &names);
    void Clear();
    // Reads, decides, runs and titles one file; false leaves no result.
    bool OnOpenDocument(const std::string &path);

    // Tells every view what changed.
    void UpdateAllViews(UpdateHint hint) { emit Updated(hint); }

    void ShowUDSSpecification();
    void ShowErrorMessages();
    // The saves and the copy of the kept signals.
    void SaveUds();
    void SaveAscii();
    void CopyData();
    std::string CopyDataText() const;
    // "name.uds" -> "name.txt", other dots become "_".
    static std::string AsciiFileName(const std::string &signalFileName);

    // The condyle offset of a dummy index of the dummy dialog (Other asks the user).
    double DummyCondyleOffset(int index);

    // State the view and the frame read.
    bool IsResultReady() const { return m_resultReady; }
    int GetMeasurement() const { return m_measurement; }
    double GetFirstValue() const { return m_value1; }
    double GetSecondValue() const { return m_value2; }
    double GetFirstCritical() const { return m_critical1; }
    double GetSecondCritical() const { return m_critical2; }
    int GetPointCount() const { return m_pointCount; }
    const std::string &GetTitle() const { return m_title; }
    const std::string &GetSubTitle() const { return m_subTitle; }
    const std::string &GetXLabel() const { return m_xLabel; }
    const std::string &GetYLabel() const { return m_yLabel; }
    const std::vector<double> &GetPlotX() const { return m_plotX; }
    const std::vector<double> &GetPlotY() const { return m_plotY; }
    const std::vector<double> &GetPlotYOriginal() const { return m_plotYOriginal; }
    // True once the condyle correction has been applied to the moment.
    bool IsMomentCorrected() const { return m_momentCorrected; }
    const std::vector<std::string> &GetMessages() const { return m_messages; }
    const std::vector<kx::CNSignalPtr> &GetKeptSignals() const { return m_kept; }
    bool HasKeptSignals() const { return !m_kept.empty(); }
    const kx::CNSignal &GetSignal() const { return *m_signal; }
    const kx::CNSignal &GetForce() const { return m_force; }
    const std::string &GetForcePath() const { return m_forcePath; }
    int GetDummyIndex() const { return m_dummyIndex; }
    const std::string &GetDummyType() const { return m_dummyType; }
    const std::string &GetDummySize() const { return m_dummySize; }
    const CNeckOptions &GetOptions() const { return m_options; }
    void SetOptions(const CNeckOptions &options) { m_options = options; }
    int GetFilterIndex() const { return m_filterIndex; }
    void SetFilterIndex(int index) { m_filterIndex = index; }

signals:
    void Updated(quillet::UpdateHint hint);

private:
    bool ReadSignal(const std::string &path);
    bool ReadInto(kx::CNSignal &signal, const std::string &path, bool ascii);
    // Out of position and the advanced switches of the load cases, from the options
    // and the header title: the dummy dialog and the runs read their limits after it.
    void ApplyConditions();
    bool DecideMeasurement();
    bool RunShear();
    bool RunMoment();
    bool RunAxial();
    template <class First, class Second>
    bool RunPair(First &first, Second &second);
    bool CondyleCorrect();
    bool GetForceSignal();
    // False (with the message) when the filter refuses the signal.
    bool FilterSignal(kx::CNSignal &signal, int channelClass);
    void RemoveBias(kx::CNSignal &signal);
    // Writes every kept signal into folder as UDS or X-Y text, asking once before files
    // already there are replaced; failures go to the error list.
    void SaveKept(const std::string &folder, const std::string &progressTitle, bool ascii);
    void BuildTitles();
    // The window's title: the file's name when it was loaded, else the program's alone.
    void ShowTitle(bool loaded, const std::string &path);
    void RefreshPlotData();
    void ResetResult();
    void ShowMessages();
    NeckLoadCases LoadCases();

    IQuilletUi *m_ui = nullptr;
    std::unique_ptr<kxplatform::CSettings> m_settings;

    KxNeckCompression m_compression{0};
    KxNeckTension m_tension{0};
    KxNeckForwardShear m_forwardShear{0};
    KxNeckRearShear m_rearShear{0};
    KxNeckFlexion m_flexion{0};
    KxNeckExtension m_extension{0};

    kx::CNSignalPtr m_signal;
    kx::CNSignal m_force;
    std::vector<double> m_uncorrectedY; // the moment before the condyle correction
    bool m_momentCorrected = false;

    std::string m_titleBase;
    std::string m_momentPath;
    std::string m_xLabel;
    std::string m_yLabel;
    std::string m_title;
    std::string m_subTitle;
    std::string m_forcePath;
    int m_forceType = 0;

    std::string m_dummyType;
    std::string m_dummySize;

    double m_value1 = 0.0;
    double m_value2 = 0.0;
    double m_critical1 = 0.0;
    double m_critical2 = 0.0;
    int m_pointCount = 0;
    bool m_resultReady = false;
    int m_measurement = Shear;
    int m_dummyIndex = 4;
    int m_filterIndex = 1;

    std::vector<std::string> m_messages;
    bool m_readWarning = false; // a file read for the open left a warning
    std::vector<std::string> m_files;
    std::vector<kx::CNSignalPtr> m_kept;
    std::vector<double> m_plotX;
    std::vector<double> m_plotY;
    std::vector<double> m_plotYOriginal;

    CNeckOptions m_options;
};

} // namespace quillet
