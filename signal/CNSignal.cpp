#include "signal/CNSignal.h"

#include <iterator>
#include <stdexcept>

namespace kx {

CNSignal::CNSignal() = default;

CNSignal::CNSignal(const CNSignal &other) = default;

CNSignal::CNSignal(const std::shared_ptr<CNSignal> &other)
    : CNSignal(other ? *other : throw std::logic_error("No Information."))
{}

CNSignal &CNSignal::operator=(const CNSignal &other)
{
    if (this != &other) {
        CData::operator=(other);
        m_messages = other.m_messages;
    }
    return *this;
}

void CNSignal::Assign(const std::shared_ptr<CNSignal> &other)
{
    if (!other)
        throw std::logic_error("No Information.");
    *this = *other;
}

CNSignal::~CNSignal() = default;

void CNSignal::MoveMessagesTo(std::vector<std::string> &target)
{
    if (&target == &m_messages)
        return;
    target.insert(target.end(), std::make_move_iterator(m_messages.begin()), std::make_move_iterator(m_messages.end()));
    m_messages.clear();
}

} // namespace kx
