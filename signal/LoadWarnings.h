#pragma once
// The warnings a program adds to its error list when it has read a signal file.

#include <cstddef>
#include <string>
#include <vector>

namespace kx {

class CData;

// "<file>: N samples stored as NaN were read as 0"; empty when count is 0.
std::string NaNSampleWarning(const std::string &file, std::size_t count);

// "<file>: N samples are infinite"; empty when count is 0.
std::string InfSampleWarning(const std::string &file, std::size_t count);

// Appends the NaN warning of signal, read from file, to messages; true when it did.
bool AddNaNSampleWarning(std::vector<std::string> &messages, const std::string &file, const CData &signal);

// Appends every warning of signal, read from file (NaN, then infinite samples), one
// line each; true when it appended any.
bool AddLoadWarnings(std::vector<std::string> &messages, const std::string &file, const CData &signal);

} // namespace kx
