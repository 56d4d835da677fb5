#include "Quillet/core/KxNeckTension.h"

#include "signal/CNSignal.h"

KxNeckTension::KxNeckTension(int outOfPosition)
{
    m_outOfPosition = outOfPosition != 0;
}

std::optional<KxNeck208::Limits> KxNeckTension::Row(const std::string &s, bool oop)
{
    if (s == "12")
        return Limits{1150.0, 780.0};
    if (s == "3C")
        return Limits{1270.0, oop ? 1130.0 : 1380.0};
    if (s == "6C" || s == "6W")
        return Limits{1490.0, oop ? 1490.0 : 1890.0};
    if (s == "10")
        return Limits{2300.0, oop ? 1810.0 : 2290.0};
    if (s == "05")
        return Limits{2080.0, oop ? 2070.0 : 2620.0};
    if (s == "50")
        return Limits{3300.0, 4170.0};
    if (s == "95")
        return Limits{4052.0, 5030.0};
    return std::nullopt;
}

bool KxNeckTension::PickOOPValue(const std::string &type, const std::string &size)
{
    return PickFrom(kOOPValues, type, size);
}

bool KxNeckTension::SetCriticalValues()
{
    return ChooseTwoValues(kOOPValues, " Neck Tension - Unknown Dummy Type ", UnknownReset::Table,
                           Row(SizeCode(), m_outOfPosition));
}

bool KxNeckTension::Compute(kx::CNSignal &signal)
{
    return ComputePeak(signal, 'Z', 1000, false, "Warning - Neck Tension should be Z axis",
                       "Neck Tension - critical error during computation");
}
