// Writes the comparison examples: a reference crash pulse, two test signals at
// different steps and time ranges, a simulation result as X-Y text, and a hit
// list naming the three evaluated signals.
//
//   make_mirvane_examples <folder>

#include "signal/CNSignal.h"

#include <cmath>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>

namespace {

// A sled pulse of the given peak (g) centred at centre seconds, with a small ring.
double Pulse(double t, double peak, double centre, double width)
{
    const double u = (t - centre) / width;
    return -peak * std::exp(-u * u) * (1.0 + 0.08 * std::sin(2.0 * std::numbers::pi * 180.0 * t));
}

void WriteUds(const std::filesystem::path &path, const std::string &title, std::int32_t first, std::int32_t last,
              double step, double peak, double centre, double width)
{
    kx::CNSignal signal;
    signal.SetDel(step);
    signal.SetNFP(first);
    signal.SetNLP(last);
    std::vector<double> x;
    std::vector<double> y;
    for (std::int32_t i = first; i <= last; ++i) {
        x.push_back(i * step);
        y.push_back(Pulse(i * step, peak, centre, width));
    }
    signal.SetXYData(x, y);
    signal.SetTitle(title);
    signal.SetYType("ACCELERATION");
    signal.SetYUnits("G'S");
    signal.SetSenLoc("PELVIS");
    signal.SetAxis("XG");
    signal.SetPreFil(10000.0f);
    signal.SetStatus("AS MEASURED");
    signal.SaveToUDSFile(path.string());
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_mirvane_examples <folder>\n";
        return 2;
    }
    try {
        const std::filesystem::path folder = argv[1];
        std::filesystem::create_directories(folder);
        // Reference: 0 .. 150 ms at 10 kHz.
        WriteUds(folder / "mirvane_reference.uds", "SLED REFERENCE", 0, 1500, 1e-4, 28.0, 0.060, 0.022);
        // Test A: -20 .. 180 ms at 10 kHz, close to the reference.
        WriteUds(folder / "mirvane_test_a.uds", "SLED TEST A", -200, 1800, 1e-4, 27.0, 0.061, 0.022);
        // Test B: 0 .. 160 ms at 5 kHz, a late and higher pulse.
        WriteUds(folder / "mirvane_test_b.uds", "SLED TEST B", 0, 800, 2e-4, 33.0, 0.066, 0.020);
        // Simulation C: X-Y text, 10 .. 140 ms at 2 kHz.
        {
            std::ofstream out(folder / "mirvane_sim_c.txt");
            out.precision(9);
            for (int i = 20; i <= 280; ++i) {
                const double t = i * 5e-4;
                out << t << ' ' << Pulse(t, 29.0, 0.059, 0.024) << '\n';
            }
            if (!out)
                throw std::runtime_error("cannot write mirvane_sim_c.txt");
        }
        // The hit list names the files beside it.
        std::ofstream hit(folder / "mirvane_comparison.hit");
        hit << "mirvane_test_a.uds\nmirvane_test_b.uds\nmirvane_sim_c.txt\n";
        if (!hit)
            throw std::runtime_error("cannot write mirvane_comparison.hit");
    } catch (const std::exception &e) {
        std::cerr << "make_mirvane_examples: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
