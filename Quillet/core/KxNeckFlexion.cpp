#include "Quillet/core/KxNeckFlexion.h"

#include "signal/CNSignal.h"

KxNeckFlexion::KxNeckFlexion(int outOfPosition)
{
    m_outOfPosition = outOfPosition != 0;
}

std::optional<KxNeck208::Limits> KxNeckFlexion::Row(const std::string &s, bool /*outOfPosition*/)
{
    if (s == "12")
        return Limits{39.0, 43.0};
    if (s == "3C")
        return Limits{46.0, 68.0};
    if (s == "6C" || s == "6W")
        return Limits{57.0, 93.0};
    if (s == "05")
        return Limits{95.0, 155.0};
    if (s == "50")
        return Limits{190.0, 310.0};
    if (s == "95")
        return Limits{258.0, 415.0};
    return std::nullopt;
}

bool KxNeckFlexion::PickOOPValue(const std::string &type, const std::string &size)
{
    return PickFrom(kOOPValues, type, size);
}

bool KxNeckFlexion::SetCriticalValues()
{
    return ChooseTwoValues(kOOPValues, " Neck Flexion - Unknown Dummy Type ", UnknownReset::Critical,
                           Row(SizeCode(), m_outOfPosition));
}

bool KxNeckFlexion::Compute(kx::CNSignal &signal)
{
    return ComputePeak(signal, 'Y', 600, false, "Warning - Neck Flexion should be Y axis",
                       "Neck Flexion - critical error during computation");
}
