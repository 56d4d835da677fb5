#include "Sorvelt/document/CSorveltDoc.h"

#include "Sorvelt/core/CurveBuilder.h"
#include "Sorvelt/core/MadymoFile.h"
#include "platform/CSettings.h"
#include "shared_ui/kit/CommandGuard.h"

#include <QDir>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace sorvelt {

namespace fs = std::filesystem;

CSorveltDoc::CSorveltDoc(ISorveltUi *ui, const QString &settingsProgram, QObject *parent)
    : QObject(parent)
    , m_ui(ui)
    , m_settings(std::make_unique<kxplatform::CSettings>(settingsProgram))
    , m_reader(std::make_unique<kx::MadymoFile>())
{
    m_saveZoom = m_settings->GetInt("SaveZoom", 1) != 0;
}

CSorveltDoc::~CSorveltDoc() = default;

std::string CSorveltDoc::GetOutputDir() const
{
    return m_settings->GetString("OutputDir", QDir::homePath().toStdString());
}

std::string CSorveltDoc::GetInputDir() const
{
    return m_settings->GetString("InputDir", QDir::homePath().toStdString());
}

void CSorveltDoc::Message(const std::string &text, ISorveltUi::Icon icon)
{
    if (m_ui)
        m_ui->ShowMessage(text, icon);
}

void CSorveltDoc::Guard(const std::function<void()> &body)
{
    kxres::Guarded([this](const QString &text) { Message(text.toStdString()); }, body);
}

void CSorveltDoc::Clear()
{
    m_selection.clear();
    m_curves.clear();
    m_curveCount = 0;
    m_pointsPerCurve = 0;
    m_labels = CPlotLabels{};
}

bool CSorveltDoc::OnNewDocument()
{
    Clear();
    m_reader = std::make_unique<kx::MadymoFile>();
    m_channelNames.clear();
    m_parameterNames.clear();
    m_loaded = false;
    m_folder.clear();
    m_name.clear();
    UpdateAllViews(UpdateHint::All);
    return true;
}

void CSorveltDoc::OnFileOpen()
{
    std::string path;
    if (!m_ui || !m_ui->ChooseOpenFile({"Open MADYMO Data File", "All Files (*.*)", "", GetInputDir(), ""}, path))
        return;
    OpenDocument(path);
}

bool CSorveltDoc::OpenDocument(const std::string &path)
{
    bool opened = false;
    Guard([&] {
        auto reader = std::make_unique<kx::MadymoFile>();
        bool read = false;
        {
            kxres::CUiWaitCursor wait(m_ui);
            read = reader->Read(path);
        }
        if (!read) {
            std::string text = "Failure to read the file " + path;
            for (const std::string &line : reader->GetMessages())
                text += "\n" + line;
            Message(text);
            return;
        }
        reader->Close();
        // Everything of the previous file goes with it.
        Clear();
        m_reader = std::move(reader);
        m_parameterNames = m_reader->GetParameterNames();
        m_channelNames = m_reader->GetChannelNames();
        m_loaded = true;
        const fs::path p(path);
        // A relative name (a command line run in the file's folder) keeps its folder too.
        std::error_code ec;
        const fs::path absolute = fs::absolute(p, ec).lexically_normal();
        m_folder = (ec ? p : absolute).parent_path().string();
        m_name = p.stem().string();
        m_settings->SetString("InputDir", m_folder);
        if (m_ui) {
            m_ui->AddRecentFile(path);
            m_ui->SetMainWindowText(p.filename().string());
        }
        opened = true;
        UpdateAllViews(UpdateHint::All);
        // A file cut short inside a block was read up to there.
        std::string warnings;
        for (const std::string &line : m_reader->GetMessages())
            warnings += (warnings.empty() ? "" : "\n") + line;
        if (!warnings.empty())
            Message(warnings, ISorveltUi::Icon::Information);
    });
    return opened;
}

CSignal CSorveltDoc::Build(unsigned n)
{
    const std::size_t channels = m_channelNames.size();
    if (!m_loaded || channels == 0)
        throw std::logic_error("No file is open");
    const int parameter = static_cast<int>(n / channels);
    const int channel = static_cast<int>(n % channels);
    auto signal = std::make_shared<kx::CNSignal>();
    if (!BuildCurve(*m_reader, parameter, channel, *signal))
        throw std::logic_error("The file has no parameter " + std::to_string(parameter + 1) + ", channel " +
                               std::to_string(channel + 1));
    return CSignal(static_cast<int>(channels), parameter, channel, signal);
}

