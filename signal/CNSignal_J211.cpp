// The SAE J211 channel-class filter of a signal.

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "signal/CNSignal.h"
#include "signal/DataStatus.h"
#include "signal/FilterKernels.h"
#include "signal/TimeStep.h"

namespace kx {

bool CNSignal::Filter(FilterClass channelClass)
{
    if (channelClass != filter_class::Cfc60 && channelClass != filter_class::Cfc180 &&
        channelClass != filter_class::Cfc600 && channelClass != filter_class::Cfc1000)
        throw std::logic_error("BWfilt: Frequency Channel Class is not specified in SAE J211");
    if (channelClass >= GetFilterClass())
        return true;
    return FilterJ211(channelClass * 1.66666666667);
}

bool CNSignal::FilterJ211(double f3dB)
{
    // Times from a file that lie on no grid leave no step to filter on.
    if (!m_y.empty())
        RequireConstantStep(*this, "Nonpositive time step");
    std::vector<std::string> warnings;
    if (GetXType() != "TIME")
        warnings.emplace_back("Data must have X Type TIME");
    if (GetXUnits() != "SECONDS" && GetXUnits() != "SEC")
        warnings.emplace_back("Time must be in seconds");

    // The kernel checks everything before it touches a sample, so a refusal changes nothing.
    ButterworthJ211Kernel(m_y, GetDel(), f3dB, warnings);

    SetHIC(0.0);
    SetT1(0.0);
    SetT2(0.0);
    SetHICDTUP(0.0);
    SetCSI(0.0);
    SetFCut(f3dB);
    SetFStp(f3dB * 2.5);
    UpdateMinMax();
    UpdateNumberOfPoints();
    SetStatus(std::string(DataStatus::Filtered));

    const double c = std::trunc(f3dB * 0.6);
    if (c >= 55.0 && c <= 65.0) {
        SetFilterClass(filter_class::Cfc60);
    } else if (c >= 170.0 && c <= 190.0) {
        SetFilterClass(filter_class::Cfc180);
    } else if (c >= 580.0 && c <= 610.0) {
        SetFilterClass(filter_class::Cfc600);
    } else if (c >= 980.0 && c <= 1020.0) {
        SetFilterClass(filter_class::Cfc1000);
    }

    const FilterClass now = GetFilterClass();
    if (now != filter_class::Cfc600 && now != filter_class::Cfc1000 && GetPreFil() > 0.0 &&
        GetPreFil() * 0.5 < GetFStp()) {
        SetStatus("DISTORTED");
        warnings.emplace_back("WARNING - Filter causes overlap distortion with previous filtering");
    }
    m_messages.insert(m_messages.end(), warnings.begin(), warnings.end());
    SetModified(true);
    return true;
}

bool CNSignal::ButterworthJ211(std::vector<double> &y, double dt, double f3dB)
{
    return ButterworthJ211Kernel(y, dt, f3dB, m_messages);
}

} // namespace kx
