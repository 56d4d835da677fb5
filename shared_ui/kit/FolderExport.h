#pragma once

// Saving one file per signal into a folder: which files are written, one question
// before any is replaced, and the write loop with its progress and failures.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace kxres {

class IKxUi;
class IProgress;

struct CExportTarget {
    std::size_t item = 0; // index into the caller's list
    std::string path;
    bool keep = false; // an existing file the user chose to keep: nothing is written
};

// The files of an export, paths[k] for item k (names[k] names the item in messages).
// A path shared by several items is written for none of them (one line in errors for
// each such path); files that already exist are asked about once, and kept unless the
// answer is yes.
std::vector<CExportTarget> PlanFolderExport(const std::vector<std::string> &paths,
                                            const std::vector<std::string> &names, IKxUi &ui,
                                            std::vector<std::string> &errors);

// Writes each target not kept with write, which returns a failure text or "" (an
// exception it lets out is reported with the path); after each target, kept or not,
// the progress, when given, steps, and a cancelled progress ends the loop. Returns the
// failures in order.
std::vector<std::string> WriteFolderExport(const std::vector<CExportTarget> &targets,
                                           const std::function<std::string(const CExportTarget &)> &write,
                                           IProgress *progress = nullptr);

// The name of a signal's X-Y text file: every ".uds" removed, every "." made "_",
// ".txt" added.
std::string AsciiExportName(const std::string &signalFileName);

} // namespace kxres
