#include "Sorvelt/core/UdsConversion.h"

#include "Sorvelt/core/CurveBuilder.h"
#include "Sorvelt/core/MadymoFile.h"
#include "signal/CNSignal.h"

#include <unistd.h>

#include <cstdio>
#include <exception>
#include <filesystem>

namespace sorvelt {

namespace fs = std::filesystem;

std::string ConvertedFileName(const std::string &folder, const std::string &header, int parameter, int channel)
{
    char number[48];
    std::snprintf(number, sizeof number, "_%d.%.3d", parameter, channel);
    std::string path = folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path + header + number;
}

std::size_t ConversionCount(const ConversionRequest &request)
{
    std::size_t parameters = 0;
    std::size_t channels = 0;
    for (bool on : request.parameters)
        parameters += on ? 1 : 0;
    for (bool on : request.channels)
        channels += on ? 1 : 0;
    return parameters * channels;
}

std::string CheckOutputFolder(const std::string &folder)
{
    std::error_code ec;
    if (folder.empty() || !fs::exists(folder, ec))
        return "The output folder does not exist: " + folder;
    if (!fs::is_directory(folder, ec))
        return "The output folder is not a folder: " + folder;
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        return "The output folder cannot be written: " + folder;
    return {};
}

ConversionResult ConvertToUds(kx::MadymoFile &reader, const ConversionRequest &request,
                              const ConversionProgress &progress)
{
    ConversionResult result;
    std::size_t done = 0;
    for (std::size_t i = 0; i < request.parameters.size(); ++i) {
        if (!request.parameters[i])
            continue;
        for (std::size_t j = 0; j < request.channels.size(); ++j) {
            if (!request.channels[j])
                continue;
            const int parameter = static_cast<int>(i);
            const int channel = static_cast<int>(j);
            const std::string path = ConvertedFileName(request.folder, request.header, parameter, channel);
            if (progress && !progress(done, path)) {
                result.cancelled = true;
                return result;
            }
            ++done;
            try {
                kx::CNSignal signal;
                if (!BuildCurve(reader, parameter, channel, signal)) {
                    result.errors.push_back(path + ": the file has no parameter " + std::to_string(i + 1) +
                                            ", channel " + std::to_string(j + 1));
                    continue;
                }
                if (!MakeUniformStep(signal)) {
                    result.errors.push_back(path + ": not written, the curve cannot be put on a constant time step");
                    continue;
                }
                signal.SaveToUDSFile(path);
                ++result.written;
            } catch (const std::exception &e) {
                result.errors.push_back(path + ": " + e.what());
            } catch (...) {
                result.errors.push_back(path + ": Failure to open the file.");
            }
        }
    }
    return result;
}

} // namespace sorvelt
