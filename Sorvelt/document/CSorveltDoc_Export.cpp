// Writing the curves: UDS-1992 files one by one, ASCII text, clipboard text, and the
// conversion of chosen parameters and channels straight from the file.

#include "Sorvelt/document/CSorveltDoc.h"

#include "Sorvelt/core/CurveBuilder.h"
#include "Sorvelt/core/ListSyntax.h"
#include "Sorvelt/core/MadymoFile.h"
#include "Sorvelt/core/UdsConversion.h"
#include "platform/CSettings.h"
#include "shared_ui/kit/TextFileWriter.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <stdexcept>

namespace sorvelt {

namespace fs = std::filesystem;

namespace {

bool EndsWithTxt(const std::string &path)
{
    if (path.size() < 4)
        return false;
    std::string end = path.substr(path.size() - 4);
    std::transform(end.begin(), end.end(), end.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return end == ".txt";
}

std::string Significant6(double value)
{
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << value;
    return text.str();
}

} // namespace

void CSorveltDoc::SetOutputDirFromPath(const std::string &path)
{
    const std::string folder = fs::path(path).parent_path().string();
    if (!folder.empty())
        m_settings->SetString("OutputDir", folder);
}

bool CSorveltDoc::CurvesShareX() const
{
    for (const CSignal &c : m_curves)
        if (c.Signal().GetX() != m_curves.front().Signal().GetX())
            return false;
    return true;
}

void CSorveltDoc::OnSaveToUds()
{
    if (m_curves.empty() || !m_ui)
        return;
    std::vector<std::string> failures;
    bool changed = false;
    for (std::size_t i = 0; i < m_curves.size(); ++i) {
        char title[64];
        std::snprintf(title, sizeof title, "Save UDS File #%zu As", i);
        std::string path;
        if (!m_ui->ChooseSaveFile({title, "", "uds", GetOutputDir(), ""}, path))
            continue;
        kxres::CUiWaitCursor wait(m_ui);
        // The chart draws the curves as they are: a new step goes into a copy, taken after.
        CSignal curve = m_curves[i];
        const double stepBefore = curve.Signal().GetDel();
        if (!MakeUniformStep(curve.Signal())) {
            failures.push_back(path + ": not written, the curve cannot be put on a constant time step");
            continue;
        }
        if (curve.Signal().GetDel() != stepBefore) {
            m_curves[i] = std::move(curve);
            changed = true;
        }
        try {
            m_curves[i].Signal().SaveToUDSFile(path);
            SetOutputDirFromPath(path);
        } catch (const std::exception &e) {
            failures.push_back(path + ": " + e.what());
        }
    }
    if (changed)
        AfterChange();
    if (!failures.empty())
        m_ui->ShowErrorList(failures);
}

void CSorveltDoc::OnSaveToAscii()
{
    if (m_curves.empty() || m_pointsPerCurve < 2 || !m_ui)
        return;
    if (!CurvesShareX())
        throw std::logic_error("The curves do not share one time axis; save them as UDS files or copy "
                               "their data instead.");
    std::string path;
    if (!m_ui->ChooseSaveFile({"Save ASCII File as", "", "txt", GetOutputDir(), ""}, path))
        return;
    path = TrimBlanks(path);
    if (path.empty())
        return;
    if (!EndsWithTxt(path))
        path += ".txt";

    kxres::CUiWaitCursor wait(m_ui);
    const auto &x = m_curves.front().Signal().GetX();
    std::string text;
    for (std::size_t i = 0; i < x.size(); ++i) {
        text += Significant6(x[i]);
        for (const CSignal &c : m_curves) {
            const auto &y = c.Signal().GetY();
            text += '\t';
            if (i < y.size())
                text += Significant6(y[i]);
        }
        text += '\n';
    }
    QString error;
    if (!kxres::WriteTextFile(QString::fromStdString(path), text, &error))
        throw std::runtime_error(error.toStdString());
    SetOutputDirFromPath(path);
}

void CSorveltDoc::OnCopyData()
{
    if (!m_loaded || m_curves.empty() || m_pointsPerCurve < 1 || !m_ui)
        return;
    kxres::CUiWaitCursor wait(m_ui);
    std::size_t lines = 0;
    for (const CSignal &c : m_curves)
        lines = std::max(lines, std::min(c.Signal().GetX().size(), c.Signal().GetY().size()));
    std::string text;
    char pair[128];
    for (std::size_t i = 0; i < lines; ++i) {
        for (std::size_t k = 0; k < m_curves.size(); ++k) {
            const auto &x = m_curves[k].Signal().GetX();
            const auto &y = m_curves[k].Signal().GetY();
            // A curve that has ended leaves its two columns empty.
            if (i < x.size() && i < y.size())
                std::snprintf(pair, sizeof pair, k == 0 ? "%f\t%f" : "\t%f\t%f", x[i], y[i]);
            else
                std::snprintf(pair, sizeof pair, k == 0 ? "\t" : "\t\t");
            text += pair;
        }
        text += "\r\n";
    }
    if (!m_ui->PutTextOnClipboard(text))
        throw std::runtime_error("The data could not be placed on the clipboard.");
}

void CSorveltDoc::OnConvertToUds()
{
    if (!m_loaded || !m_ui)
        return;
    CConvertValues values;
    values.parameters = "1-" + std::to_string(m_parameterNames.size());
    values.channels = "1-" + std::to_string(m_channelNames.size());
    values.header = m_name + "_" + m_secondName;
    values.folder = GetOutputDir();
    if (!m_ui->EditConvert(values))
        return;
    m_settings->SetString("OutputDir", values.folder);

    const IndexList parameters = ParseIndexList(values.parameters, m_parameterNames.size());
    if (!parameters.ok)
        throw std::invalid_argument("Parameters: " + parameters.error);
    const IndexList channels = ParseIndexList(values.channels, m_channelNames.size());
    if (!channels.ok)
        throw std::invalid_argument("Channels: " + channels.error);

    ConversionRequest request;
    request.parameters = parameters.selected;
    request.channels = channels.selected;
    request.folder = TrimBlanks(values.folder);
    request.header = values.header;
    const std::size_t total = ConversionCount(request);
    if (total == 0)
        throw std::invalid_argument("The lists select no parameter and channel of this file.");
    const std::string folderProblem = CheckOutputFolder(request.folder);
    if (!folderProblem.empty())
        throw std::invalid_argument(folderProblem);

    ConversionResult result;
    {
        const auto progress = m_ui->BeginProgress("Converting to UDS", "Converting...", static_cast<int>(total));
        result = ConvertToUds(*m_reader, request, [&progress](std::size_t done, const std::string &path) {
            return progress->Step(static_cast<int>(done), fs::path(path).filename().string());
        });
    }
    if (!result.errors.empty())
        m_ui->ShowErrorList(result.errors);
}

} // namespace sorvelt
