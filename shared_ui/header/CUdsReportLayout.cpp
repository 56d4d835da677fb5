// What each page of the UDS header report says, and where.

#include <QDate>

#include <algorithm>
#include <cstdio>

#include "shared_ui/header/CUdsReport.h"
#include "shared_ui/header/TextFunctions.h"

namespace {

std::string Int(int value)
{
    return std::to_string(value);
}

// A number text that shows zero ("-0", "-0.0000") loses its sign.
std::string NoNegativeZero(std::string text)
{
    if (text.empty() || text[0] != '-')
        return text;
    const std::size_t mantissa_end = std::min(text.find_first_of("eE"), text.size());
    bool zero = mantissa_end > 1;
    for (std::size_t i = 1; i < mantissa_end && zero; ++i)
        zero = text[i] == '0' || text[i] == '.';
    return zero ? text.substr(1) : text;
}

std::string General(double value)
{
    return NoNegativeZero(DoubleToText(value));
}
std::string Fixed(double value, int decimals)
{
    return NoNegativeZero(FormatFixed(value, decimals));
}

// Signal times are in seconds; the report shows them in milliseconds.
double Msec(double seconds)
{
    return seconds * 1000.0;
}

bool IsBlank(const std::string &text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

CUdsReport::Section Region(const char *title, double top, double left, double bottom, double right)
{
    CUdsReport::Section s;
    s.title = title;
    s.top = top;
    s.left = left;
    s.bottom = bottom;
    s.right = right;
    return s;
}

struct VehicleValues {
    std::string make, model, engine, body;
    int year;
    double weight, speed;
};

struct OccupantValues {
    std::string type, sex, size, restraint1, restraint2;
    int age;
    double weight;
};

CUdsReport::Section VehicleSection(const char *title, double left, double right, const VehicleValues &v)
{
    // Year, weight and speed only of a vehicle that has a year.
    const bool present = v.year > 0;
    const double spacing = 1.5;
    CUdsReport::Section s = Region(title, 2.6, left, 4.0, right);
    s.lines = {
        {spacing, {{0.01, "Make: " + v.make}, {2.5, "Year: " + (present ? Int(v.year) : " ")}}},
        {spacing, {{0.01, "Model: " + v.model}, {2.5, "Engine Type: " + v.engine}}},
        {spacing, {{0.01, "Body: " + v.body}}},
        {spacing,
         {{0.01, "Weight: " + (present ? General(v.weight) + "(kgs)" : std::string(" "))},
          {2.5, "Speed: " + (present ? General(v.speed) + "(kph)" : std::string(" "))}}},
    };
    return s;
}

CUdsReport::Section OccupantSection(const char *title, double left, double right, const OccupantValues &o)
{
    // An occupant without a type (blank, or emptied by the file reader) shows no weight or age.
    const bool present = !IsBlank(o.type);
    CUdsReport::Section s = Region(title, 4.1, left, 5.5, right);
    s.lines = {
        {1.5,
         {{0.01, "Type: " + o.type},
          {1.5, "Sex: " + o.sex},
          {2.5, "Weight: " + (present ? General(o.weight) + "(kgs)" : std::string(" "))}}},
        {1.5, {{0.01, "Age: " + (present ? Int(o.age) : std::string(" "))}, {1.5, "Dummy Size: " + o.size}}},
        {1.5, {{0.01, "Primary Restraint: " + o.restraint1}}},
        {1.5, {{0.01, "Secondary Restraint: " + o.restraint2}}},
    };
    return s;
}

} // namespace

std::string CUdsReport::ReportTitle(int kind)
{
    if (kind == SpecReport)
        return "UDS File Specification Report";
    if (kind == FullReport)
        return "Full UDS File Report";
    return std::string();
}

std::string CUdsReport::TestLine(const kx::CNSignal &signal)
{
    return "Test Number: " + Int(signal.GetTstNo()) + "        Curve Number: " + Int(signal.GetCurNo());
}

std::string CUdsReport::DateText(int year, int month, int day)
{
    char text[64];
    std::snprintf(text, sizeof text, "%d/%d/%d", month, day, year);
    return text;
}

std::string CUdsReport::TodayText()
{
    const QDate today = QDate::currentDate();
    if (!today.isValid())
        return DateText(0, 0, 0);
    return DateText(today.year(), today.month(), today.day());
}

std::string CUdsReport::ValueText(double value)
{
    // A negative zero (a zero sample scaled by a negative factor, or a value that rounds
    // to zero) is a zero: blank, no sign.
    const std::string text = Fixed(value, 6);
    return (text[0] == '-' ? "" : " ") + text;
}

std::vector<CUdsReport::Section> CUdsReport::BuildSections(kx::CNSignal &s)
{
    std::vector<Section> sections;

    Section file = Region("File", 1.0, 0.0, 2.4, 1.6);
    file.lines = {
        {1.5, {{0.01, "Version:  " + s.GetFileVer()}}},
        {1.5, {{0.01, "Form: " + s.GetFileForm()}}},
        {1.5, {{0.01, "Number Format: " + s.GetNumForm()}}},
        {1.5, {{0.01, "Unit System: " + s.GetDimSys()}}},
    };
    sections.push_back(file);

    Section test = Region("Test", 1.0, 1.8, 2.4, 8.0);
    test.lines = {
        {1.0,
         {{0.01, "Source: " + s.GetTstSrc()},
          {2.7, "Test Number: " + Int(s.GetTstNo())},
          {4.3, "Ref Number: " + s.GetTstRef()}}},
        {1.0, {{0.01, "Configuration: " + s.GetTstCfn()}, {2.7, "Closing Speed: " + General(s.GetClsSpd()) + "(kph)"}}},
        {1.5, {{0.01, "Performer: " + s.GetTstPrf()}}},
        {0.5, {{0.01, "Title: "}}},
        {0.5, {{0.01, s.GetTitle()}}},
    };
    sections.push_back(test);

    sections.push_back(
        VehicleSection("Vehicle One", 0.0, 3.9,
                       {s.GetVehicle1Make(), s.GetVehicle1Model(), s.GetVehicle1EngineType(), s.GetVehicle1BodyType(),
                        s.GetVehicle1Year(), s.GetVehicle1Weight(), s.GetVehicle1Speed()}));
    sections.push_back(
        VehicleSection("Vehicle Two", 4.1, 8.0,
                       {s.GetVehicle2Make(), s.GetVehicle2Model(), s.GetVehicle2EngineType(), s.GetVehicle2BodyType(),
                        s.GetVehicle2Year(), s.GetVehicle2Weight(), s.GetVehicle2Speed()}));
    sections.push_back(
        OccupantSection("Occupant One", 0.0, 3.9,
                        {s.GetOccupant1Type(), s.GetOccupant1Sex(), s.GetOccupant1Size(), s.GetOccupant1Restraint1(),
                         s.GetOccupant1Restraint2(), s.GetOccupant1Age(), s.GetOccupant1Weight()}));
    sections.push_back(
        OccupantSection("Occupant Two", 4.1, 8.0,
                        {s.GetOccupant2Type(), s.GetOccupant2Sex(), s.GetOccupant2Size(), s.GetOccupant2Restraint1(),
                         s.GetOccupant2Restraint2(), s.GetOccupant2Age(), s.GetOccupant2Weight()}));

    Section injury = Region("Occupant InJury", 5.6, 0.0, 6.1, 8.0);
    injury.lines = {
        {1.5,
         {{0.01, "HIC: " + General(s.GetHIC())},
          {2.0, "T1: " + General(s.GetT1())},
          {4.0, "T2: " + General(s.GetT2()) + "(msec)"},
          {6.0, "AIS: " + s.GetAIS()}}},
    };
    injury.spacingAfter = 0.5;
    sections.push_back(injury);

    Section user = Region("Curve User Data", 6.2, 0.0, 7.0, 8.0);
    user.lines = {
        {0.5,
         {{0.01, "ID1: " + Int(s.GetID1())},
          {1.8, "ID2: " + Int(s.GetID2())},
          {3.3, "ID3: " + Int(s.GetID3())},
          {4.8, "ID4: " + Int(s.GetID4())},
          {6.3, "ID5: " + Int(s.GetID5())}}},
        {0.5,
         {{0.01, "RD1: " + Fixed(s.GetRD1(), 4)},
          {1.8, "RD2: " + Fixed(s.GetRD2(), 4)},
          {3.3, "RD3: " + Fixed(s.GetRD3(), 4)},
          {4.8, "RD4: " + Fixed(s.GetRD4(), 4)},
          {6.3, "RD5: " + Fixed(s.GetRD5(), 4)}}},
    };
    sections.push_back(user);
    return sections;
}

std::string CUdsReport::CurveTableTitle(const kx::CNSignal &signal)
{
    return "Curve: " + Int(signal.GetCurNo());
}

std::vector<std::vector<std::string>> CUdsReport::CurveTableCells(kx::CNSignal &s)
{
    double start = 0.0;
    double end = 0.0;
    s.GetTimeRange(start, end);
    return {
        {"Status: " + s.GetStatus(), "InitVel: " + General(s.GetIniVel()) + " (kph) ", "Axis: " + s.GetAxis(),
         "Location: " + s.GetSenLoc()},
        {"Data Type: " + s.GetYType(), "Filter Cutoff: " + General(s.GetFCut()) + "(Hz)   ",
         "Scale Factor: " + General(s.GetSclFac()), "Form: " + s.GetChanForm()},
        {"Time Step: " + General(Msec(s.GetDel())) + " (msec)",
         "Number of Points: " + std::to_string(static_cast<long long>(s.GetNLP()) - s.GetNFP() + 1),
         "First Point: " + Int(s.GetNFP()), "Last Point: " + Int(s.GetNLP())},
        {"Time Range: " + Fixed(Msec(start), 4) + " to " + Fixed(Msec(end), 4) + "(msec)",
         "Data min: " + General(s.GetYMin()), "Data Max: " + General(s.GetYMax()),
         "TO: " + General(Msec(s.GetStartTime())) + "(msec)"},
        {"Units: " + s.GetYUnits(), "", "", ""},
        {"SenAtt: " + s.GetSenAtt(), "", "", ""},
        {"Type: " + s.GetCurTyp(), "", "", ""},
    };
}

std::vector<std::string> CUdsReport::DescriptionCells(const kx::CNSignal &s)
{
    return {"Curve Description: " + s.GetDesc(), "CD1: " + s.GetCD1(), "CD2: " + s.GetCD2()};
}

std::vector<std::string> CUdsReport::SplitLine(const std::string &line)
{
    std::vector<std::string> fields(5);
    std::size_t start = 0;
    for (std::size_t f = 0; f < 5 && start <= line.size(); ++f) {
        const std::size_t colon = line.find(':', start);
        if (colon == std::string::npos) {
            fields[f] = line.substr(start);
            break;
        }
        fields[f] = line.substr(start, colon - start);
        start = colon + 1;
    }
    return fields;
}
