// Writes HIC's sample files: the X, Y and Z head accelerations of one impact
// (UDS-1992) and the resultant of another as ASCII X-Y text.
//
//   make_hic_examples <folder>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

#include "signal/CNSignal.h"

namespace {

constexpr double kStep = 1.0e-4;      // 10 kHz
constexpr std::int32_t kFirst = -200; // 20 ms before time zero
constexpr std::int32_t kCount = 2000; // to 180 ms

// sin^2 pulse of the given peak from start over width seconds, 0 elsewhere.
double Pulse(double t, double peak, double start, double width)
{
    if (t < start || t > start + width)
        return 0.0;
    const double s = std::sin(std::numbers::pi * (t - start) / width);
    return peak * s * s;
}

// Small, repeatable measurement noise.
double Noise(std::uint32_t &state, double amplitude)
{
    state = state * 1664525U + 1013904223U;
    return amplitude * ((state >> 8) / double(1U << 24) * 2.0 - 1.0);
}

void WriteAxis(const std::string &path, const std::string &axis, double main, double rebound, std::uint32_t seed)
{
    kx::CNSignal s;
    s.SetTstSrc("KX EXAMPLES");
    s.SetTstNo(2041);
    s.SetTitle("SLED TEST 2041 - DRIVER HEAD");
    s.SetCurNo(axis == "XG" ? 11 : axis == "YG" ? 12 : 13);
    s.SetSenAtt("HEAD CG");
    s.SetAxis(axis);
    s.SetYType("ACCELERATION");
    s.SetYUnits("G'S");
    s.SetXType("TIME");
    s.SetXUnits("SECONDS");
    s.SetOccupant1Type("H3");
    s.SetOccupant1Size("50");
    s.SetStatus("FILTERED");
    s.SetPreFil(1650.0);
    s.SetFCut(1650.0);
    s.SetFilterClass(1000);
    s.SetDel(kStep);
    s.SetNFP(kFirst);
    s.SetNLP(kFirst + kCount - 1);
    std::vector<double> y(kCount);
    for (std::int32_t i = 0; i < kCount; ++i) {
        const double t = (kFirst + i) * kStep;
        y[static_cast<std::size_t>(i)] =
            Pulse(t, main, 0.062, 0.011) + Pulse(t, rebound, 0.085, 0.02) + Noise(seed, 0.4);
    }
    s.SetXYData({}, y);
    s.SaveToUDSFile(path);
}

void WriteAsciiResultant(const std::string &path)
{
    // 5 ms of pre-trigger, a 14 ms pulse of 75 G, sampled at 0.1 ms.
    std::ofstream out(path, std::ios::binary);
    std::uint32_t seed = 7;
    char line[64];
    for (int i = 0; i < 1500; ++i) {
        const double t = -0.005 + i * kStep;
        const double a = std::fabs(Pulse(t, 75.0, 0.04, 0.014) + Pulse(t, 20.0, 0.06, 0.02) + Noise(seed, 0.3));
        std::snprintf(line, sizeof line, "%.4f %.4f\n", t, a);
        out << line;
    }
    if (!out)
        throw std::runtime_error("Failure to write file: " + path);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_hic_examples <folder>\n";
        return 2;
    }
    try {
        const std::filesystem::path folder(argv[1]);
        std::filesystem::create_directories(folder);
        WriteAxis((folder / "hic_head_x_aa0.uds").string(), "XG", 68.0, -14.0, 1);
        WriteAxis((folder / "hic_head_y_aa0.uds").string(), "YG", 9.0, 4.0, 2);
        WriteAxis((folder / "hic_head_z_aa0.uds").string(), "ZG", -38.0, 10.0, 3);
        WriteAsciiResultant((folder / "hic_head_resultant.txt").string());
    } catch (const std::exception &e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
