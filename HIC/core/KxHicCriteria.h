#pragma once
// Head Injury Criterion of a resultant head acceleration (G's, constant time step).

#include <cstdint>
#include <string>
#include <vector>

#include "criteria/KxInjuryCriteria.h"

class KxHicCriteria : public KxInjuryCriteria {
public:
    // Outcome of one search: HIC, interval ends (ms from time zero) and its samples.
    struct SearchResult {
        double hic = 0.0;
        double t1 = 0.0;
        double t2 = 0.0;
        std::int64_t i1 = 0;
        std::int64_t i2 = 0;
    };

    KxHicCriteria();

    bool SetCriticalValues() override;

    // Header checks, critical values, then the search from the sample of time zero.
    // On success the HIC, T1, T2 and HICDTUP header fields of the signal are set.
    bool Compute(kx::CNSignal &signal, double windowMs);
    // Header checks; false when the time step is not positive or the record holds no
    // interval at or after time zero.
    bool CheckHicSignal(const kx::CNSignal &signal);

    // Branch-and-bound search for the largest HIC over samples first..last of a with
    // time step dt (s); windowMs = 0 searches without a window. False for a step that
    // is not positive, a sample range outside a, or a window shorter than one step.
    static bool HicSearch(const std::vector<double> &a, std::int64_t first, std::int64_t last, double windowMs,
                          double dt, SearchResult &result);
    // Running integral of |a| by trapezoids in sample units (no time step): c[first] = 0,
    // c[i] = c[i-1] + (|a[i]| + |a[i-1]|) / 2 up to last; c holds last + 1 entries, those
    // before first 0. Returns the largest |a| over first..last. Needs first <= last < size.
    static double RunningIntegral(const std::vector<double> &a, std::int64_t first, std::int64_t last,
                                  std::vector<double> &c);
    // Window length in samples; last + 1 (no limit) when windowMs is not positive or the
    // window holds more samples than any record; 0 when the step is not usable.
    static std::int64_t WindowSamples(double windowMs, double dt, std::int64_t last);

    double GetT1() const { return m_t1; }
    double GetT2() const { return m_t2; }
    double GetWindow() const { return m_window; }
    double GetCriticalHic36() const { return m_criticalHic36; }
    double GetCriticalHic15() const { return m_criticalHic15; }

private:
    double m_t1 = 0.0;
    double m_t2 = 0.0;
    double m_window = 15.0;
    double m_criticalHic36 = 1000.0;
    double m_criticalHic15 = 700.0;
};
