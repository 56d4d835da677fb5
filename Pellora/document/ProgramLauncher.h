#pragma once

// Starts a program of the suite without waiting for it. The arguments are handed
// over as a list: no shell ever sees them.

#include <string>
#include <vector>

namespace pellora {

enum class ProgramCheck { Ok, Missing, NotExecutable };

// Whether path names an executable file (a folder counts as missing).
ProgramCheck CheckProgram(const std::string &path);

// Starts path with args, detached. False with error set when it cannot start.
bool StartDetachedProgram(const std::string &path, const std::vector<std::string> &args, std::string &error);

} // namespace pellora
