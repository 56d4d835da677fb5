#pragma once
// Skull fracture correlate: the mean head acceleration over the HIC interval and the
// probability of skull fracture from it (50th percentile male Hybrid III family).

#include <vector>

#include "HIC/core/KxHicCriteria.h"
#include "criteria/KxInjuryCriteria.h"

class KxSkullFractureCorrelate : public KxInjuryCriteria {
public:
    KxSkullFractureCorrelate();

    bool SetCriticalValues() override;

    // HIC of the signal, then SFC = (HIC / duration)^0.4 and its probability.
    bool Compute(kx::CNSignal &signal);
    // Probability for each whole SFC from..to; empty without a critical SFC.
    std::vector<double> ProbabilityCurve(int from, int to) const;

    double GetProbability() const { return m_probability; }
    double GetCriticalSFC() const { return m_criticalSfc; }
    double GetWindow() const { return m_window; }
    void SetWindow(double windowMs) { m_window = windowMs; }
    const KxHicCriteria &GetHic() const { return m_hic; }

private:
    KxHicCriteria m_hic;
    double m_window = 15.0;
    double m_probability = 0.0;
    double m_criticalSfc = 0.0;
};
