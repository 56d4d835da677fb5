#include "criteria/KxInjuryCriteria.h"

#include "signal/CNSignal.h"
#include "signal/Units.h"

#include <cmath>
#include <sstream>

KxInjuryCriteria::KxInjuryCriteria() = default;

KxInjuryCriteria::~KxInjuryCriteria() = default;

bool KxInjuryCriteria::SetCriticalValues()
{
    return false;
}

bool KxInjuryCriteria::SetDummy(const std::string &type, const std::string &size)
{
    m_dummyType = type;
    m_dummySize = size;
    return SetCriticalValues();
}

void KxInjuryCriteria::Reset()
{
    m_startTime = 0.0;
    m_stopTime = 0.0;
    m_value = 0.0;
    m_startSet = false;
    m_stopSet = false;
    m_criticalValue = 1.0;
    m_dummyType.clear();
    m_dummySize.clear();
    m_messages.clear();
}

void KxInjuryCriteria::SetStartTime(double start)
{
    m_startTime = start;
    m_startSet = true;
}

void KxInjuryCriteria::SetStopTime(double stop)
{
    m_stopTime = stop;
    m_stopSet = true;
}

void KxInjuryCriteria::ClearTimeWindow()
{
    m_startTime = 0.0;
    m_stopTime = 0.0;
    m_startSet = false;
    m_stopSet = false;
}

void KxInjuryCriteria::CopyTimeWindowTo(KxInjuryCriteria &target) const
{
    target.m_startTime = m_startTime;
    target.m_stopTime = m_stopTime;
    target.m_startSet = m_startSet;
    target.m_stopSet = m_stopSet;
}

void KxInjuryCriteria::ApplyTimeWindow(kx::CNSignal &signal) const
{
    if (!m_startSet && !m_stopSet)
        return;
    const std::vector<double> &x = signal.GetX();
    double first = signal.GetStartTime();
    double last = signal.GetEndTime();
    if (!x.empty()) {
        first = x.front();
        last = x.back();
    }
    signal.TruncateByTime(m_startSet ? m_startTime : first, m_stopSet ? m_stopTime : last);
}

void KxInjuryCriteria::MoveMessagesTo(std::vector<std::string> &target)
{
    target.insert(target.end(), m_messages.begin(), m_messages.end());
    m_messages.clear();
}

bool KxInjuryCriteria::CheckFiniteSamples(const kx::CNSignal &signal, const std::string &prefix)
{
    const std::vector<double> &y = signal.GetY();
    const std::vector<double> &x = signal.GetX();
    for (std::size_t i = 0; i < y.size(); ++i) {
        if (std::isfinite(y[i]))
            continue;
        double time = i < x.size() ? x[i] : (signal.GetNFP() + static_cast<double>(i)) * signal.GetDel();
        std::ostringstream text;
        text << prefix << "Signal has a sample that is not a finite number (" << y[i] << ") at ";
        if (kx::IsSeconds(signal.GetXUnits()))
            text << time * 1000.0 << " ms";
        else
            text << "X = " << time;
        AddMessage(text.str());
        return false;
    }
    return true;
}
