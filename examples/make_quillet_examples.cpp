// Writes the neck examples Quillet needs beside the shared ones: the upper-neck
// shear force Fx that corrects the moment My of the same test, and one ASCII X-Y
// neck file (an axial force with slightly uneven sample times).
//
//   make_quillet_examples <folder>

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

#include "signal/CUDSFile.h"

namespace {

// The time axis of the shared neck examples: 10 kHz from -20 ms to 179.9 ms.
constexpr double kStep = 1.0e-4;
constexpr int kFirst = -200;
constexpr int kLast = 1799;

// A sin^2 bump of height peak from start lasting width seconds.
double Bump(double t, double peak, double start, double width)
{
    if (t < start || t > start + width)
        return 0.0;
    const double s = std::sin(std::numbers::pi * (t - start) / width);
    return peak * s * s;
}

// Forward shear while the torso stops, rear shear as the head rebounds.
double ShearForce(double t)
{
    return Bump(t, 640.0, 0.048, 0.042) - Bump(t, 310.0, 0.094, 0.030);
}

// Tension peak of 1.9 kN and a short compression of 350 N.
double AxialForce(double t)
{
    return Bump(t, 1900.0, 0.046, 0.044) - Bump(t, 350.0, 0.096, 0.018);
}

void WriteShear(const std::filesystem::path &path)
{
    kx::CUDSFile f;
    f.SetFileForm("Y");
    f.SetNChan(3);
    f.SetDimSys("MET");
    f.SetTstSrc("KX CRASH LAB");
    f.SetTstNam("4711");
    f.SetTitle("56 KPH FULL FRONTAL RIGID BARRIER - DRIVER HYBRID III 50TH MALE");
    f.SetTstPrf("KX CRASH LABORATORY");
    f.SetOccupant1Type("H3");
    f.SetOccupant1Size("50");
    f.SetOccupant1Sex("M");
    f.SetIChan(4);
    f.SetChanForm("Y");
    f.SetCurNo(4);
    f.SetCurNam("NECK FX");
    f.SetSenAtt("NECK - UPPER");
    f.SetSenLoc("DR");
    f.SetAxis("XL");
    f.SetYType("FORCE");
    f.SetYUnits("NEWTONS");
    f.SetXType("TIME");
    f.SetXUnits("SECONDS");
    f.SetStatus("COMPUTED");
    f.SetDesc("UPPER NECK SHEAR FORCE FX");
    f.SetNFP(kFirst);
    f.SetNLP(kLast);
    f.SetDel(static_cast<float>(kStep));
    f.SetPreFil(1650.0F);
    f.SetCD1("SAMPLE FILE");
    f.SetCD2("SYNTHETIC SIGNAL WRITTEN BY MAKE_QUILLET_EXAMPLES");
    std::vector<double> y;
    for (int k = kFirst; k <= kLast; ++k)
        y.push_back(ShearForce(k * kStep));
    f.SetSamples({}, y);
    f.WriteFile(path.string());
}

// Sample times wander by up to 3 microseconds around the 10 kHz grid, as a logger's
// clock does; Quillet puts them back on the mean step.
void WriteAscii(const std::filesystem::path &path)
{
    std::ofstream out(path, std::ios::binary);
    char line[64];
    for (int k = kFirst; k <= kLast; ++k) {
        const double jitter = (((k * 7919) % 7 + 7) % 7 - 3) * 1.0e-6;
        const double t = k * kStep + (k == kFirst || k == kLast ? 0.0 : jitter);
        std::snprintf(line, sizeof line, "%.7f\t%.3f\n", t, AxialForce(t));
        out << line;
    }
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_quillet_examples <folder>\n";
        return 2;
    }
    try {
        const std::filesystem::path folder(argv[1]);
        std::filesystem::create_directories(folder);
        WriteShear(folder / "upper_neck_force_fx.uds");
        WriteAscii(folder / "upper_neck_force_fz_ascii.txt");
        std::cout << "wrote upper_neck_force_fx.uds and upper_neck_force_fz_ascii.txt to " << folder.string() << "\n";
    } catch (const std::exception &e) {
        std::cerr << "make_quillet_examples: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
