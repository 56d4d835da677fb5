#pragma once
// Neck tension: the largest Z force (CFC 1000).

#include <optional>
#include <string>

#include "Quillet/core/KxNeck208.h"

class KxNeckTension : public KxNeck208 {
public:
    explicit KxNeckTension(int outOfPosition = 0);

    bool SetCriticalValues() override;
    // Out-of-position value by dummy codes; true when it set the critical value.
    bool PickOOPValue(const std::string &type, const std::string &size);
    bool Compute(kx::CNSignal &signal);

    // Standard and advanced values of a size code.
    static std::optional<Limits> Row(const std::string &size, bool outOfPosition);
    // Out-of-position picks (also used by compression).
    static constexpr OOPValues kOOPValues{3880.0, 2800.0, 2120.0};
};
