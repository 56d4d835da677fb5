#include "Pellora/document/CPelloraDoc.h"

#include "Pellora/document/FileListNames.h"
#include "platform/CSettings.h"
#include "shared_ui/kit/NumberParser.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <filesystem>

namespace pellora {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t MaxTitleLength = 254;
constexpr std::size_t MaxSubTitleLength = 46;

} // namespace

CPelloraDoc::CPelloraDoc(IPelloraUi *ui, const QString &settingsProgram, QObject *parent)
    : QObject(parent)
    , m_ui(ui)
    , m_settings(std::make_unique<kxplatform::CSettings>(settingsProgram))
{
    ReadSettings();
}

CPelloraDoc::~CPelloraDoc() = default;

std::string CPelloraDoc::DefaultSuiteDirectory()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath().toStdString();
    std::error_code ec;
    return fs::current_path(ec).string();
}

std::string CPelloraDoc::DefaultOutputDir()
{
    return QDir::homePath().toStdString();
}

void CPelloraDoc::ReadSettings()
{
    m_columnHeaders = m_settings->GetInt("ColumnHeaders", 1) != 0;
    m_lineStyle = m_settings->GetInt("LineStyle", 0);
    m_saveZoom = m_settings->GetInt("SaveZoom", 1) != 0;
    m_shortHeader = m_settings->GetInt("ShortHeader", 1) != 0;
    m_suiteDirectory = m_settings->GetString("Brisca", DefaultSuiteDirectory());

    m_marginTexts = CPageMarginValues{};
    const auto stored = [this](const char *key, std::string &text) {
        if (m_settings->Contains(key))
            text = m_settings->GetString(key);
    };
    stored("MarginLeft", m_marginTexts.left);
    stored("MarginRight", m_marginTexts.right);
    stored("MarginTop", m_marginTexts.top);
    stored("MarginBottom", m_marginTexts.bottom);
    m_marginTexts.unit = m_settings->GetInt("MarginUnit", m_marginTexts.unit);
    ConvertMargins();
}

std::optional<double> CPelloraDoc::ParseMargin(const std::string &text, std::string *why)
{
    const std::optional<double> value = kxres::ParseDouble(text, why);
    if (value && *value < 0.0) {
        if (why)
            *why = "a margin is 0 or more";
        return std::nullopt;
    }
    return value;
}

std::string CPelloraDoc::MarginProblem(const CPageMarginValues &margins)
{
    const std::array<std::pair<const char *, const std::string *>, 4> texts{
        {{"Left", &margins.left}, {"Right", &margins.right}, {"Top", &margins.top}, {"Bottom", &margins.bottom}}};
    for (const auto &[name, text] : texts) {
        std::string why;
        if (!text->empty() && !ParseMargin(*text, &why))
            return std::string(name) + " margin \"" + *text + "\": " + why;
    }
    return {};
}

void CPelloraDoc::ConvertMargins()
{
    // A text that is no margin (a settings file may hold anything) is not used: its
    // default takes its place. An empty text keeps the number it has.
    const CPageMarginValues defaults;
    const std::array<std::string *, 4> texts{&m_marginTexts.left, &m_marginTexts.right, &m_marginTexts.top,
                                             &m_marginTexts.bottom};
    const std::array<const std::string *, 4> fallback{&defaults.left, &defaults.right, &defaults.top, &defaults.bottom};
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i]->empty())
            continue;
        std::optional<double> value = ParseMargin(*texts[i]);
        if (!value) {
            *texts[i] = *fallback[i];
            value = ParseMargin(*texts[i]);
        }
        m_margins[i] = value.value_or(0.0);
    }
}

std::string CPelloraDoc::GetOutputDir() const
{
    return m_settings->GetString("OutputDir", DefaultOutputDir());
}

void CPelloraDoc::SetOutputDir(const std::string &folder)
{
    m_settings->SetString("OutputDir", folder);
    m_settings->Sync();
}

bool CPelloraDoc::OnNewDocument()
{
    m_plot.maxPointCount = 0;
    m_directory.clear();
    m_fileNames.clear();
    return true;
}

void CPelloraDoc::Reset()
{
    m_plot.title.clear();
    m_plot.subTitle.clear();
    m_plot.yLabel.clear();
    m_plot.xLabel.clear();
    m_plot.signalLabels.clear();
    m_errors.clear();
    m_selectedFiles.clear();
    m_signals.clear();
    m_plot.chartX.clear();
    m_plot.chartY.clear();
    // No view may read the counts of arrays that are gone.
    m_plot.signalCount = 0;
    m_plot.maxPointCount = 0;
    m_failedPaths.clear();
}

