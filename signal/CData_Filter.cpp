// The FIR100 channel filter of a signal.

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "signal/CData.h"
#include "signal/DataStatus.h"
#include "signal/FilterKernels.h"
#include "signal/TimeStep.h"

namespace kx {

namespace {

constexpr double kFir100Step = 0.000625; // 1600 samples per second
constexpr double kPrefilterCutoff = 300.0;

} // namespace

bool CData::Fir100(std::vector<double> &y, std::vector<double> &out, std::int32_t &nfp, std::int32_t &nlp, double &step,
                   bool removeBias)
{
    // Refuses, before touching y, a step of 1/600 s or more (300 Hz not below half the rate).
    ButterworthDesign(y, step, kPrefilterCutoff, -40.0, 3, kPrefilterCutoff * std::sqrt(10.0));

    std::int32_t newNfp = 0;
    std::int32_t newNlp = 0;
    if (!ResampleKernel(y, nfp, nlp, step, kFir100Step, out, newNfp, newNlp))
        return false;
    const std::int32_t n = CountPoints(newNfp, newNlp);
    if (static_cast<std::size_t>(n) < out.size())
        out.resize(static_cast<std::size_t>(n));

    if (removeBias)
        EstimateBias(out);
    std::vector<double> work(static_cast<std::size_t>(n) + 51);
    Fir100Filter(out, work, n, kFir100Step);

    nfp = newNfp;
    nlp = newNlp;
    step = kFir100Step;
    return true;
}

bool CData::FilterCFC(bool removeBias)
{
    if (GetFilterClass() == filter_class::Fir100)
        throw std::logic_error("Signal was previously filterd with FIR100");
    RequireConstantStep(*this, "Signal must have constant time interval");

    // Everything is computed on copies; the signal changes only after the last step.
    std::vector<double> y = m_y;
    std::vector<double> out;
    std::int32_t nfp = GetNFP();
    std::int32_t nlp = GetNLP();
    double step = GetDel();
    if (!Fir100(y, out, nfp, nlp, step, removeBias))
        return false;

    const bool distorted = GetPreFil() > 0.0 && GetPreFil() * 0.5 < GetFStp();
    SetNFP(nfp);
    SetNLP(nlp);
    SetDel(step);
    UpdateNumberOfPoints();
    out.resize(static_cast<std::size_t>(m_numberOfPoints));
    MakeTimeAxis();
    SetXYData(m_x, out);

    UpdateDerived();
    SetStatus(std::string(DataStatus::Fir100Filtered));
    SetFilterClass(filter_class::Fir100);
    SetFCut(100.0);
    SetFStp(189.0);
    SetModified(true);
    if (distorted) {
        // The filtering stands and is recorded; the status and the exception tell the user.
        SetStatus("DISTORTED");
        throw std::logic_error("Filter causes overlap distortion with previous filtering");
    }
    return true;
}

} // namespace kx
