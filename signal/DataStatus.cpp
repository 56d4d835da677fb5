#include "signal/DataStatus.h"

#include <array>
#include <cctype>

namespace kx::DataStatus {

namespace {

struct Alias {
    std::string_view accepted;
    std::string_view stored;
};

constexpr std::array<Alias, 25> kAliases{{
    {"AM", AsMeasured},
    {"AS MEASURED", AsMeasured},
    {"CM", Computed},
    {"COMPUTED", Computed},
    {"DFT", Dft},
    {"CF", ChannelFailed},
    {"CHANNEL FAILED", ChannelFailed},
    {"SF", SystemFailed},
    {"SYSTEM FAILED", SystemFailed},
    {"FILTERED", Filtered},
    {"ALIGEND", Aligned},
    {"MODIFIED", Modified},
    {"MN", Meaningless},
    {"MEANINGLESS", Meaningless},
    {"NO", NoData},
    {"NO DATA", NoData},
    {"QD", QuestionableData},
    {"QUESTIONABLE DATA", QuestionableData},
    {"SUBSAMPLED", Subsampled},
    {"SC", ScalingFactor},
    {"SCALED", ScalingFactor},
    {"SCALING FACTOR", ScalingFactor},
    {"TRUNCATED", Truncated},
    {"UN", NotKnown},
    {"NOT KNOW", NotKnown},
}};

} // namespace

std::string Normalise(std::string_view text)
{
    std::string upper(text);
    for (char &c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const Alias &a : kAliases) {
        if (a.accepted == upper)
            return std::string(a.stored);
    }
    return upper;
}

} // namespace kx::DataStatus
