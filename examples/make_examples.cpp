// Writes the sample UDS-1992 files: a head acceleration pulse (in each of the
// three number formats) and an upper-neck force and moment of the same test.
//
//   make_examples <folder>

#include <cmath>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

#include "signal/CUDSFile.h"

namespace {

constexpr double kStep = 1.0e-4;      // 10 kHz
constexpr std::int32_t kFirst = -200; // 20 ms before time zero
constexpr std::int32_t kLast = 1799;  // 180 ms after

// sin^2 pulse of the given peak from start over width seconds, 0 elsewhere.
double Haversine(double t, double peak, double start, double width)
{
    if (t < start || t > start + width)
        return 0.0;
    const double s = std::sin(std::numbers::pi * (t - start) / width);
    return peak * s * s;
}

// Small, repeatable measurement noise.
class Noise {
public:
    explicit Noise(std::uint32_t seed)
        : m_State(seed)
    {}
    double Next(double amplitude)
    {
        m_State = m_State * 1664525U + 1013904223U;
        return amplitude * ((m_State >> 8) / double(1U << 24) * 2.0 - 1.0);
    }

private:
    std::uint32_t m_State;
};

// Test, vehicle and occupant of the sample test: a driver dummy in a full
// frontal rigid-barrier test at 56 km/h.
void SetTest(kx::CUDSFile &f)
{
    f.SetNChan(3);
    f.SetDimSys("MET");
    f.SetTstSrc("KX CRASH LAB");
    f.SetTstNam("4711");
    f.SetTitle("56 KPH FULL FRONTAL RIGID BARRIER - DRIVER HYBRID III 50TH MALE");
    f.SetTstPrf("KX CRASH LABORATORY");
    f.SetTstRef("FMVSS 208");
    f.SetTstCfn("VTB");
    f.SetImpAng(0);
    f.SetClsSpd(56.0F);
    f.SetVehicle1Number(1);
    f.SetVehicle1ComponentType("VE");
    f.SetVehicle1Description("MID-SIZE 4 DOOR SEDAN");
    f.SetVehicle1Make("KX MOTORS");
    f.SetVehicle1Model("ARIA SEDAN");
    f.SetVehicle1Year(2024);
    f.SetVehicle1BodyType("FOUR DOOR SEDAN");
    f.SetVehicle1EngineType("4CTF");
    f.SetVehicle1Weight(1580.0F);
    f.SetVehicle1Speed(56.0F);
    f.SetOccupant1Type("H3");
    f.SetOccupant1Age(0);
    f.SetOccupant1Sex("M");
    f.SetOccupant1Weight(78.0F);
    f.SetOccupant1Size("50");
    f.SetOccupant1Restraint1("3PT BELT");
    f.SetOccupant1Restraint2("FRONTAL AIRBAG");
}

struct Channel {
    std::int32_t number;
    const char *name;
    const char *attachment;
    const char *axis;
    const char *type;
    const char *units;
    const char *description;
};

void SetChannel(kx::CUDSFile &f, const Channel &c)
{
    f.SetIChan(c.number);
    f.SetChanForm(f.GetFileForm());
    f.SetCurNo(c.number);
    f.SetCurNam(c.name);
    f.SetSenAtt(c.attachment);
    f.SetSenLoc("DR");
    f.SetSenNum(1000 + c.number);
    f.SetAxis(c.axis);
    f.SetYType(c.type);
    f.SetYUnits(c.units);
    f.SetXType("TIME");
    f.SetXUnits("SECONDS");
    f.SetStatus("COMPUTED");
    f.SetCurTyp("TIME SERIES");
    f.SetDesc(c.description);
    f.SetNFP(kFirst);
    f.SetNLP(kLast);
    f.SetDel(static_cast<float>(kStep));
    f.SetIniVel(56.0F);
    f.SetPreFil(1650.0F);
    f.SetFCut(0.0F);
    f.SetSclFac(1.0F);
    f.SetCD1("SAMPLE FILE");
    f.SetCD2("SYNTHETIC SIGNAL WRITTEN BY MAKE_EXAMPLES");
}

std::vector<double> Times()
{
    std::vector<double> t;
    for (std::int32_t k = kFirst; k <= kLast; ++k)
        t.push_back(k * kStep);
    return t;
}

// Resultant head acceleration: a 60 g haversine of 10 ms at 62 ms.
std::vector<double> HeadAcceleration(const std::vector<double> &t)
{
    Noise noise(17);
    std::vector<double> a;
    for (double ti : t) {
        const double v = Haversine(ti, 60.0, 0.062, 0.010) + Haversine(ti, 8.0, 0.035, 0.030);
        a.push_back(std::abs(v + noise.Next(0.15)));
    }
    return a;
}

// Upper-neck axial force: tension while the head is held back by the belt
// loading, a short compression as it rebounds.
std::vector<double> NeckForce(const std::vector<double> &t)
{
    Noise noise(29);
    std::vector<double> f;
    for (double ti : t) {
        f.push_back(Haversine(ti, 2150.0, 0.045, 0.045) - Haversine(ti, 420.0, 0.095, 0.020) + noise.Next(6.0));
    }
    return f;
}

// Upper-neck moment about Y: flexion, then extension on rebound.
std::vector<double> NeckMoment(const std::vector<double> &t)
{
    Noise noise(43);
    std::vector<double> m;
    for (double ti : t) {
        m.push_back(Haversine(ti, 38.0, 0.050, 0.040) - Haversine(ti, 17.0, 0.095, 0.035) + noise.Next(0.2));
    }
    return m;
}

enum class Format { Ieee, Sun, Vax };

void Write(const std::filesystem::path &folder, const std::string &name, const char *file_form, const Channel &channel,
           const std::vector<double> &t, const std::vector<double> &y, Format format)
{
    kx::CUDSFile f;
    f.SetFileForm(file_form);
    SetTest(f);
    SetChannel(f, channel);
    f.SetSamples(std::string(file_form) == "Y" ? std::vector<double>() : t, y);
    if (format == Format::Sun)
        f.SetWriteBigEndian();
    if (format == Format::Vax)
        f.SetWriteFloatFormat(kx::CUDSFile::FloatFormat::Vax);
    const std::filesystem::path path = folder / name;
    f.WriteFile(path.string());
    std::cout << path.string() << " (" << f.GetNumForm() << ", " << file_form << ", " << y.size() << " points)\n";
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_examples <folder>\n";
        return 2;
    }
    try {
        const std::filesystem::path folder(argv[1]);
        std::filesystem::create_directories(folder);
        const std::vector<double> t = Times();

        const Channel head{1, "HEAD RES", "HEAD CG", "RS", "ACCELERATION", "G'S", "HEAD CG RESULTANT ACCELERATION"};
        const std::vector<double> a = HeadAcceleration(t);
        Write(folder, "head_accel_res_ieee.uds", "Y", head, t, a, Format::Ieee);
        Write(folder, "head_accel_res_sun.uds", "Y", head, t, a, Format::Sun);
        Write(folder, "head_accel_res_vax.uds", "Y", head, t, a, Format::Vax);

        const Channel force{2, "NECK FZ", "NECK - UPPER", "ZL", "FORCE", "NEWTONS", "UPPER NECK FORCE FZ"};
        Write(folder, "upper_neck_force_fz.uds", "X-Y", force, t, NeckForce(t), Format::Ieee);

        const Channel moment{3, "NECK MY", "NECK - UPPER", "YL", "MOMENT", "NEWTON-METERS", "UPPER NECK MOMENT MY"};
        Write(folder, "upper_neck_moment_my.uds", "X-Y", moment, t, NeckMoment(t), Format::Ieee);
    } catch (const std::exception &e) {
        std::cerr << "make_examples: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
