#pragma once

// Writing chosen curves of a simulation file as UDS-1992 files.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace kx {
class MadymoFile;
}

namespace sorvelt {

struct ConversionRequest {
    std::vector<bool> parameters; // one flag per parameter
    std::vector<bool> channels;   // one flag per channel
    std::string folder;
    std::string header;
};

struct ConversionResult {
    std::size_t written = 0;
    bool cancelled = false;
    std::vector<std::string> errors; // one text per file not written, naming it
};

// folder/header_P.CCC with the 0-based parameter and channel numbers.
std::string ConvertedFileName(const std::string &folder, const std::string &header, int parameter, int channel);

// Number of files a request writes.
std::size_t ConversionCount(const ConversionRequest &request);

// Empty when files can be written into folder, else the reason.
std::string CheckOutputFolder(const std::string &folder);

// Called before each file with the number done so far and the file's path; false stops.
using ConversionProgress = std::function<bool(std::size_t done, const std::string &path)>;

// Builds each chosen curve (parameters outer), puts it on a constant step and writes
// it. A failing file goes to the result's errors (in file order) and the loop goes on.
// Up to `workers` files are made at once on threads of their own; progress is always
// called on the calling thread, before each file is started.
// Files made at once: most of a file's time is spent waiting for the disk.
inline constexpr unsigned kConversionWorkers = 8;

ConversionResult ConvertToUds(const kx::MadymoFile &reader, const ConversionRequest &request,
                              const ConversionProgress &progress = {}, unsigned workers = kConversionWorkers);

} // namespace sorvelt
