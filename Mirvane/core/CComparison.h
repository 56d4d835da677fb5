#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kx {
class CNSignal;
}

// Statistics of one evaluated signal against the reference: peaks, residual sums,
// share outside the corridor, standard deviation, T statistic, moment differences
// of order 0 to 5 and the correlation factor.
class CComparison {
public:
    static constexpr int kMomentOrders = 6;

    CComparison();
    CComparison(const CComparison &) = default;
    CComparison &operator=(const CComparison &) = default;
    virtual ~CComparison();

    void SetCorridorSize(double size) { m_corridorSize = size; }
    double GetCorridorSize() const { return m_corridorSize; }

    // Resamples the evaluated signal to the reference's step and cuts it (and a copy
    // of the reference) to the common window, then fills every result. Errors of the
    // resampling and truncation pass to the caller.
    void Compare(kx::CNSignal &evaluated, const kx::CNSignal &reference);

    // Two signals on the step dt pair their samples by point: times within half a step
    // of each other are the same point. The points a and b share, both ends included:
    // the index of the first in each and their number.
    struct CCommonPoints {
        std::size_t firstA = 0;
        std::size_t firstB = 0;
        std::size_t count = 0;
    };
    static CCommonPoints CommonPoints(const kx::CNSignal &a, const kx::CNSignal &b, double dt);

    // Cuts signal on the step dt to the points from start up to, not including, end
    // (TruncateByTime), the same point rule holding at both ends.
    static void CutToWindow(kx::CNSignal &signal, double start, double end, double dt);

    // The statistics of evaluated samples e against reference samples f with time
    // step dt, over the points both hold.
    void ComputeStatistics(const std::vector<double> &e, const std::vector<double> &f, double dt);

    double GetPeak() const { return m_peak; }
    double GetReferencePeak() const { return m_referencePeak; }
    double GetStdDeviation() const { return m_stdDeviation; }
    double GetResidualSum() const { return m_residualSum; }
    double GetResidualSquareSum() const { return m_residualSquareSum; }
    double GetPercentOutside() const { return m_percentOutside; }
    std::int32_t GetCount() const { return m_count; }
    // Order 0 .. 5; any other order gives 0.0.
    double GetMomentDifference(int order) const;
    const std::array<double, kMomentOrders> &GetMomentDifferences() const { return m_momentDifferences; }
    double GetCorrelation() const { return m_correlation; }
    double GetTStatistic() const { return m_tStatistic; }
    double GetWindowStart() const { return m_windowStart; }
    double GetWindowEnd() const { return m_windowEnd; }

private:
    double m_peak = 0.0;
    double m_referencePeak = 0.0;
    double m_stdDeviation = 0.0;
    double m_residualSum = 0.0;
    double m_residualSquareSum = 0.0;
    double m_percentOutside = 0.0;
    std::int32_t m_count = 0;
    std::array<double, kMomentOrders> m_momentDifferences{};
    double m_correlation = 0.0;
    double m_tStatistic = 0.0;
    double m_windowStart = 0.0;
    double m_windowEnd = 0.0;
    double m_corridorSize = 4.0;
};
