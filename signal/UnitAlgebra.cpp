#include "signal/UnitAlgebra.h"

#include <array>

#include "signal/Units.h"

namespace kx {

namespace {

struct UnitRule {
    std::string_view from;
    std::string_view type;
    std::string_view units;
    double factor;
};

// Derivatives over time, first match wins ("METERS"/"MET" and km/h are tested apart).
constexpr std::array<UnitRule, 11> kTimeDerivatives{{
    {"NEWTON-SECONDS", QuantityType::Force, "NEWTONS", 1.0},
    {"NEWTON-METER-SECONDS", QuantityType::Moment, "NEWTON-METERS", 1.0},
    {"DEGREES/SEC", QuantityType::AngularAcceleration, "DEGREES/SEC**2", 1.0},
    {"DEGREES", QuantityType::AngularVelocity, "DEGREES/SEC", 1.0},
    {"MILLIMETERS", QuantityType::Velocity, "KILOMETERS/HOUR", 0.0036},
    {"CENTIMETERS", QuantityType::Velocity, "KILOMETERS/HOUR", 0.036},
    {"FEET", QuantityType::Velocity, "MILES/HOUR", 0.6818181818181818},
    {"INCHES", QuantityType::Velocity, "MILES/HOUR", 0.056818181818181816},
    {"MILES/HOUR", QuantityType::Acceleration, "G'S", 0.04558560406623588},
    {"RADIANS/SEC", QuantityType::AngularAcceleration, "RADIANS/SEC**2", 1.0},
    {"RADIANS", QuantityType::AngularVelocity, "RADIANS/SEC", 1.0},
}};

// Integrals over time after the G's rule.
constexpr std::array<UnitRule, 13> kTimeIntegrals{{
    {"KILOMETERS/HOUR", QuantityType::Displacement, "MILLIMETERS", 277.77778},
    {"METERS/SEC", QuantityType::Displacement, "MILLIMETERS", 1000.0},
    {"MILES/HOUR", QuantityType::Displacement, "INCHES", 17.6},
    {"FEET/SEC", QuantityType::Displacement, "INCHES", 12.0},
    {"INCHES/SEC", QuantityType::Displacement, "INCHES", 1.0},
    {"NEWTONS", QuantityType::Impulse, "NEWTON-SECONDS", 1.0},
    {"POUNDS", QuantityType::Impulse, "POUND-SECONDS", 1.0},
    {"NEWTON-METERS", QuantityType::AngularImpulse, "NEWTON-METER-SECONDS", 1.0},
    {"POUND-FEET", QuantityType::AngularImpulse, "POUND-FOOT-SECONDS", 1.0},
    {"DEGREES/SEC**2", QuantityType::AngularVelocity, "DEGREES/SEC", 1.0},
    {"RADIANS/SEC**2", QuantityType::AngularVelocity, "RADIANS/SEC", 1.0},
    {"DEGREES/SEC", QuantityType::AngularDisplacement, "DEGREES", 1.0},
    {"RADIANS/SEC", QuantityType::AngularDisplacement, "RADIANS", 1.0},
}};

// Integrals over a length: force times distance.
struct LengthRule {
    std::string_view xUnits;
    std::string_view yUnits;
    std::string_view units;
    double factor;
};

constexpr std::array<LengthRule, 4> kLengthIntegrals{{
    {"METERS", "NEWTONS", "JOULES", 1.0},
    {"MILLIMETERS", "NEWTONS", "JOULES", 0.001},
    {"FEET", "POUNDS", "FOOT-POUNDS", 1.0},
    {"INCHES", "POUNDS", "FOOT-POUNDS", 0.08333333333333333},
}};

void Apply(const UnitRule &rule, double &factor, std::string &units, std::string &type)
{
    factor = rule.factor;
    units = rule.units;
    type = rule.type;
}

} // namespace

void DerivativeUnits(std::string_view xUnits, std::string_view yUnits, double &factor, std::string &units,
                     std::string &type)
{
    factor = 1.0;
    units = QuantityType::Unknown;
    type = QuantityType::Unknown;

    if (IsSeconds(xUnits)) {
        if (yUnits == "METERS" || yUnits == "MET") {
            Apply({yUnits, QuantityType::Velocity, "KILOMETERS/HOUR", 3.6}, factor, units, type);
            return;
        }
        if (IsKilometersPerHour(yUnits)) {
            Apply({yUnits, QuantityType::Acceleration, "G'S", 0.02832545}, factor, units, type);
            return;
        }
        for (const UnitRule &rule : kTimeDerivatives) {
            if (yUnits == rule.from) {
                Apply(rule, factor, units, type);
                return;
            }
        }
        units = std::string(yUnits) + " / SEC";
        return;
    }

    if (yUnits == "JOULES") {
        Apply({yUnits, QuantityType::Force, "NEWTONS", 1.0}, factor, units, type);
        return;
    }
    if (yUnits == "FOOT-POUNDS") {
        Apply({yUnits, QuantityType::Force, "POUNDS", 1.0}, factor, units, type);
        return;
    }
    units = std::string(yUnits) + " / " + std::string(xUnits);
}

void IntegralUnits(std::string_view xUnits, std::string_view yUnits, double initialVelocity, double &factor,
                   double &initialValue, std::string &units, std::string &type, std::string_view unitSystem)
{
    factor = 1.0;
    initialValue = 0.0;
    units = QuantityType::Unknown;
    type = QuantityType::Unknown;

    if (IsSeconds(xUnits)) {
        if (yUnits == "G'S") {
            type = QuantityType::Velocity;
            if (!unitSystem.empty() && IsEnglishUnits(unitSystem)) {
                units = "MILES/HOUR";
                factor = 21.93675;
            } else {
                units = "KILOMETERS/HOUR";
                factor = 35.30394;
            }
            initialValue = initialVelocity;
            return;
        }
        for (const UnitRule &rule : kTimeIntegrals) {
            if (yUnits == rule.from) {
                Apply(rule, factor, units, type);
                return;
            }
        }
        type = std::string(QuantityType::Unknown) + " x TIME";
        units = std::string(yUnits) + " x SECONDS";
        return;
    }

    for (const LengthRule &rule : kLengthIntegrals) {
        if (xUnits != rule.xUnits)
            continue;
        // A length axis with any other Y stays "UNKNOWN".
        if (yUnits == rule.yUnits) {
            factor = rule.factor;
            units = rule.units;
            type = QuantityType::Energy;
        }
        return;
    }
    units = std::string(xUnits) + " - " + std::string(yUnits);
}

} // namespace kx
