#include "support/QuilletTestSupport.h"

#include "Quillet/core/KxNeck208.h"
#include "platform/CSettings.h"
#include "signal/CUDSFile.h"

#include <QFile>
#include <QUuid>

#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>

namespace quillettest {

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    m_path = fs::temp_directory_path() /
             ("quillet-test-" + QUuid::createUuid().toString(QUuid::Id128).left(16).toStdString());
    fs::create_directories(m_path);
}

TempFolder::~TempFolder()
{
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

std::vector<double> NeckValues(const NeckSignal &s)
{
    std::vector<double> y;
    y.reserve(std::size_t(s.points));
    for (int i = 0; i < s.points; ++i)
        y.push_back(s.offset + s.peak * std::sin(2.0 * std::numbers::pi * i / s.points));
    return y;
}

void WriteNeckUds(const std::string &path, const NeckSignal &s)
{
    kx::CUDSFile file;
    file.SetFileForm(s.x.empty() ? "Y" : "X-Y");
    file.SetNChan(1);
    file.SetDimSys("MET");
    file.SetTstSrc("KX TEST");
    file.SetTstNo(4711);
    file.SetTitle(s.title);
    file.SetOccupant1Type(s.occupantType);
    file.SetOccupant1Size(s.occupantSize);
    file.SetCurNo(s.curveNumber);
    file.SetIChan(s.curveNumber);
    file.SetChanForm("Y");
    file.SetSenAtt(s.attachment);
    file.SetAxis(s.axis);
    file.SetYType(s.yUnits == "NEWTONS" ? "FORCE" : "MOMENT");
    file.SetYUnits(s.yUnits);
    file.SetXType("TIME");
    file.SetXUnits("SECONDS");
    file.SetStatus("COMPUTED");
    file.SetNFP(s.firstPoint);
    file.SetNLP(s.firstPoint + s.points - 1);
    file.SetDel(static_cast<float>(s.step));
    file.SetPreFil(static_cast<float>(s.preFilter));
    file.SetSamples(s.x, NeckValues(s));
    file.WriteFile(path);
}

void WriteText(const std::string &path, const std::string &text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string ReadText(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool FakeUi::ChooseNeckFile(CNeckFileChoice &choice)
{
    if (openChoices.empty())
        return false;
    const CNeckFileChoice answer = openChoices.front();
    openChoices.pop_front();
    choice.options = answer.options;
    choice.filterIndex = answer.filterIndex;
    choice.path = answer.path;
    return true;
}

bool FakeUi::EditConditions(CNeckOptions &options)
{
    ++conditionCalls;
    if (!conditions)
        return false;
    options = *conditions;
    return true;
}

bool FakeUi::SelectDummy(const NeckLoadCases &loadCases, CDummyChoice &choice)
{
    ++dummyCalls;
    dummyMeasurementOffered.push_back(choice.measurement);
    if (dummies.empty())
        return false;
    choice = dummies.front();
    dummies.pop_front();
    for (KxNeck208 *c : loadCases)
        if (!c)
            return false;
    // Load cases: compression, tension, forward shear, rear shear, flexion, extension.
    const std::size_t first = choice.measurement == 0 ? 2 : choice.measurement == 1 ? 4 : 0;
    if (choice.dummy != 6) {
        loadCases[first]->SetDummy(choice.type, choice.size);
        loadCases[first + 1]->SetDummy(choice.type, choice.size);
        shownLimits.emplace_back(loadCases[first]->GetCriticalValue(), loadCases[first + 1]->GetCriticalValue());
    }
    return true;
}

bool FakeUi::EnterCondyleOffset(double &offset)
{
    offsetOffered.push_back(offset);
    if (offsets.empty())
        return false;
    offset = offsets.front();
    offsets.pop_front();
    return true;
}

bool FakeUi::ChooseForceFile(CForceChoice &choice)
{
    ++forceCalls;
    forceOffered.push_back(choice.path);
    if (forces.empty())
        return false;
    choice = forces.front();
    forces.pop_front();
    return true;
}

ScratchSettings::ScratchSettings()
    : m_program(QStringLiteral("QuilletTest-") + QUuid::createUuid().toString(QUuid::Id128).left(12))
{}

ScratchSettings::~ScratchSettings()
{
    kxplatform::CSettings settings(m_program);
    QFile::remove(settings.FileName());
}

} // namespace quillettest
