#pragma once

// Writes time-history text in the layout kx::MadymoFile reads: the example files,
// test fixtures and benchmark inputs are made with it.

#include <functional>
#include <string>
#include <vector>

namespace sorvelt {

struct MadymoContent {
    std::string firstLine = "Time-history output";
    std::string secondLine = "Written by the Sorvelt example generator";
    std::vector<std::string> parameters;
    std::vector<std::string> channels;
    std::vector<double> timesMs; // one per block, milliseconds
    int timeDigits = 6;          // significant digits of the written times
    // Value of (time index, parameter, channel).
    std::function<double(std::size_t, std::size_t, std::size_t)> value;
};

// False when the file cannot be written.
bool WriteMadymoFile(const std::string &path, const MadymoContent &content);

} // namespace sorvelt