void CPelloraDoc::UpdateAllViews(UpdateHint hint)
{
    if (hint == UpdateHint::FileList)
        SortFileNames();
    emit Updated(hint);
}

void CPelloraDoc::SetWindowText(const std::string &text)
{
    if (m_ui)
        m_ui->SetMainWindowText(text);
}

void CPelloraDoc::ShowErrorList()
{
    if (m_ui && !m_errors.empty())
        m_ui->ShowErrorList(m_errors);
}

bool CPelloraDoc::IsInteger(const std::string &text)
{
    return pellora::IsInteger(text);
}

std::string CPelloraDoc::FullPathOf(const std::string &name) const
{
    return m_hitList ? name : pellora::JoinPath(m_directory, name);
}

// ---- labels, options, margins, header ------------------------------------------

bool CPelloraDoc::EditOneLabel(const std::string &caption, std::string &field)
{
    if (!m_ui)
        return false;
    std::string value = field;
    if (!m_ui->EditLabel(caption, "Enter Label", value))
        return false;
    field = value;
    return true;
}

void CPelloraDoc::OnLabelTitle()
{
    std::string value = m_plot.title;
    if (!EditOneLabel("Title Label", value))
        return;
    value = pellora::Trim(value);
    m_plot.title = value.substr(0, std::min(value.size(), MaxTitleLength));
    UpdateAllViews(UpdateHint::Plot);
}

void CPelloraDoc::OnLabelSubTitle()
{
    std::string value = m_plot.subTitle;
    if (!EditOneLabel("Sub Title Label", value))
        return;
    m_plot.subTitle = value.substr(0, std::min(value.size(), MaxSubTitleLength));
    UpdateAllViews(UpdateHint::Plot);
}

void CPelloraDoc::OnLabelXAxis()
{
    if (EditOneLabel("X Axis Label", m_plot.xLabel))
        UpdateAllViews(UpdateHint::Plot);
}

void CPelloraDoc::OnLabelYAxis()
{
    if (EditOneLabel("Y Axis Label", m_plot.yLabel))
        UpdateAllViews(UpdateHint::Plot);
}

void CPelloraDoc::OnSignalLabels()
{
    if (!m_ui || !CanEditSignalLabels())
        return;
    std::vector<std::string> labels = m_plot.signalLabels;
    labels.resize(m_signals.size());
    if (!m_ui->EditSignalLabels(labels, m_signals, "FileNames", "Label"))
        return;
    m_plot.signalLabels = labels;
    std::string subtitle;
    for (const std::string &label : m_plot.signalLabels)
        subtitle += (label.empty() ? std::string("Filename: ") + "Error: Empty" : label) + "\t";
    m_plot.subTitle = subtitle;
    UpdateAllViews(UpdateHint::Plot);
}

void CPelloraDoc::OnOptions()
{
    if (!m_ui)
        return;
    CPlottingOptionValues options{m_columnHeaders, m_saveZoom, m_lineStyle, m_suiteDirectory};
    if (!m_ui->EditPlottingOptions(options))
        return;
    m_columnHeaders = options.columnHeaders;
    m_saveZoom = options.saveZoom;
    m_lineStyle = options.lineStyle;
    m_suiteDirectory = options.suiteDirectory;
    m_settings->SetString("Brisca", m_suiteDirectory);
    m_settings->SetInt("SaveZoom", m_saveZoom ? 1 : 0);
    m_settings->SetInt("ColumnHeaders", m_columnHeaders ? 1 : 0);
    m_settings->SetInt("LineStyle", m_lineStyle);
    m_settings->Sync();
    UpdateAllViews(UpdateHint::Plot);
}

void CPelloraDoc::OnPageMarginSetup()
{
    if (!m_ui)
        return;
    CPageMarginValues margins = m_marginTexts;
    if (!m_ui->EditPageMargins(margins))
        return;
    // Nothing is kept or stored unless all four are margins.
    if (const std::string problem = MarginProblem(margins); !problem.empty()) {
        m_ui->ShowMessage(problem, IPelloraUi::Icon::Exclamation);
        return;
    }
    m_marginTexts = margins;
    ConvertMargins();
    m_settings->SetString("MarginLeft", m_marginTexts.left);
    m_settings->SetString("MarginRight", m_marginTexts.right);
    m_settings->SetString("MarginTop", m_marginTexts.top);
    m_settings->SetString("MarginBottom", m_marginTexts.bottom);
    m_settings->SetInt("MarginUnit", m_marginTexts.unit);
    m_settings->Sync();
}

void CPelloraDoc::OnViewUdsHeader()
{
    if (m_ui && !m_signals.empty())
        m_ui->ShowUdsHeader(m_signals);
}

} // namespace pellora
