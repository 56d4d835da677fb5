#pragma once

// File-name handling of the file list: directory listing with its exclusion list,
// sorting by name or curve number, wildcard lines of hit lists, pasted text.

#include <string>
#include <vector>

namespace pellora {

// The text without leading and trailing blanks, tabs and line ends.
std::string Trim(std::string text);

// The absolute form of a path (the path itself when that fails).
std::string AbsolutePath(const std::string &path);

// Joins a folder and a name with one separator.
std::string JoinPath(const std::string &directory, const std::string &name);

// Whether a name carries one of the excluded extensions anywhere in it
// (".dll", ".log", ".pdf", ...; case-sensitive).
bool IsExcludedName(const std::string &name);

// Names of the files (no folders, no excluded names) in directory that match the
// wildcard pattern, without regard to case ("*.*" matches every name). Unsorted.
std::vector<std::string> ListDirectory(const std::string &directory, const std::string &pattern = "*.*");

// Non-empty; a digit first, or "-" followed by at least one more character; every
// later character a digit.
bool IsInteger(const std::string &text);

// The curve code of a list name: its three characters from position 7, for names
// of at least 10 characters; empty otherwise.
std::string CurveCode(const std::string &name);

// byCurveNumber false: plain text order. True: names with a numeric curve code
// first, ordered by that code as text, then the others by name.
void SortFileNames(std::vector<std::string> &names, bool byCurveNumber);

// Full paths of the files a hit-list line names: one path, or a wildcard pattern
// in its last part. A relative line is taken relative to baseDirectory. Folders
// are skipped. Empty when nothing matches; matchedAnything tells whether the line
// matched at least one entry, folders included.
std::vector<std::string> ExpandFileLine(const std::string &line, const std::string &baseDirectory,
                                        bool *matchedAnything = nullptr);

// Paths of pasted or dropped text: cut at each line end; blank pieces skipped.
std::vector<std::string> SplitPastedText(const std::string &text);

} // namespace pellora
