#include "Quillet/core/KxNeckExtension.h"

#include "signal/CNSignal.h"

KxNeckExtension::KxNeckExtension(int outOfPosition)
{
    m_outOfPosition = outOfPosition != 0;
}

std::optional<KxNeck208::Limits> KxNeckExtension::Row(const std::string &s, bool oop)
{
    if (s == "12")
        return Limits{12.0, 17.0};
    if (s == "3C")
        return Limits{14.0, 27.0};
    if (s == "6C" || s == "6W")
        return Limits{17.0, 37.0};
    if (s == "05")
        return Limits{28.0, oop ? 61.0 : 67.0};
    if (s == "50")
        return Limits{57.0, 135.0};
    if (s == "95")
        return Limits{78.0, 179.0};
    return std::nullopt;
}

bool KxNeckExtension::PickOOPValue(const std::string &type, const std::string &size)
{
    return PickFrom(kOOPValues, type, size);
}

bool KxNeckExtension::SetCriticalValues()
{
    return ChooseTwoValues(kOOPValues, " Neck Extension - Unknown Dummy Type ", UnknownReset::Critical,
                           Row(SizeCode(), m_outOfPosition));
}

bool KxNeckExtension::Compute(kx::CNSignal &signal)
{
    return ComputePeak(signal, 'Y', 600, true, "Warning - Neck Extension should be Y axis",
                       "Neck Extension - critical error during computation");
}
