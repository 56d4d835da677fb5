#pragma once
// Reading a hit list: a text file of one path per line.

#include <cstddef>
#include <string>
#include <vector>

#include "signal/CTextLineReader.h"

namespace kx {

enum class HitListRead {
    kRead,      // every line read
    kNotOpened, // the file does not open (missing, unreadable or a folder)
    kRefused,   // not a regular file, or a line too long: error holds why
};

// Appends the lines of the hit list at path to lines, unchanged but for their LF or
// CR-LF; empty lines are skipped. On a refused line the lines before it stay in
// lines and error holds the reader's text.
HitListRead ReadHitList(const std::string &path, std::vector<std::string> &lines, std::string &error,
                        std::size_t maxLineLength = CTextLineReader::kDefaultMaxLineLength);

// The file a line of the hit list at listPath names: a relative name is looked up beside
// the list first, and stays as written (relative to the working folder) when no file of
// that name is there.
std::string ResolveHitListLine(const std::string &listPath, const std::string &line);

} // namespace kx
