#pragma once
// Names the quantity and unit of a derivative or integral of a signal and gives the
// factor that converts between the units.

#include <string>
#include <string_view>

namespace kx {

// Quantity names written to the sensor type of a differentiated or integrated signal.
namespace QuantityType {
inline constexpr std::string_view Unknown = "UNKNOWN";
inline constexpr std::string_view Acceleration = "ACCELERATION";
inline constexpr std::string_view Velocity = "VELOCITY";
inline constexpr std::string_view Displacement = "DISPLACEMENT";
inline constexpr std::string_view AngularAcceleration = "ANGULAR ACCELERATION";
inline constexpr std::string_view AngularVelocity = "ANGULAR VELOCITY";
inline constexpr std::string_view AngularDisplacement = "ANGULAR DISPLACEMENT";
inline constexpr std::string_view Force = "FORCE";
inline constexpr std::string_view Moment = "MOMENT";
inline constexpr std::string_view Impulse = "IMPULSE";
inline constexpr std::string_view AngularImpulse = "ANGULAR IMPULSE";
inline constexpr std::string_view Energy = "ENERGY";
} // namespace QuantityType

// Units, quantity and factor of dY/dX.
void DerivativeUnits(std::string_view xUnits, std::string_view yUnits, double &factor, std::string &units,
                     std::string &type);

// Units, quantity and factor of the integral of Y over X; initialValue is the value
// at time zero (the initial velocity for accelerations, else 0). unitSystem is DIMSYS.
void IntegralUnits(std::string_view xUnits, std::string_view yUnits, double initialVelocity, double &factor,
                   double &initialValue, std::string &units, std::string &type, std::string_view unitSystem);

} // namespace kx
