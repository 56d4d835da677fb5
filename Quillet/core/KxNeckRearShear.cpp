#include "Quillet/core/KxNeckRearShear.h"

#include "signal/CNSignal.h"

KxNeckRearShear::KxNeckRearShear(int outOfPosition)
{
    m_outOfPosition = outOfPosition != 0;
}

bool KxNeckRearShear::SetCriticalValues()
{
    return ChooseShearValue({"HY", "HT", "SD", "E2", "ES", "ER", "S3", "CH", "H3", "CR"},
                            " Neck RearShear - Unknown Dummy Type ");
}

bool KxNeckRearShear::Compute(kx::CNSignal &signal)
{
    return ComputePeak(signal, 'X', 1000, true, "Warning - Neck RearShear should be X axis",
                       "Neck RearShear - critical error during computation");
}
