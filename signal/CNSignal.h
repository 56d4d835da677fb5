#pragma once
// A signal with a list of messages in which operations leave warnings for the user.

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "signal/CData.h"

namespace kx {

class CNSignal : public CData {
public:
    CNSignal();
    CNSignal(const CNSignal &other);
    explicit CNSignal(const std::shared_ptr<CNSignal> &other);
    CNSignal &operator=(const CNSignal &other);
    // Copy of the pointee, message list included.
    void Assign(const std::shared_ptr<CNSignal> &other);
    ~CNSignal() override;

    const std::vector<std::string> &GetMessages() const { return m_messages; }
    void AddMessage(const std::string &message) { m_messages.push_back(message); }
    void ClearMessages() { m_messages.clear(); }
    // Appends the messages to target and empties this list.
    void MoveMessagesTo(std::vector<std::string> &target);

    // Signal operations (defined in their own source files).
    // Combining signals (CNSignal_Combine.cpp). This signal becomes the result; it may
    // itself be one of the inputs. A refused call leaves it as it was.
    void Sum(const std::vector<std::shared_ptr<CNSignal>> &inputs);
    void Average(const std::vector<std::shared_ptr<CNSignal>> &inputs);
    bool Resultant(const CNSignal &a, const CNSignal &b, const CNSignal &c);
    bool Resultant2(const CNSignal &a, const CNSignal &b);
    // @ops-combine
    // SAE J211 channel filter (CNSignal_J211.cpp). Warnings go to the message list;
    // a refused call changes nothing.
    // Filters to channel class 60, 180, 600 or 1000 unless already at that class or lower.
    bool Filter(FilterClass channelClass);
    // Filters at the 3-dB frequency f3dB (Hz) and records it in the header.
    bool FilterJ211(double f3dB);
    // The two-pass filter on y in place.
    bool ButterworthJ211(std::vector<double> &y, double dt, double f3dB);
    // @ops-j211

protected:
    std::vector<std::string> m_messages;

private:
    // This signal becomes the first component with Y the magnitude of all of them.
    bool ResultantOf(std::initializer_list<const CNSignal *> components);
    // This signal becomes source (messages included) with y as its Y.
    void AssignFrom(const CNSignal &source, std::vector<double> &&y);
    // Throws, naming both, unless a and b have the same first point and time step.
    static void CheckSameTimes(const CNSignal &a, const CNSignal &b);
};

using CNSignalPtr = std::shared_ptr<CNSignal>;

} // namespace kx
