#pragma once

// The checks of the validating edit as plain functions of the text, so that they are
// tested without a widget. Every number goes through the shared strict parser.

#include <QString>

#include <optional>

namespace kxres {

// An integer text: the first character a digit or "-", every further one a digit.
bool IsIntegerText(const QString &text);
// A number text: digits with at most one point, led by a digit, point or "-"; an
// exponent is "E" or "e", a sign and digits (none is enough). "" and "." are not numbers.
bool IsNumberText(const QString &text);

// The value of an integer or number text as the checks read it: a lone "-", "-." or an
// exponent without digits count as far as they go ("-" is 0, "1e+" is 1, ".e+5" is 0). Empty when the
// text is no number or its value is out of the type's range.
std::optional<long long> IntegerTextValue(const QString &text, long long min, long long max);
std::optional<double> NumberTextValue(const QString &text);

bool CheckIntText(const QString &text, int min, int max, bool allowEmpty);
bool CheckLongText(const QString &text, long long min, long long max, bool allowEmpty);
bool CheckDoubleText(const QString &text, double min, double max, bool allowEmpty);
bool CheckTextLength(const QString &text, int minLength, int maxLength, bool allowEmpty);

// A date check: empty text is valid and unchanged; a date is rewritten in the style
// (6 "MMDDYY", 8 "MMDDYYYY", anything else "Mon DD, YYYY"); nothing when it is no date.
std::optional<QString> CheckDateText(const QString &text, int style);

} // namespace kxres
