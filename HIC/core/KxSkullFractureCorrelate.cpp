#include "HIC/core/KxSkullFractureCorrelate.h"

#include <cmath>
#include <exception>
#include <string>

#include "signal/CNSignal.h"

KxSkullFractureCorrelate::KxSkullFractureCorrelate() = default;

bool KxSkullFractureCorrelate::SetCriticalValues()
{
    const std::string t = TypeCode();
    if (t != "H3" && t != "HT" && t != "S3" && t != "TH") {
        AddMessage("NonApplicable Dummy Type -" + t);
        return false;
    }
    if (SizeCode() != "50") {
        AddMessage("SFC - Unknown/NonApplicable Dummy Type");
        return false;
    }
    m_hic.SetDummy(m_dummyType, m_dummySize);
    m_criticalSfc = 166.0;
    m_criticalValue = 120.0;
    return true;
}

bool KxSkullFractureCorrelate::Compute(kx::CNSignal &signal)
{
    // A run never reports the values of an earlier one.
    m_value = 0.0;
    m_probability = 0.0;
    try {
        if (!SetDummy(signal.GetOccupant1Type(), signal.GetOccupant1Size()))
            return false;
        CopyTimeWindowTo(m_hic);
        std::vector<std::string> earlier;
        m_hic.MoveMessagesTo(earlier);
        if (!m_hic.Compute(signal, m_window)) {
            // Why the HIC failed; on success its warnings repeat those of the HIC run.
            m_hic.MoveMessagesTo(m_messages);
            return false;
        }
        const double duration = (m_hic.GetT2() - m_hic.GetT1()) * 0.001;
        if (!(duration > 0.0)) {
            AddMessage("SFC - HIC interval has zero length");
            return false;
        }
        m_value = std::pow(m_hic.GetValue() / duration, 0.4);
        const double x = std::pow(m_value / m_criticalSfc, 5.29);
        m_probability = x / (1.0 + x);
        return true;
    } catch (const std::exception &e) {
        AddMessage(e.what());
    } catch (...) {
        AddMessage("Skull Fracture Correlate - critical error during computation");
    }
    return false;
}

std::vector<double> KxSkullFractureCorrelate::ProbabilityCurve(int from, int to) const
{
    std::vector<double> curve;
    if (m_criticalSfc <= 0.0 || to < from)
        return curve;
    curve.reserve(static_cast<std::size_t>(static_cast<long long>(to) - from + 1));
    for (long long s = from; s <= to; ++s) {
        const double x = std::pow(static_cast<double>(s) / m_criticalSfc, 5.29);
        curve.push_back(x / (1.0 + x));
    }
    return curve;
}
