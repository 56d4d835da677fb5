#pragma once

// Turning one (parameter, channel) column of a simulation file into a signal.

#include "signal/CNSignal.h"

#include <string>

namespace kx {
class MadymoFile;
}

namespace sorvelt {

// The first word inside the first pair of parentheses of a channel name, else "Unknown".
std::string YUnitOf(const std::string &channelName);

// Fills signal with the curve of (parameter, channel): times as X in seconds, the
// parameter name in Vehicle1Description, the channel name in Vehicle1ComponentType,
// the units. False for a pair outside the file; throws when the file holds no data.
// Only reads the reader, so curves may be built on several threads at once.
bool BuildCurve(const kx::MadymoFile &reader, int parameter, int channel, kx::CNSignal &signal);

// Puts a signal without a time step on one: the smallest positive step between its
// times, at least 0.0001 s. A signal with a step is left alone. False (signal
// unchanged) with fewer than 2 points or times that never increase.
bool MakeUniformStep(kx::CNSignal &signal);

// Blanks removed at both ends.
std::string TrimBlanks(const std::string &text);

} // namespace sorvelt
