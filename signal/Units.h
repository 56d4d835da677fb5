#pragma once

#include <string_view>

namespace kx {

// Unit systems of the DIMSYS header field.
namespace UnitSystem {
inline constexpr std::string_view Metric = "MET";
inline constexpr std::string_view English = "ENG";
} // namespace UnitSystem

// Each compares the whole text, case-sensitively.
inline bool IsEnglishUnits(std::string_view text)
{
    return text == "ENGLISH" || text == UnitSystem::English;
}

inline bool IsKilometersPerHour(std::string_view text)
{
    return text == "KILOMETERS/HOUR" || text == "KPH";
}

inline bool IsSeconds(std::string_view text)
{
    return text == "SECONDS" || text == "SECOND" || text == "SEC";
}

} // namespace kx
