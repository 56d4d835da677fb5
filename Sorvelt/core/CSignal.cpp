#include "Sorvelt/core/CSignal.h"

#include <algorithm>

namespace sorvelt {

CSignal::CSignal(int channelCount, int parameter, int channel, kx::CNSignalPtr signal)
    : m_channelCount(std::max(1, channelCount))
    , m_channel(channel)
    , m_parameter(parameter)
    , m_signal(signal ? std::move(signal) : std::make_shared<kx::CNSignal>())
{}

CSignal::CSignal(const CSignal &other)
    : m_channelCount(other.m_channelCount)
    , m_channel(other.m_channel)
    , m_parameter(other.m_parameter)
    , m_signal(std::make_shared<kx::CNSignal>(*other.m_signal))
    , m_spare(other.m_spare)
{}

CSignal &CSignal::operator=(const CSignal &other)
{
    if (this != &other) {
        CSignal copy(other);
        m_channelCount = copy.m_channelCount;
        m_channel = copy.m_channel;
        m_parameter = copy.m_parameter;
        m_signal = std::move(copy.m_signal);
        m_spare = copy.m_spare;
    }
    return *this;
}

CSignal::~CSignal() = default;

bool CSignal::Matches(unsigned n) const
{
    const unsigned channels = static_cast<unsigned>(m_channelCount);
    return n % channels == static_cast<unsigned>(m_channel) && n / channels == static_cast<unsigned>(m_parameter);
}

unsigned CSignal::CurveNumber() const
{
    return static_cast<unsigned>(m_parameter) * static_cast<unsigned>(m_channelCount) +
           static_cast<unsigned>(m_channel);
}

} // namespace sorvelt
