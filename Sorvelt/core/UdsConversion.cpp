#include "Sorvelt/core/UdsConversion.h"

#include "Sorvelt/core/CurveBuilder.h"
#include "Sorvelt/core/MadymoFile.h"
#include "signal/CNSignal.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <functional>
#include <future>
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

namespace {

struct Outcome {
    bool written = false;
    std::string error;
};

Outcome ConvertOne(const kx::MadymoFile &reader, int parameter, int channel, const std::string &path)
{
    Outcome outcome;
    try {
        kx::CNSignal signal;
        if (!BuildCurve(reader, parameter, channel, signal)) {
            outcome.error = path + ": the file has no parameter " + std::to_string(parameter + 1) + ", channel " +
                            std::to_string(channel + 1);
            return outcome;
        }
        if (!MakeUniformStep(signal)) {
            outcome.error = path + ": not written, the curve cannot be put on a constant time step";
            return outcome;
        }
        signal.SaveToUDSFile(path);
        outcome.written = true;
    } catch (const std::exception &e) {
        outcome.error = path + ": " + e.what();
    } catch (...) {
        outcome.error = path + ": Failure to open the file.";
    }
    return outcome;
}

} // namespace

ConversionResult ConvertToUds(const kx::MadymoFile &reader, const ConversionRequest &request,
                              const ConversionProgress &progress, unsigned workers)
{
    ConversionResult result;
    const std::size_t window = std::max(1u, workers);
    // Files in progress, oldest first: their outcomes are taken in file order.
    std::deque<std::future<Outcome>> running;
    const auto takeOldest = [&] {
        Outcome outcome = running.front().get();
        running.pop_front();
        if (outcome.written)
            ++result.written;
        else
            result.errors.push_back(std::move(outcome.error));
    };
    std::size_t done = 0;
    for (std::size_t i = 0; i < request.parameters.size() && !result.cancelled; ++i) {
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
                break;
            }
            ++done;
            if (running.size() >= window)
                takeOldest();
            if (window == 1) {
                std::promise<Outcome> now;
                now.set_value(ConvertOne(reader, parameter, channel, path));
                running.push_back(now.get_future());
            } else {
                running.push_back(
                    std::async(std::launch::async, ConvertOne, std::cref(reader), parameter, channel, path));
            }
        }
    }
    while (!running.empty())
        takeOldest();
    return result;
}

} // namespace sorvelt