void CSorveltDoc::Synchronise()
{
    kxres::CUiWaitCursor wait(m_ui);
    std::vector<CSignal> kept;
    for (CSignal &curve : m_curves)
        if (std::find(m_selection.begin(), m_selection.end(), curve.CurveNumber()) != m_selection.end())
            kept.push_back(std::move(curve));
    m_curves = std::move(kept);
    std::string failure;
    for (unsigned n : m_selection) {
        const bool held = std::any_of(m_curves.begin(), m_curves.end(), [n](const CSignal &c) { return c.Matches(n); });
        if (held)
            continue;
        try {
            m_curves.push_back(Build(n));
        } catch (const std::exception &e) {
            if (failure.empty())
                failure = e.what();
        }
    }
    if (!failure.empty())
        Message(failure);
}

void CSorveltDoc::SetSelection(const std::vector<unsigned> &selection)
{
    Guard([&] {
        m_selection = selection;
        Synchronise();
        AfterChange();
    });
}

void CSorveltDoc::AfterChange()
{
    Pack();
    BuildPlotTexts();
    UpdateAllViews(UpdateHint::Plot);
}

bool CSorveltDoc::Pack()
{
    m_curveCount = 0;
    m_pointsPerCurve = 0;
    if (m_curves.empty())
        return false;
    std::size_t points = 0;
    for (const CSignal &c : m_curves)
        points = std::max(points, std::min(c.Signal().GetX().size(), c.Signal().GetY().size()));
    m_curveCount = static_cast<int>(m_curves.size());
    m_pointsPerCurve = static_cast<int>(points);
    return true;
}

std::vector<double> CSorveltDoc::Packed(bool wantX) const
{
    const std::size_t points = static_cast<std::size_t>(m_pointsPerCurve);
    const std::size_t curves = std::min(m_curves.size(), static_cast<std::size_t>(m_curveCount));
    std::vector<double> packed(points * curves, PadValue);
    for (std::size_t k = 0; k < curves; ++k) {
        const auto &x = m_curves[k].Signal().GetX();
        const auto &y = m_curves[k].Signal().GetY();
        const auto &from = wantX ? x : y;
        const std::size_t n = std::min({x.size(), y.size(), points});
        std::copy_n(from.begin(), n, packed.begin() + std::ptrdiff_t(k * points));
    }
    return packed;
}

void CSorveltDoc::BuildPlotTexts()
{
    m_labels = CPlotLabels{};
    if (m_curves.empty())
        return;
    m_labels.xLabel = "Time in Seconds";
    if (m_curves.size() == 1) {
        const kx::CNSignal &s = m_curves.front().Signal();
        char text[512];
        std::snprintf(text, sizeof text, "Test %d, Curve %d - ", s.GetTstNo(), s.GetCurNo());
        m_labels.title = std::string(text).substr(0, 240);
        double yMin = 0.0, atMin = 0.0, yMax = 0.0, atMax = 0.0;
        if (!s.GetYExtremes(yMin, atMin, yMax, atMax)) {
            yMin = s.GetYMin();
            yMax = s.GetYMax();
        }
        std::snprintf(text, sizeof text, "Ymin %8.2f @%.1f, Ymax %8.2f @ %.1f", yMin, atMin, yMax, atMax);
        m_labels.subTitle = std::string(text).substr(0, 47);
        m_labels.yLabel = s.GetYUnits();
        return;
    }
    m_labels.yLabel = m_curves.front().Signal().GetYUnits();
    for (const CSignal &c : m_curves)
        if (c.Signal().GetYUnits() != m_labels.yLabel) {
            m_labels.yLabel = "Mixed Units";
            break;
        }
}

void CSorveltDoc::OnPlotLabels()
{
    CPlotLabels labels = m_labels;
    if (!m_ui || !m_ui->EditPlotLabels(labels))
        return;
    m_labels = labels;
    UpdateAllViews(UpdateHint::Plot);
}

void CSorveltDoc::OnSaveZoom()
{
    m_saveZoom = !m_saveZoom;
    m_settings->SetInt("SaveZoom", m_saveZoom ? 1 : 0);
}

} // namespace sorvelt
