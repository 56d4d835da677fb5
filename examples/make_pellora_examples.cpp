// Writes the sample files for Pellora's Operate, export and Injury commands: a
// three-axis head acceleration (resultant, HIC with three branches), a chest
// deflection at 5 kHz beside a belt force at 10 kHz (ImageExpress alignment and an
// X-Y signal), and an upper-neck trio whose names carry the types "fa", "ta", "fa".
//
//   make_pellora_examples <folder>

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

double Pulse(double t, double peak, double start, double width)
{
    if (t < start || t > start + width)
        return 0.0;
    const double s = std::sin(std::numbers::pi * (t - start) / width);
    return peak * s * s;
}

struct Channel {
    std::int32_t number;
    const char *attachment;
    const char *axis;
    const char *type;
    const char *units;
    double step;
    double (*value)(double t);
};

void Write(const std::filesystem::path &folder, const std::string &name, const Channel &c)
{
    kx::CUDSFile f;
    f.SetFileForm("Y");
    f.SetNChan(8);
    f.SetDimSys("MET");
    f.SetTstSrc("KX CRASH LAB");
    f.SetTstNo(4712);
    f.SetTitle("56 KPH FULL FRONTAL RIGID BARRIER - DRIVER HYBRID III 50TH MALE");
    f.SetOccupant1Type("H3");
    f.SetOccupant1Size("50");
    f.SetIChan(c.number);
    f.SetChanForm("Y");
    f.SetCurNo(c.number);
    f.SetSenAtt(c.attachment);
    f.SetAxis(c.axis);
    f.SetYType(c.type);
    f.SetYUnits(c.units);
    f.SetXType("TIME");
    f.SetXUnits("SECONDS");
    f.SetStatus("COMPUTED");
    f.SetPreFil(1650.0F);
    const auto first = static_cast<std::int32_t>(std::lround(-0.02 / c.step));
    const auto last = static_cast<std::int32_t>(std::lround(0.15 / c.step));
    f.SetNFP(first);
    f.SetNLP(last);
    f.SetDel(static_cast<float>(c.step));
    std::vector<double> y;
    for (std::int32_t k = first; k <= last; ++k)
        y.push_back(c.value(k * c.step));
    f.SetSamples({}, y);
    const std::filesystem::path path = folder / name;
    f.WriteFile(path.string());
    std::cout << path.string() << " (" << y.size() << " points)\n";
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_pellora_examples <folder>\n";
        return 2;
    }
    try {
        const std::filesystem::path folder(argv[1]);
        std::filesystem::create_directories(folder);
        const double k10 = 1.0e-4;
        Write(folder, "head_accel_x.uds", {11, "HEAD CG", "XG", "ACCELERATION", "G'S", k10, [](double t) {
                                               return -Pulse(t, 52.0, 0.060, 0.012) + 3.0 * std::sin(900.0 * t);
                                           }});
        Write(folder, "head_accel_y.uds", {12, "HEAD CG", "YG", "ACCELERATION", "G'S", k10, [](double t) {
                                               return Pulse(t, 9.0, 0.058, 0.016) + 2.0 * std::sin(1300.0 * t);
                                           }});
        Write(folder, "head_accel_z.uds", {13, "HEAD CG", "ZG", "ACCELERATION", "G'S", k10, [](double t) {
                                               return Pulse(t, 27.0, 0.062, 0.010) + 2.5 * std::sin(1700.0 * t);
                                           }});
        Write(folder, "chest_deflection_5khz.uds", {14, "CHEST", "XL", "DISPLACEMENT", "MM", 2.0e-4, [](double t) {
                                                        return -Pulse(t, 38.0, 0.040, 0.060);
                                                    }});
        Write(folder, "shoulder_belt_force.uds", {15, "BELT - SHOULDER", "XL", "FORCE", "NEWTONS", k10, [](double t) {
                                                      return Pulse(t, 7200.0, 0.035, 0.070);
                                                  }});
        Write(folder, "neck_fa_fx.uds", {16, "NECK - UPPER", "XL", "FORCE", "NEWTONS", k10, [](double t) {
                                             return Pulse(t, 850.0, 0.050, 0.040);
                                         }});
        Write(folder, "neck_ta_my.uds", {17, "NECK - UPPER", "YL", "MOMENT", "NEWTON-METERS", k10, [](double t) {
                                             return Pulse(t, 38.0, 0.050, 0.040) - Pulse(t, 17.0, 0.095, 0.035);
                                         }});
        Write(folder, "neck_fa_fz.uds", {18, "NECK - UPPER", "ZL", "FORCE", "NEWTONS", k10, [](double t) {
                                             return Pulse(t, 2150.0, 0.045, 0.045) - Pulse(t, 420.0, 0.095, 0.020);
                                         }});
    } catch (const std::exception &e) {
        std::cerr << "make_pellora_examples: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
