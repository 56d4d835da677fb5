// Writes one large simulation time-history file for measuring Sorvelt on long runs:
// 6 bodies x 9 channels, output every 0.0001 ms (1,100,000 times by default, about
// 540 MB).
//
//   make_sorvelt_large_run <file> [times]

#include "Sorvelt/core/MadymoWriter.h"

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <numbers>
#include <string>

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::cerr << "usage: make_sorvelt_large_run <file> [times]\n";
        return 2;
    }
    const long times = argc > 2 ? std::atol(argv[2]) : 1100000;
    if (times < 2) {
        std::cerr << "make_sorvelt_large_run: the number of times must be 2 or more\n";
        return 2;
    }
    sorvelt::MadymoContent content;
    content.firstLine = "Long occupant run, output every 0.0001 ms";
    content.secondLine = "Time-history output of the occupant model";
    content.parameters = {"HEAD CG", "UPPER NECK", "LOWER NECK", "CHEST", "PELVIS", "FEMUR L"};
    content.channels = {"Res Acc (G)",  "X Acc (G)",     "Y Acc (G)",    "Z Acc (G)",   "X Force (kN)",
                        "Z Force (kN)", "Y Moment (Nm)", "X Displ (mm)", "Z Displ (mm)"};
    content.timeDigits = 9;
    content.timesMs.reserve(std::size_t(times));
    for (long t = 0; t < times; ++t)
        content.timesMs.push_back(double(t) * 0.0001);
    const double span = content.timesMs.back();
    // A pulse per curve, each at its own place and height, with a small ripple.
    content.value = [&content, span](std::size_t t, std::size_t p, std::size_t c) {
        const double u = content.timesMs[t] / span;
        const double centre = 0.2 + 0.05 * double(p) + 0.02 * double(c);
        const double width = 0.08 + 0.01 * double(c);
        const double d = (u - centre) / width;
        const double peak = (10.0 + 3.0 * double(c)) * (c % 2 == 0 ? 1.0 : -1.0) / (1.0 + 0.3 * double(p));
        return peak * std::exp(-d * d) + 0.2 * std::sin(2.0 * std::numbers::pi * 40.0 * u + double(p + c));
    };
    if (!sorvelt::WriteMadymoFile(argv[1], content)) {
        std::cerr << "make_sorvelt_large_run: cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}
