#pragma once

// One curve of the simulation file as the document holds it: where it came from
// (parameter and channel) and the signal built from it.

#include "signal/CNSignal.h"

namespace sorvelt {

class CSignal {
public:
    CSignal(int channelCount, int parameter, int channel, kx::CNSignalPtr signal);
    // Copies the numbers and makes a signal of its own from the source's.
    CSignal(const CSignal &other);
    CSignal &operator=(const CSignal &other);
    // Takes the other's signal as it is (no copy of the samples).
    CSignal(CSignal &&other) noexcept = default;
    CSignal &operator=(CSignal &&other) noexcept = default;
    virtual ~CSignal();

    // True when curve number n (parameter * channels + channel) is this curve.
    bool Matches(unsigned n) const;
    unsigned CurveNumber() const;

    int ChannelCount() const { return m_channelCount; }
    int Channel() const { return m_channel; }
    int Parameter() const { return m_parameter; }
    kx::CNSignal &Signal() { return *m_signal; }
    const kx::CNSignal &Signal() const { return *m_signal; }
    const kx::CNSignalPtr &SignalPtr() const { return m_signal; }

private:
    int m_channelCount = 1;
    int m_channel = 0;
    int m_parameter = 0;
    kx::CNSignalPtr m_signal;
    int m_spare = 0;
};

} // namespace sorvelt
