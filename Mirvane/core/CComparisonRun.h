#pragma once

// One comparison run, apart from the document: load the evaluated files, filter,
// truncate, build the reference (a chosen file or the average), compare and make the
// plot list. Everything is built in a result the caller takes over only on success.

#include "Mirvane/core/CSignal.h"
#include "signal/CNSignal.h"

#include <string>
#include <vector>

namespace mirvane {

struct CRunOptions {
    std::vector<std::string> files;
    std::string referenceFile;
    int referenceKind = 0; // 0 the chosen file, 1 the average of the evaluated signals
    bool filter = true;
    int filterClass = 60;
    bool truncate = false;
    double minTime = 0.0;
    double maxTime = 0.0;
    double corridorSize = 4.0;
};

struct CRunResult {
    std::vector<CSignal> records;
    CSignal reference;
    std::vector<kx::CNSignalPtr> loaded; // header copies, no samples
    std::vector<int> plotKinds;
};

class CComparisonRun {
public:
    // False on any failure, with the texts appended to errors; result is then unusable.
    static bool Execute(const CRunOptions &options, CRunResult &result, std::vector<std::string> &errors);

    // Reads every record (UDS-1992, else points text). Each failing file adds one text.
    static bool Load(std::vector<CSignal> &records, std::vector<kx::CNSignalPtr> &loaded,
                     std::vector<std::string> &errors);
    // The point-wise mean of the records over their common step, window and length.
    static bool ComputeAverage(std::vector<CSignal> &records, CSignal &reference, std::vector<std::string> &errors);
    // Reads the reference file into reference and resamples every record to its step.
    static bool ReadReference(const std::string &path, std::vector<CSignal> &records, CSignal &reference,
                              std::vector<std::string> &errors);
    static std::vector<int> PlotList(const std::vector<CSignal> &records, const kx::CNSignal &reference);

    // A copy of the header for the header viewer, without the samples.
    static kx::CNSignalPtr HeaderCopy(const kx::CNSignal &signal);
};

inline const char *const kTimeRangeError = "Error Computing the time range for evaluation";

} // namespace mirvane
