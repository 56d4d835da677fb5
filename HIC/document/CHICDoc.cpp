#include "HIC/document/CHICDoc.h"

#include "platform/CSettings.h"

#include <cstdio>
#include <exception>
#include <filesystem>

namespace hic {

namespace {

// Text of one column value: shortest form that reads back the same double.
std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

std::string Trimmed(const std::string &text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

CHICDoc::CHICDoc()
{
    OnNewDocument();
}

void CHICDoc::UpdateAllViews(UpdateHint hint)
{
    emit Updated(hint);
}

void CHICDoc::OnNewDocument()
{
    m_window = 36.0;
    m_baseName.clear();
    m_t1 = m_t2 = m_hic = 0.0;
    m_resultReady = false;
    m_sfcReady = false;
    m_labels = PlotLabels{};
    ClearSignals();
}

void CHICDoc::ForgetResults()
{
    m_resultReady = false;
    m_sfcReady = false;
    m_hic = m_t1 = m_t2 = 0.0;
    m_mode = ModeResultant;
    m_labels = PlotLabels{};
    m_surfaceParams = SurfaceParams{};
    m_surface = SurfaceResult{};
}

void CHICDoc::ClearSignals()
{
    m_x.reset();
    m_y.reset();
    m_z.reset();
    m_res.reset();
    m_sfcCurve.clear();
}

void CHICDoc::ShowMessages()
{
    if (m_ui && !m_messages.empty())
        m_ui->ShowErrorList(m_messages);
}

void CHICDoc::ShowMessagesSince(std::size_t before)
{
    if (m_ui && m_messages.size() > before)
        m_ui->ShowErrorList({m_messages.begin() + static_cast<std::ptrdiff_t>(before), m_messages.end()});
}

bool CHICDoc::OnFileOpen()
{
    if (!m_ui)
        return false;
    OpenFilesValues values = m_open;
    if (!m_ui->OpenFiles(values))
        return false;
    return OpenFiles(values);
}

bool CHICDoc::OpenFiles(const OpenFilesValues &values)
{
    m_open = values;
    if (m_open.fileType != 0)
        m_open.checkHeaders = false;
    m_messages.clear();
    bool loaded = false;
    if (values.resultant && Trimmed(values.resultantPath).empty()) {
        m_messages.emplace_back("Input Error: Resultant file empty.");
    } else {
        {
            const kxres::CUiWaitCursor wait(m_ui);
            ForgetResults();
            if (values.fileType == 1)
                loaded = values.resultant ? LoadAsciiResultant(values.resultantPath)
                                          : LoadAsciiXYZ(values.xPath, values.yPath, values.zPath);
            else
                loaded = values.resultant ? LoadUdsResultant(values.resultantPath)
                                          : LoadUdsXYZ(values.xPath, values.yPath, values.zPath);
            if (loaded && ComputeHic()) {
                m_resultReady = true;
                m_openedPath = values.resultant ? values.resultantPath : values.xPath;
            }
        }
        // A loaded file whose HIC failed still carries its own name.
        if (loaded && !m_resultReady)
            m_labels.title = m_baseName;
        // The view always follows the load: a failed one leaves nothing to draw.
        UpdateAllViews(m_resultReady ? UpdateHint::ShowResultant : UpdateHint::Redraw);
    }
    ShowMessages();
    return m_resultReady;
}

int CHICDoc::RunCommandLine(const std::vector<std::string> &files, double windowMs, int mode)
{
    m_messages.clear();
    ForgetResults();
    m_open.checkHeaders = true;
    m_open.fileType = 0;
    bool loaded = false;
    if (files.size() == 1) {
        m_open.resultant = true;
        m_open.resultantPath = files[0];
        loaded = LoadUdsResultant(files[0]);
    } else if (files.size() == 3) {
        m_open.resultant = false;
        m_open.xPath = files[0];
        m_open.yPath = files[1];
        m_open.zPath = files[2];
        loaded = LoadUdsXYZ(files[0], files[1], files[2]);
    } else {
        char text[96];
        std::snprintf(text, sizeof text, "Improper Number Filenames - %d, must be 1 or 3",
                      static_cast<int>(files.size()));
        m_messages.emplace_back(text);
    }
    m_window = windowMs;
    int startMode = ModeResultant;
    if (loaded && ComputeHic()) {
        ComputeSfc();
        m_resultReady = true;
        m_openedPath = files[0];
        startMode = mode;
        if (startMode == ModeSfc && !m_sfcReady)
            startMode = ModeResultant;
        if (startMode == ModeXYZ && !HasAxes())
            startMode = ModeResultant;
        if (startMode < ModeResultant || startMode > ModeSfc)
            startMode = ModeResultant;
        // A surface whose intervals are not given leaves the current plot.
        if (!SetMode(startMode))
            UpdateAllViews(UpdateHint::Redraw);
    } else if (loaded) {
        m_labels.title = m_baseName;
    }
    ShowMessages();
    return startMode;
}

bool CHICDoc::EnsureResult()
{
    if (m_resultReady)
        return true;
    if (!m_res)
        return false;
    const std::size_t before = m_messages.size();
    if (!ComputeHic()) {
        ShowMessagesSince(before);
        return false;
    }
    m_resultReady = true;
    m_mode = ModeResultant;
    UpdateAllViews(UpdateHint::ShowResultant);
    return true;
}

bool CHICDoc::SetMode(int mode)
{
    if (mode < ModeResultant || mode > ModeAis || !EnsureResult())
        return false;
    if (mode == ModeXYZ && !HasAxes())
        return false;
    if (mode == ModeSfc && !m_sfcReady)
        return false;
    if (mode == ModeSurface && !EditSurface())
        return false;
    m_mode = mode;
    UpdateAllViews(ShowModeHint(mode));
    return true;
}

void CHICDoc::EditLabels()
{
    if (!m_ui)
        return;
    PlotLabels labels = m_labels;
    if (!m_ui->EditLabels(labels))
        return;
    m_labels = labels;
    UpdateAllViews(UpdateHint::Redraw);
}

void CHICDoc::ShowErrors()
{
    ShowMessages();
}

double CHICDoc::TimeStepMs() const
{
    return m_res ? m_res->GetDel() * 1000.0 : 0.0;
}

bool CHICDoc::SetWindow(double windowMs)
{
    const double previous = m_window;
    m_window = windowMs;
    if (!m_res)
        return true;
    // With a file loaded the new window is computed, result or not: a file whose HIC
    // failed gets one when the window suits it.
    const std::size_t before = m_messages.size();
    if (ComputeHic()) {
        if (!m_resultReady) {
            m_resultReady = true;
            m_mode = ModeResultant;
        }
        return true;
    }
    // A window the criterion refuses changes nothing: the previous window and its
    // results stay, and the user reads why.
    m_window = previous;
    ShowMessagesSince(before);
    return false;
}

void CHICDoc::ChangeWindow(double windowMs, bool backToResultant)
{
    const bool hadResult = m_resultReady;
    SetWindow(windowMs);
    if (!m_resultReady)
        return;
    if (backToResultant || !hadResult)
        SetMode(ModeResultant);
    else
        UpdateAllViews(UpdateHint::Redraw);
}

void CHICDoc::EditWindow()
{
    double window = m_window;
    if (m_ui && m_ui->EditWindow(window, TimeStepMs()))
        ChangeWindow(window, false);
}

void CHICDoc::ShowSfc()
{
    if (m_res && !EnsureResult())
        return;
    const std::size_t before = m_messages.size();
    if (ComputeSfc())
        SetMode(ModeSfc);
    else
        ShowMessagesSince(before);
}

void CHICDoc::ShowAis()
{
    // SetMode refuses the plot without a result.
    if ((!SetWindow(15.0) || !SetMode(ModeAis)) && m_ui)
        m_ui->ShowMessage("Failure to Calculate HIC 15", kxres::IKxUi::Icon::Exclamation);
}

bool CHICDoc::OnSaveDocument(const std::string &path)
{
    if (!m_resultReady || !m_res)
        return false;
    try {
        m_res->SaveToUDSFile(path);
        return true;
    } catch (const std::exception &e) {
        m_messages.emplace_back(e.what());
    } catch (...) {
        m_messages.emplace_back("Failure to write file: " + path);
    }
    if (m_ui)
        m_ui->ShowErrorList({m_messages.back()});
    return false;
}

bool CHICDoc::SaveResultant()
{
    if (!m_resultReady || !m_ui)
        return false;
    std::string path = m_baseName;
    if (!ChooseSaveFile("Save Resultant as", "UDS-1992 (*)", path))
        return false;
    return OnSaveDocument(path);
}

bool CHICDoc::ChooseSaveFile(const std::string &title, const std::string &filter, std::string &path)
{
    namespace fs = std::filesystem;
    if (!m_ui)
        return false;
    kxres::CFileRequest request;
    request.title = title;
    request.filter = filter;
    if (!path.empty()) {
        const fs::path proposed(path);
        if (proposed.is_relative()) {
            if (m_settings)
                request.startFolder = m_settings->GetString("OutputDir");
            request.proposedName = path;
        } else {
            request.startFolder = proposed.parent_path().string();
            request.proposedName = proposed.filename().string();
        }
    }
    std::string chosen;
    if (!m_ui->ChooseSaveFile(request, chosen))
        return false;
    if (m_settings) {
        std::error_code ec;
        const fs::path full = fs::absolute(fs::path(chosen), ec);
        if (!ec)
            m_settings->SetString("OutputDir", full.parent_path().string());
    }
    path = chosen;
    return true;
}

bool CHICDoc::SaveChart(const std::string &title, const std::string &filter, const std::string &failure,
                        const std::function<bool(const std::string &path)> &write)
{
    std::string path;
    if (!ChooseSaveFile(title, filter, path))
        return false;
    if (write(path))
        return true;
    m_ui->ShowMessage(failure + " " + path, kxres::IKxUi::Icon::Exclamation);
    return false;
}

void CHICDoc::CopyPlotData()
{
    if (!m_ui || !m_resultReady)
        return;
    if (!m_ui->PutTextOnClipboard(PlotDataText(m_mode)))
        m_ui->ShowMessage("Cannot open clipboard.", kxres::IKxUi::Icon::Exclamation);
}

std::string CHICDoc::PlotDataText(int mode) const
{
    std::vector<const kx::CNSignal *> columns{m_res.get()};
    std::vector<std::string> names{"Resultant\t"};
    if (mode == ModeXYZ) {
        columns.insert(columns.end(), {m_x.get(), m_y.get(), m_z.get()});
        names.insert(names.end(), {"X Axis\t", "Y Axis\t", "Z Axis\t"});
    }
    std::string text;
    std::size_t rows = 0;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        text += columns[c] ? names[c] : std::string(" No Curve Data: ");
        if (columns[c])
            rows = std::max(rows, columns[c]->GetY().size());
    }
    text += "\n";
    for (std::size_t r = 0; r < rows; ++r) {
        for (const kx::CNSignal *s : columns) {
            if (s && r < s->GetY().size())
                text += Number(s->GetY()[r]);
            text += "\t";
        }
        text += "\n";
    }
    return text;
}

} // namespace hic
