// Opening files: File Open, the command line, reading and titling one file.

#include "Quillet/document/CQuilletDoc.h"

#include "signal/LoadWarnings.h"
#include "signal/TimeStep.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace quillet {

namespace fs = std::filesystem;

namespace {

// The folder of a path with its separator, for the next file dialog.
std::string FolderOf(const std::string &path)
{
    std::error_code ec;
    const fs::path absolute = fs::absolute(fs::path(path), ec);
    const fs::path parent = (ec ? fs::path(path) : absolute).lexically_normal().parent_path();
    if (parent.empty())
        return {};
    std::string folder = parent.string();
    if (folder.back() != '/')
        folder += '/';
    return folder;
}

// Puts an X-Y record on the constant step of its own X values: the step is the mean
// spacing, the first point follows from the first X. The record is resampled from a
// start at or after time zero and moved back by whole steps, so a record starting
// before zero keeps its first point.
void PutOnStep(kx::CNSignal &signal)
{
    std::vector<double> x = signal.GetX();
    if (x.size() < 2)
        throw std::logic_error("Not enough data points");
    const double step = (x.back() - x.front()) / double(x.size() - 1);
    if (!(step > 0.0) || !std::isfinite(step))
        throw std::logic_error("X axis data is not monotonically increasing");
    const double shift = std::floor(x.front() / step + 0.01);
    if (std::fabs(shift) > 1.0e9)
        throw std::logic_error("Error Interpolating Data");
    for (double &v : x)
        v -= shift * step;
    signal.SetXYData(x, signal.GetY());
    signal.Interpolate(step);
    const auto moved = static_cast<std::int32_t>(shift);
    signal.SetNFP(signal.GetNFP() + moved);
    signal.SetNLP(signal.GetNLP() + moved);
    signal.MakeTimeAxis();
    signal.ComputeTimeRange();
    signal.UpdateMinMax();
}

} // namespace

CQuilletDoc::CQuilletDoc(IQuilletUi *ui, const QString &settingsProgram, QObject *parent)
    : QObject(parent)
    , m_ui(ui)
    , m_settings(std::make_unique<kxplatform::CSettings>(settingsProgram))
    , m_signal(std::make_shared<kx::CNSignal>())
{
    m_filterIndex = m_settings->GetInt("NeckDataType", 1);
}

CQuilletDoc::~CQuilletDoc() = default;

bool CQuilletDoc::OnNewDocument()
{
    ResetResult();
    return true;
}

void CQuilletDoc::ResetResult()
{
    m_resultReady = false;
    m_pointCount = 0;
    // Each file decides its own measurement; the dummy dialog starts on shear.
    m_measurement = Shear;
    m_value1 = m_value2 = m_critical1 = m_critical2 = 0.0;
    m_title.clear();
    m_subTitle.clear();
    m_xLabel.clear();
    m_yLabel.clear();
    m_titleBase.clear();
    m_plotX.clear();
    m_plotY.clear();
    m_plotYOriginal.clear();
    m_force = kx::CNSignal();
    m_uncorrectedY.clear();
    m_momentCorrected = false;
    m_kept.clear();
    m_signal = std::make_shared<kx::CNSignal>();
    // Fresh load cases: one file's dummy never carries over to the next.
    m_compression = KxNeckCompression(0);
    m_tension = KxNeckTension(0);
    m_forwardShear = KxNeckForwardShear(0);
    m_rearShear = KxNeckRearShear(0);
    m_flexion = KxNeckFlexion(0);
    m_extension = KxNeckExtension(0);
}

NeckLoadCases CQuilletDoc::LoadCases()
{
    return {&m_compression, &m_tension, &m_forwardShear, &m_rearShear, &m_flexion, &m_extension};
}

void CQuilletDoc::Clear()
{
    m_messages.clear();
    m_files.clear();
    m_kept.clear();
    m_plotX.clear();
    m_plotY.clear();
    m_plotYOriginal.clear();
}

