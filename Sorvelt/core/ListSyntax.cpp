#include "Sorvelt/core/ListSyntax.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace sorvelt {

namespace {

constexpr std::uint64_t kHuge = std::numeric_limits<std::uint64_t>::max() / 16;

bool IsSeparator(char c)
{
    return c == ',' || c == ' ' || c == '\t';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads the digits of [p, end) into value, stopping at a huge value instead of
// overflowing. False when there are no digits.
bool ReadNumber(const char *&p, const char *end, std::uint64_t &value)
{
    const char *start = p;
    value = 0;
    while (p != end && IsDigit(*p)) {
        if (value < kHuge)
            value = value * 10 + static_cast<std::uint64_t>(*p - '0');
        ++p;
    }
    return p != start;
}

} // namespace

std::size_t IndexList::Count() const
{
    return static_cast<std::size_t>(std::count(selected.begin(), selected.end(), true));
}

IndexList ParseIndexList(std::string_view text, std::size_t count)
{
    IndexList result;
    result.selected.assign(count, false);
    const char *p = text.data();
    const char *end = p + text.size();
    while (p != end) {
        if (IsSeparator(*p)) {
            ++p;
            continue;
        }
        const char *tokenStart = p;
        while (p != end && !IsSeparator(*p))
            ++p;
        const std::string_view token(tokenStart, static_cast<std::size_t>(p - tokenStart));

        const char *q = token.data();
        const char *tokenEnd = q + token.size();
        std::uint64_t first = 0;
        std::uint64_t last = 0;
        bool valid = ReadNumber(q, tokenEnd, first);
        last = first;
        if (valid && q != tokenEnd) {
            valid = *q == '-';
            ++q;
            valid = valid && ReadNumber(q, tokenEnd, last) && q == tokenEnd;
        }
        if (!valid) {
            result.ok = false;
            result.error = "\"" + std::string(token) + "\" is neither a number nor a range of numbers";
            result.selected.assign(count, false);
            return result;
        }
        if (first > last)
            std::swap(first, last);
        // The range's share of 1 .. count.
        first = std::max<std::uint64_t>(first, 1);
        last = std::min<std::uint64_t>(last, count);
        for (std::uint64_t n = first; n <= last; ++n)
            result.selected[static_cast<std::size_t>(n - 1)] = true;
    }
    return result;
}

} // namespace sorvelt
