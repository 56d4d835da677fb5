#include "shared_ui/kit/NumberParser.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace kxres {

namespace {

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

void Say(std::string *why, const char *text)
{
    if (why)
        *why = text;
}

// from_chars takes no leading "+"; a number written with one is still a number.
std::string_view WithoutPlus(std::string_view text)
{
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+')
        text.remove_prefix(1);
    return text;
}

template <typename T>
std::optional<T> ParseWhole(std::string_view text, std::string *why)
{
    text = Trimmed(text);
    if (text.empty()) {
        Say(why, "no number was entered");
        return std::nullopt;
    }
    text = WithoutPlus(text);
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) {
        Say(why, "the number is out of range");
        return std::nullopt;
    }
    if (ec != std::errc() || end != text.data() + text.size()) {
        Say(why, "not a whole number");
        return std::nullopt;
    }
    return value;
}

template <typename T>
std::optional<T> FromQString(const QString &text, QString *why,
                             std::optional<T> (*parse)(std::string_view, std::string *))
{
    const QByteArray bytes = text.toUtf8();
    std::string reason;
    const auto value = parse(std::string_view(bytes.constData(), std::size_t(bytes.size())), &reason);
    if (!value && why)
        *why = QString::fromStdString(reason);
    return value;
}

} // namespace

std::optional<double> ParseDouble(std::string_view text, std::string *why)
{
    text = Trimmed(text);
    if (text.empty()) {
        Say(why, "no number was entered");
        return std::nullopt;
    }
    text = WithoutPlus(text);
    // Only digits, one sign, a point and an exponent: no "nan", "inf" or hexadecimal.
    for (const char c : text) {
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E')) {
            Say(why, "not a number");
            return std::nullopt;
        }
    }
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        Say(why, "the number is out of range");
        return std::nullopt;
    }
    if (ec != std::errc() || end != text.data() + text.size()) {
        Say(why, "not a number");
        return std::nullopt;
    }
    if (!std::isfinite(value)) {
        Say(why, "the number is out of range");
        return std::nullopt;
    }
    return value;
}

std::optional<int> ParseInt(std::string_view text, std::string *why)
{
    return ParseWhole<int>(text, why);
}

std::optional<long long> ParseLong(std::string_view text, std::string *why)
{
    return ParseWhole<long long>(text, why);
}

std::optional<double> ParseDouble(const QString &text, QString *why)
{
    return FromQString<double>(text, why, &ParseDouble);
}

std::optional<int> ParseInt(const QString &text, QString *why)
{
    return FromQString<int>(text, why, &ParseInt);
}

std::optional<long long> ParseLong(const QString &text, QString *why)
{
    return FromQString<long long>(text, why, &ParseLong);
}

} // namespace kxres
