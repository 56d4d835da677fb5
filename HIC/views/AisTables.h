#pragma once

// Probability of injury against HIC15 for adult dummies: six levels, 33 points each.

#include <array>

namespace hic {

inline constexpr int kAisPoints = 33;
inline constexpr int kAisLevels = 6;

// HIC15 of point i: 50 + 100 i.
inline constexpr float AisHic15(int i)
{
    return 50.0f + 100.0f * static_cast<float>(i);
}

extern const std::array<const char *, kAisLevels> kAisLegends;
// Row per HIC15 point, a column per level.
extern const float kAisTable[kAisPoints][kAisLevels];

} // namespace hic
