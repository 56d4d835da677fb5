#pragma once
// Neck extension: minus the smallest Y moment (about Y, CFC 600).

#include <optional>
#include <string>

#include "Quillet/core/KxNeck208.h"

class KxNeckExtension : public KxNeck208 {
public:
    explicit KxNeckExtension(int outOfPosition = 0);

    bool SetCriticalValues() override;
    // Out-of-position value by dummy codes; true when it set the critical value.
    bool PickOOPValue(const std::string &type, const std::string &size);
    bool Compute(kx::CNSignal &signal);

    // Standard and advanced values of a size code.
    static std::optional<Limits> Row(const std::string &size, bool outOfPosition);

private:
    // Out-of-position picks.
    static constexpr OOPValues kOOPValues{61.0, 37.0, 27.0};
};
