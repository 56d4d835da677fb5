#pragma once

// The one question the programs ask before a save replaces files that already exist.

#include <string>
#include <vector>

namespace kxres {

// The existing files of a save, up to ten of them named, then "Replace them?".
std::string ReplaceFilesQuestion(const std::vector<std::string> &existing);

// The paths among targets that already exist, in their order.
std::vector<std::string> ExistingFiles(const std::vector<std::string> &targets);

} // namespace kxres
