#include "support/PelloraTestSupport.h"

#include "Pellora/document/ProgramLauncher.h"
#include "platform/CSettings.h"
#include "signal/CUDSFile.h"

#include <QFile>
#include <QUuid>

#include <cmath>
#include <fstream>
#include <numbers>

using namespace pellora;

namespace pelloratest {

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    m_path = fs::temp_directory_path() /
             ("pellora-test-" + QUuid::createUuid().toString(QUuid::Id128).left(16).toStdString());
    fs::create_directories(m_path);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

void WriteUds(const std::string &path, const SampleSignal &s)
{
    kx::CUDSFile file;
    file.SetFileForm("Y");
    file.SetNChan(1);
    file.SetDimSys("MET");
    file.SetTstSrc("KX TEST");
    file.SetTstNo(s.testNumber);
    file.SetTitle("PELLORA TEST SIGNAL");
    file.SetCurNo(s.curveNumber);
    file.SetIChan(s.curveNumber);
    file.SetChanForm("Y");
    file.SetSenAtt(s.attachment);
    file.SetYType(s.yType);
    file.SetYUnits(s.yUnits);
    file.SetXType(s.xType);
    file.SetXUnits(s.xUnits);
    file.SetStatus("COMPUTED");
    file.SetNFP(s.firstPoint);
    file.SetNLP(s.firstPoint + s.points - 1);
    file.SetDel(static_cast<float>(s.step));
    std::vector<double> y;
    y.reserve(static_cast<std::size_t>(s.points));
    for (int i = 0; i < s.points; ++i)
        y.push_back(s.peak * std::sin(std::numbers::pi * i / std::max(1, s.points - 1)));
    file.SetSamples({}, y);
    file.WriteFile(path);
}

void WriteUdsValues(const std::string &path, const ValueSignal &s)
{
    kx::CUDSFile file;
    file.SetFileForm(s.x.empty() ? "Y" : "X-Y");
    file.SetNChan(1);
    file.SetDimSys("MET");
    file.SetTstSrc("KX TEST");
    file.SetTstNo(815);
    file.SetTitle("PELLORA VALUES");
    file.SetCurNo(s.curveNumber);
    file.SetIChan(s.curveNumber);
    file.SetChanForm("Y");
    file.SetSenAtt("TEST");
    file.SetAxis(s.axis);
    file.SetYType(s.yType);
    file.SetYUnits(s.yUnits);
    file.SetXType("TIME");
    file.SetXUnits("SECONDS");
    file.SetStatus("COMPUTED");
    file.SetNFP(s.firstPoint);
    file.SetNLP(s.firstPoint + static_cast<int>(s.y.size()) - 1);
    file.SetDel(static_cast<float>(s.step));
    file.SetSamples(s.x, s.y);
    file.WriteFile(path);
}

void WriteText(const std::string &path, const std::string &text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

bool FakeUi::ChooseBrowseDirectory(std::string &directory)
{
    if (directories.empty())
        return false;
    directory = directories.front();
    directories.pop_front();
    return true;
}

bool FakeUi::EditLabel(const std::string &caption, const std::string &prompt, std::string &value)
{
    labelCaptions.push_back(caption);
    labelPrompts.push_back(prompt);
    if (labels.empty())
        return false;
    const auto answer = labels.front();
    labels.pop_front();
    if (answer.first)
        value = answer.second;
    return answer.first;
}

// ---- operations, exports and program starts ----

bool FakeUi::ChooseHitListFile(const std::string &, std::string &path, bool &append)
{
    if (hitListFiles.empty())
        return false;
    path = hitListFiles.front().first;
    append = hitListFiles.front().second;
    hitListFiles.pop_front();
    return true;
}

bool FakeUi::AskOutputImage(std::string &fileName, int &width, int &height)
{
    if (outputImages.empty())
        return false;
    fileName = outputImages.front().fileName;
    width = outputImages.front().width;
    height = outputImages.front().height;
    outputImages.pop_front();
    return true;
}

bool FakeUi::AskSaveAllPlots(PlotImageKind kind, std::string &folder, int &sizeIndex)
{
    saveAllKinds.push_back(kind);
    if (saveAllPlots.empty())
        return false;
    folder = saveAllPlots.front().first;
    sizeIndex = saveAllPlots.front().second;
    saveAllPlots.pop_front();
    return true;
}

bool FakeUi::ShownPlotRange(QRectF &range)
{
    if (!shownRange)
        return false;
    range = *shownRange;
    return true;
}

bool FakeUi::SavePlotImage(const CPlotPicture &picture, PlotImageKind kind, const std::string &path, int width,
                           int height)
{
    savedPlots.push_back({picture, kind, path, width, height});
    if (onSavePlot)
        return onSavePlot(savedPlots.back());
    std::ofstream out(path, std::ios::binary);
    out << "image";
    return bool(out.flush());
}

std::unique_ptr<IPlotPages> FakeUi::BeginPlotPrint(bool preview, const std::array<double, 4> &, int)
{
    plotPrints.push_back(preview);
    return plotPrint ? plotPrint(preview) : nullptr;
}

bool FakeUi::AskOkCancel(const std::string &text)
{
    questions.push_back(text);
    if (okCancel.empty())
        return false;
    const bool answer = okCancel.front();
    okCancel.pop_front();
    return answer;
}

bool FakeUi::StartProgram(const std::string &program, const std::vector<std::string> &args, std::string &error)
{
    starts.push_back({program, args});
    return !reallyStart || pellora::StartDetachedProgram(program, args, error);
}

ScratchSettings::ScratchSettings()
    : m_program(QStringLiteral("PelloraTest-") + QUuid::createUuid().toString(QUuid::Id128).left(12))
{}

ScratchSettings::~ScratchSettings()
{
    kxplatform::CSettings settings(m_program);
    const QString file = settings.FileName();
    QFile::remove(file);
}

} // namespace pelloratest
