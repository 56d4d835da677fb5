#pragma once

// The one strict, locale-free parser for numbers the user types. Blanks around the
// number are allowed; anything else beside it, "nan", "inf", hexadecimal and values
// outside the type's range are refused, and the reason is given.

#include <QString>

#include <optional>
#include <string>
#include <string_view>

namespace kxres {

std::optional<double> ParseDouble(std::string_view text, std::string *why = nullptr);
std::optional<int> ParseInt(std::string_view text, std::string *why = nullptr);
std::optional<long long> ParseLong(std::string_view text, std::string *why = nullptr);

std::optional<double> ParseDouble(const QString &text, QString *why = nullptr);
std::optional<int> ParseInt(const QString &text, QString *why = nullptr);
std::optional<long long> ParseLong(const QString &text, QString *why = nullptr);

} // namespace kxres
