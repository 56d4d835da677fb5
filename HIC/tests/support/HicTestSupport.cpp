#include "support/HicTestSupport.h"

#include "signal/CNSignal.h"
#include "signal/CUDSFile.h"

#include <QUuid>

#include <cstdio>
#include <fstream>

namespace hictest {

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    m_path =
        fs::temp_directory_path() / ("hic-test-" + QUuid::createUuid().toString(QUuid::Id128).left(16).toStdString());
    fs::create_directories(m_path);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

void WriteHead(const std::string &path, const HeadFile &f)
{
    kx::CNSignal s;
    s.SetDimSys(f.dimSys);
    s.SetTstSrc("KX TEST");
    s.SetTstNo(20);
    s.SetTitle("HIC TEST HEAD");
    s.SetCurNo(1);
    s.SetSenAtt("HEAD CG");
    s.SetAxis(f.axis);
    s.SetYType("ACCELERATION");
    s.SetYUnits("G'S");
    s.SetXType("TIME");
    s.SetXUnits("SECONDS");
    s.SetOccupant1Type(f.dummyType);
    s.SetOccupant1Size(f.dummySize);
    s.SetStatus("COMPUTED");
    s.SetDel(f.dt);
    s.SetNFP(f.nfp);
    s.SetNLP(f.nfp + static_cast<std::int32_t>(f.y.size()) - 1);
    s.SetFilterClass(1000);
    s.SetXYData({}, f.y);
    s.SaveToUDSFile(path);
}

void WriteHeadXY(const std::string &path, const HeadFile &f, const std::vector<double> &x, float del)
{
    WriteHead(path, f);
    kx::CUDSFile file;
    file.ReadFile(path);
    file.SetFileForm("X-Y");
    file.SetDel(del);
    file.SetSamples(x, f.y);
    file.WriteFile(path);
}

void WriteText(const std::string &path, const std::string &text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string AsciiPoints(const std::vector<double> &y, double x0, double dt)
{
    std::string text;
    char line[64];
    for (std::size_t i = 0; i < y.size(); ++i) {
        std::snprintf(line, sizeof line, "%.9g %.9g\n", x0 + static_cast<double>(i) * dt, y[i]);
        text += line;
    }
    return text;
}

std::vector<double> Rect(std::size_t n, std::size_t start, std::size_t width, double level)
{
    std::vector<double> y(n, 0.0);
    for (std::size_t i = start; i < start + width && i < n; ++i)
        y[i] = level;
    return y;
}

bool FakeUi::OpenFiles(OpenFilesValues &values)
{
    if (openAnswers.empty())
        return false;
    values = openAnswers.front();
    openAnswers.pop_front();
    return true;
}

bool FakeUi::EditLabels(PlotLabels &labels)
{
    if (labelAnswers.empty())
        return false;
    labels = labelAnswers.front();
    labelAnswers.pop_front();
    return true;
}

bool FakeUi::EditWindow(double &windowMs, double stepMs)
{
    windowSteps.push_back(stepMs);
    if (windowAnswers.empty())
        return false;
    windowMs = windowAnswers.front();
    windowAnswers.pop_front();
    return true;
}

} // namespace hictest
