#pragma once

#include <string>
#include <string_view>

// Status texts of a signal (the STATUS field of the curve header).
namespace kx::DataStatus {

inline constexpr std::string_view AsMeasured = "AS MEASURED";
inline constexpr std::string_view Computed = "COMPUTED";
inline constexpr std::string_view Dft = "DFT";
inline constexpr std::string_view ChannelFailed = "CHANNEL FAILED";
inline constexpr std::string_view SystemFailed = "SYSTEM FAILED";
inline constexpr std::string_view Filtered = "FILTERED";
inline constexpr std::string_view Aligned = "ALIGEND";
inline constexpr std::string_view Modified = "MODIFIED";
inline constexpr std::string_view Meaningless = "MEANINGLESS";
inline constexpr std::string_view NoData = "NO DATA";
inline constexpr std::string_view QuestionableData = "QUESTIONABLE DATA";
inline constexpr std::string_view Subsampled = "SUBSAMPLED";
inline constexpr std::string_view ScalingFactor = "SCALING FACTOR";
inline constexpr std::string_view Truncated = "TRUNCATED";
inline constexpr std::string_view NotKnown = "NOT KNOW";
inline constexpr std::string_view Fir100Filtered = "FIR100 FILTERED";

// Upper-cases the text and maps its abbreviations and long forms onto the stored
// status text; any other text is returned upper-cased, an empty text stays empty.
std::string Normalise(std::string_view text);

} // namespace kx::DataStatus
