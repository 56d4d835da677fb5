#include "Quillet/core/KxNeckForwardShear.h"

#include "signal/CNSignal.h"

KxNeckForwardShear::KxNeckForwardShear(int outOfPosition)
{
    m_outOfPosition = outOfPosition != 0;
}

bool KxNeckForwardShear::SetCriticalValues()
{
    return ChooseShearValue({"HY", "HT", "SD", "E2", "ES", "S3", "CH", "H3", "CR"},
                            " Neck ForwardShear - Unknown Dummy Type ");
}

bool KxNeckForwardShear::Compute(kx::CNSignal &signal)
{
    return ComputePeak(signal, 'X', 1000, false, "Warning - Neck ForwardShear should be X axis",
                       "Neck ForwardShear - critical error during computation");
}
