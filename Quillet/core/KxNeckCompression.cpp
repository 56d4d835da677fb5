#include "Quillet/core/KxNeckCompression.h"

#include "Quillet/core/KxNeckTension.h"
#include "signal/CNSignal.h"

KxNeckCompression::KxNeckCompression(int outOfPosition)
{
    m_outOfPosition = outOfPosition != 0;
}

std::optional<KxNeck208::Limits> KxNeckCompression::Row(const std::string &s, bool /*outOfPosition*/)
{
    if (s == "12")
        return Limits{1390.0, 960.0};
    if (s == "3C")
        return Limits{1540.0, 1380.0};
    if (s == "6C" || s == "6W")
        return Limits{1800.0, 1820.0};
    if (s == "10")
        return Limits{2200.0, 2200.0};
    if (s == "05")
        return Limits{2520.0, 2520.0};
    if (s == "50")
        return Limits{4000.0, 4000.0};
    if (s == "95")
        return Limits{4912.0, 4830.0};
    return std::nullopt;
}

bool KxNeckCompression::SetCriticalValues()
{
    return ChooseTwoValues(KxNeckTension::kOOPValues, " Neck Compression - Unknown Dummy Type ", UnknownReset::All,
                           Row(SizeCode(), m_outOfPosition));
}

bool KxNeckCompression::Compute(kx::CNSignal &signal)
{
    return ComputePeak(signal, 'Z', 1000, true, "Warning - Neck Compression should be Z axis",
                       "Neck Compression - critical error during computation");
}