void CQuilletDoc::OnFileOpen()
{
    if (!m_ui)
        return;
    CNeckFileChoice choice;
    choice.options = m_options;
    choice.filterIndex = m_settings->GetInt("NeckDataType", 1);
    choice.folder = m_settings->GetString("InputDir", "Q:\\uds\\vehdb");
    if (!m_ui->ChooseNeckFile(choice))
        return;
    m_options = choice.options;
    m_filterIndex = choice.filterIndex;
    m_settings->SetInt("NeckDataType", m_filterIndex);
    m_files.clear();
    m_messages.clear();
    ProcessPath(choice.path);
}

void CQuilletDoc::ProcessPath(const std::string &path)
{
    m_readWarning = false;
    const bool ok = OnOpenDocument(path);
    // A result computed from samples read as 0 is not shown without the warning.
    if (!ok || m_readWarning)
        ShowMessages();
    const std::string folder = FolderOf(path);
    if (!folder.empty())
        m_settings->SetString("InputDir", folder);
    ShowTitle(ok, path);
    UpdateAllViews(UpdateHint::Result);
}

void CQuilletDoc::ShowTitle(bool loaded, const std::string &path)
{
    // A file that was refused or cancelled leaves nothing loaded, so no name.
    if (m_ui)
        m_ui->SetMainWindowText(loaded ? fs::path(path).stem().string() + " - Quillet" : std::string("Quillet"));
}

void CQuilletDoc::OpenFileList(const std::vector<std::string> &names)
{
    Clear();
    for (const std::string &name : names) {
        std::error_code ec;
        if (fs::is_regular_file(name, ec))
            m_files.push_back(name);
        else
            m_messages.push_back("File does not exist: " + name);
    }
    if (m_files.empty()) {
        ShowMessages();
        return;
    }
    CNeckOptions options = m_options;
    if (m_ui && m_ui->EditConditions(options))
        m_options = options;
    // Files named on the command line are UDS files.
    m_filterIndex = 1;
    const bool ok = OnOpenDocument(m_files.front());
    const std::string folder = FolderOf(m_files.front());
    if (!folder.empty())
        m_settings->SetString("InputDir", folder);
    ShowMessages();
    ShowTitle(ok, m_files.front());
    UpdateAllViews(UpdateHint::Result);
}

void CQuilletDoc::ShowMessages()
{
    if (m_ui && !m_messages.empty())
        m_ui->ShowErrorList(m_messages);
}

void CQuilletDoc::ShowErrorMessages()
{
    ShowMessages();
}

bool CQuilletDoc::OnOpenDocument(const std::string &path)
{
    if (!ReadSignal(path))
        return false;
    // Before the dummy dialog, so that it shows the limits the run will use.
    ApplyConditions();
    if (!DecideMeasurement())
        return false;
    bool ran = false;
    switch (m_measurement) {
    case Shear:
        ran = RunShear();
        break;
    case Moment:
        m_momentPath = path;
        ran = RunMoment();
        break;
    default:
        ran = RunAxial();
        break;
    }
    if (!ran)
        return false;
    BuildTitles();
    m_xLabel = m_signal->GetXUnits();
    m_yLabel = m_signal->GetYUnits();
    RefreshPlotData();
    m_resultReady = true;
    return true;
}

bool CQuilletDoc::ReadInto(kx::CNSignal &signal, const std::string &path, bool ascii)
{
    // Read in place (a signal of a million points is not copied); a failure leaves
    // an empty signal.
    signal = kx::CNSignal();
    try {
        const fs::path p(path);
        if (ascii) {
            signal.ReadPointsFile(FolderOf(path), p.filename().string());
            PutOnStep(signal);
        } else {
            signal.LoadUDSFile(path);
            if (kx::AddLoadWarnings(m_messages, path, signal))
                m_readWarning = true;
            signal.SetFileName(p.filename().string());
            signal.SetDirectory(FolderOf(path));
            signal.SetPathName(path);
            // Every result of this program rests on times in order.
            kx::RequireIncreasingTimes(signal);
        }
        return true;
    } catch (const std::exception &e) {
        m_messages.push_back(path + ": " + e.what());
        signal = kx::CNSignal();
        return false;
    }
}

