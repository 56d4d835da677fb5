#pragma once
// Common base of the injury criteria: dummy codes, time window, value, critical
// value and the list of warnings and errors of the runs.

#include <string>
#include <utility>
#include <vector>

namespace kx {
class CNSignal;
}

class KxInjuryCriteria {
public:
    KxInjuryCriteria();
    KxInjuryCriteria(const KxInjuryCriteria &) = default;
    KxInjuryCriteria &operator=(const KxInjuryCriteria &) = default;
    virtual ~KxInjuryCriteria();

    // Chooses the critical value from the dummy type and size codes; the base has none.
    virtual bool SetCriticalValues();
    // Stores both texts, then chooses the critical values.
    virtual bool SetDummy(const std::string &type, const std::string &size);

    // Window, value, critical value, dummy texts and messages back to their initial
    // state; the out-of-position flag stays.
    void Reset();

    void SetDummyType(std::string type) { m_dummyType = std::move(type); }
    void SetDummySize(std::string size) { m_dummySize = std::move(size); }
    const std::string &GetDummyType() const { return m_dummyType; }
    const std::string &GetDummySize() const { return m_dummySize; }

    double GetValue() const { return m_value; }
    double GetCriticalValue() const { return m_criticalValue; }

    bool IsOutOfPosition() const { return m_outOfPosition; }
    // A header title holding "OOP " (with the blank) marks an out-of-position occupant.
    static bool TitleMarksOutOfPosition(const std::string &title) { return title.find("OOP ") != std::string::npos; }
    void SetOutOfPosition(bool outOfPosition) { m_outOfPosition = outOfPosition; }

    // Evaluation window in the signal's X units; an unset end is the signal's own.
    void SetStartTime(double start);
    void SetStopTime(double stop);
    void ClearTimeWindow();
    bool IsStartSet() const { return m_startSet; }
    bool IsStopSet() const { return m_stopSet; }
    double GetStartTime() const { return m_startTime; }
    double GetStopTime() const { return m_stopTime; }
    // Copies start, stop and their flags (not the out-of-position flag).
    void CopyTimeWindowTo(KxInjuryCriteria &target) const;
    // Cuts the signal to the window; truncation errors propagate.
    void ApplyTimeWindow(kx::CNSignal &signal) const;

    const std::vector<std::string> &GetMessages() const { return m_messages; }
    void AddMessage(const std::string &message) { m_messages.push_back(message); }
    // Appends the messages to target and empties this list.
    void MoveMessagesTo(std::vector<std::string> &target);

    // True when every sample of the signal is finite; otherwise adds prefix + a text
    // naming the time of the first sample that is not, and returns false.
    bool CheckFiniteSamples(const kx::CNSignal &signal, const std::string &prefix);

protected:
    // First two characters of the dummy type and size texts.
    std::string TypeCode() const { return m_dummyType.substr(0, 2); }
    std::string SizeCode() const { return m_dummySize.substr(0, 2); }

    std::vector<std::string> m_messages;
    bool m_outOfPosition = false;
    bool m_startSet = false;
    bool m_stopSet = false;
    double m_startTime = 0.0;
    double m_stopTime = 0.0;
    double m_value = 0.0;
    double m_criticalValue = 1.0;
    std::string m_dummyType;
    std::string m_dummySize;
};
