#include "signal/FilterClass.h"

namespace kx {

FilterClass ChannelClassFromFrequencies(double prefilter, double cutoff)
{
    const double f = (cutoff == 0.0) ? prefilter : cutoff;
    if (f > 90.0 && f < 110.0)
        return filter_class::Cfc60;
    if (f > 280.0 && f < 320.0)
        return filter_class::Cfc180;
    if (f > 980.0 && f < 1020.0)
        return filter_class::Cfc600;
    if (f > 1630.0 && f < 1700.0)
        return filter_class::Cfc1000;
    return filter_class::Unknown;
}

} // namespace kx
