#pragma once
// The text of the std::logic_error a call throws, for comparing refusals.

#include <functional>
#include <stdexcept>
#include <string>

namespace kx::test {

inline std::string MessageOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const std::logic_error &e) {
        return e.what();
    }
    return "(no exception)";
}

} // namespace kx::test