void CQuilletDoc::RemoveBias(kx::CNSignal &signal)
{
    try {
        signal.Bias();
    } catch (const std::exception &e) {
        m_messages.push_back(e.what());
    }
    signal.MoveMessagesTo(m_messages);
}

bool CQuilletDoc::ReadSignal(const std::string &path)
{
    ResetResult();
    auto signal = std::make_shared<kx::CNSignal>();
    if (!ReadInto(*signal, path, m_filterIndex == 4))
        return false;
    m_signal = signal;
    m_kept.push_back(signal);
    m_pointCount = signal->GetNumberOfPoints();
    if (m_options.removeBias)
        RemoveBias(*signal);
    m_titleBase = fs::path(path).filename().string();
    return true;
}

bool CQuilletDoc::DecideMeasurement()
{
    if (m_options.checkUds) {
        const std::string &axis = m_signal->GetAxis();
        const char first = axis.empty() ? '\0' : axis.front();
        if (first == 'X')
            m_measurement = Shear;
        else if (first == 'Y')
            m_measurement = Moment;
        else if (first == 'Z')
            m_measurement = Axial;
        else {
            m_messages.push_back("Unknown Neck Measurement Axis " + axis);
            return false;
        }
        m_dummyType = m_signal->GetOccupant1Type();
        m_dummySize = m_signal->GetOccupant1Size();
        return true;
    }
    if (!m_ui)
        return false;
    CDummyChoice choice;
    choice.measurement = m_measurement;
    choice.dummy = m_dummyIndex;
    if (!m_ui->SelectDummy(LoadCases(), choice))
        return false;
    m_measurement = std::clamp(choice.measurement, 0, 2);
    m_dummyIndex = std::clamp(choice.dummy, 0, OtherDummy);
    m_dummyType = choice.type;
    m_dummySize = choice.size;
    m_critical1 = choice.critical1;
    m_critical2 = choice.critical2;
    return true;
}

double CQuilletDoc::DummyCondyleOffset(int index)
{
    static const char *const codes[6][2] = {{"CR", "12"}, {"HY", "3C"}, {"HY", "6C"},
                                            {"HY", "05"}, {"HY", "50"}, {"HY", "95"}};
    if (index >= 0 && index < 6)
        return -KxNeck208::CondyleOffsetFor(codes[index][0], codes[index][1]);
    double offset = 0.0;
    if (m_ui && m_ui->EnterCondyleOffset(offset))
        return offset;
    return 0.0;
}

void CQuilletDoc::BuildTitles()
{
    static const char *const titles[3] = {"%s - Neck Shear", "%s - Neck Moment", "%s - Neck Axial Load"};
    static const char *const subtitles[3] = {"Positve %4.1f / %3.0f - Negative %4.1f / %3.0f",
                                             "Flexion %4.1f / %3.0f - Extension %4.1f / %3.0f",
                                             "Compression %4.1f / %3.0f - Tension %4.1f / %3.0f"};
    const int m = std::clamp(m_measurement, 0, 2);
    std::vector<char> buffer(m_titleBase.size() + 64);
    std::snprintf(buffer.data(), buffer.size(), titles[m], m_titleBase.c_str());
    m_title = buffer.data();
    char sub[256];
    std::snprintf(sub, sizeof sub, subtitles[m], m_value1, m_critical1, m_value2, m_critical2);
    m_subTitle = sub;
}

void CQuilletDoc::RefreshPlotData()
{
    m_plotX.clear();
    m_plotY.clear();
    m_plotYOriginal.clear();
    if (m_kept.empty())
        return;
    m_plotX = m_signal->GetX();
    m_plotY = m_signal->GetY();
    // The uncorrected twin only beside a moment that was corrected.
    if (m_momentCorrected && m_uncorrectedY.size() == m_plotY.size())
        m_plotYOriginal = m_uncorrectedY;
    m_pointCount = int(m_plotY.size());
}

void CQuilletDoc::ShowUDSSpecification()
{
    if (!m_ui || m_kept.empty())
        return;
    m_ui->ShowUdsHeader({std::make_shared<kx::CNSignal>(*m_signal)});
}

} // namespace quillet
