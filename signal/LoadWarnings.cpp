#include "signal/LoadWarnings.h"

#include "signal/CData.h"

namespace kx {

std::string NaNSampleWarning(const std::string &file, std::size_t count)
{
    if (count == 0)
        return {};
    if (count == 1)
        return file + ": 1 sample stored as NaN was read as 0";
    return file + ": " + std::to_string(count) + " samples stored as NaN were read as 0";
}

std::string InfSampleWarning(const std::string &file, std::size_t count)
{
    if (count == 0)
        return {};
    if (count == 1)
        return file + ": 1 sample is infinite";
    return file + ": " + std::to_string(count) + " samples are infinite";
}

bool AddNaNSampleWarning(std::vector<std::string> &messages, const std::string &file, const CData &signal)
{
    std::string warning = NaNSampleWarning(file, signal.GetNaNSampleCount());
    if (warning.empty())
        return false;
    messages.push_back(std::move(warning));
    return true;
}

bool AddLoadWarnings(std::vector<std::string> &messages, const std::string &file, const CData &signal)
{
    bool added = AddNaNSampleWarning(messages, file, signal);
    std::string infinite = InfSampleWarning(file, signal.GetInfSampleCount());
    if (!infinite.empty()) {
        messages.push_back(std::move(infinite));
        added = true;
    }
    return added;
}

} // namespace kx
