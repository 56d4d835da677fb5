// Writes Sorvelt's example simulation time-history files:
//   sorvelt_sled_run.dat    4 bodies x 6 channels, 150 ms at 0.1 ms
//   sorvelt_short_run.dat   2 bodies x 3 channels, 40 ms with output times of unequal spacing
//
//   make_sorvelt_examples <folder>

#include "Sorvelt/core/MadymoWriter.h"

#include <cmath>
#include <filesystem>
#include <iostream>
#include <numbers>
#include <string>

namespace {

// A half-sine pulse of the given peak between start and start + width (ms).
double Pulse(double t, double peak, double start, double width)
{
    if (t < start || t > start + width)
        return 0.0;
    return peak * std::sin(std::numbers::pi * (t - start) / width);
}

bool SledRun(const std::string &path)
{
    sorvelt::MadymoContent content;
    content.firstLine = "Sled run SR-0417, frontal 48 km/h, driver";
    content.secondLine = "Time-history output of the occupant model";
    content.parameters = {"HEAD CG", "UPPER NECK", "CHEST", "PELVIS"};
    content.channels = {"Res Acc (G)", "X Acc (G)", "Z Acc (G)", "X Force (kN)", "Z Force (kN)", "Y Moment (Nm)"};
    for (int t = 0; t <= 1500; ++t)
        content.timesMs.push_back(t * 0.1);
    content.value = [&content](std::size_t t, std::size_t p, std::size_t c) {
        const double ms = content.timesMs[t];
        const double start = 20.0 + 4.0 * double(p);
        const double peak = (60.0 - 10.0 * double(p)) * (c == 0 ? 1.0 : c == 2 ? 0.35 : 0.8);
        switch (c) {
        case 0:
        case 1:
        case 2:
            return Pulse(ms, c == 1 ? -peak : peak, start, 60.0) + 0.4 * std::sin(ms * 1.3 + double(p));
        case 3:
        case 4:
            return Pulse(ms, 0.05 * peak * (c == 3 ? -1.0 : 1.0), start + 2.0, 55.0);
        default:
            return Pulse(ms, 2.0 * peak, start + 5.0, 30.0) - Pulse(ms, peak, start + 35.0, 30.0);
        }
    };
    return sorvelt::WriteMadymoFile(path, content);
}

bool ShortRun(const std::string &path)
{
    sorvelt::MadymoContent content;
    content.firstLine = "Sled run SR-0418, output every 0.5 ms after 20 ms";
    content.secondLine = "Time-history output of the occupant model";
    content.parameters = {"HEAD CG", "CHEST"};
    content.channels = {"Res Acc (G)", "X Acc (G)", "Displacement"};
    // 0.1 ms steps up to 20 ms, then 0.5 ms: the curves are put on the finest step.
    for (double ms = 0.0; ms < 20.0 - 1e-9; ms += 0.1)
        content.timesMs.push_back(ms);
    for (double ms = 20.0; ms <= 40.0 + 1e-9; ms += 0.5)
        content.timesMs.push_back(ms);
    content.value = [&content](std::size_t t, std::size_t p, std::size_t c) {
        const double ms = content.timesMs[t];
        if (c == 2)
            return 0.002 * ms * ms * (1.0 + double(p));
        return Pulse(ms, (40.0 + 15.0 * double(p)) * (c == 1 ? -0.9 : 1.0), 5.0, 30.0);
    };
    return sorvelt::WriteMadymoFile(path, content);
}

} // namespace

int main(int argc, char **argv)
{
    const std::filesystem::path folder = argc > 1 ? argv[1] : ".";
    bool ok = SledRun((folder / "sorvelt_sled_run.dat").string());
    ok = ShortRun((folder / "sorvelt_short_run.dat").string()) && ok;
    if (!ok) {
        std::cerr << "make_sorvelt_examples: cannot write into " << folder << "\n";
        return 1;
    }
    return 0;
}
