#include "shared_ui/controls/NEditChecks.h"

#include "shared_ui/kit/NumberParser.h"

#include <QDate>
#include <QLocale>
#include <QStringList>

#include <limits>

namespace kxres {

namespace {

bool IsDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

bool IsIntegerText(const QString &text)
{
    if (text.isEmpty() || !(IsDigit(text[0]) || text[0] == QLatin1Char('-')))
        return false;
    for (qsizetype i = 1; i < text.size(); ++i)
        if (!IsDigit(text[i]))
            return false;
    return true;
}

bool IsNumberText(const QString &text)
{
    if (text.isEmpty() || text == QLatin1String("."))
        return false;
    const QChar first = text[0];
    if (!(IsDigit(first) || first == QLatin1Char('.') || first == QLatin1Char('-')))
        return false;
    int points = first == QLatin1Char('.') ? 1 : 0;
    qsizetype i = 1;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (IsDigit(c))
            continue;
        if (c == QLatin1Char('.') && ++points == 1)
            continue;
        break;
    }
    if (i == text.size())
        return true;
    if (!(text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E')))
        return false;
    if (++i == text.size() || !(text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        return false;
    for (++i; i < text.size(); ++i)
        if (!IsDigit(text[i]))
            return false;
    return true;
}

std::optional<long long> IntegerTextValue(const QString &text, long long min, long long max)
{
    if (!IsIntegerText(text))
        return std::nullopt;
    if (text == QLatin1String("-"))
        return 0;
    const auto value = ParseLong(text);
    if (!value || *value < min || *value > max)
        return std::nullopt;
    return value;
}

std::optional<double> NumberTextValue(const QString &text)
{
    if (!IsNumberText(text))
        return std::nullopt;
    QString digits = text;
    // An exponent without digits adds nothing.
    const qsizetype e = digits.indexOf(QLatin1Char('e'), 0, Qt::CaseInsensitive);
    if (e >= 0 && e + 2 == digits.size())
        digits.truncate(e);
    // No digit before the exponent ("-", "-.", ".e+5"): nothing is read, the value is 0.
    const qsizetype mantissaEnd = e >= 0 ? e : digits.size();
    bool anyDigit = false;
    for (qsizetype i = 0; i < mantissaEnd; ++i)
        anyDigit = anyDigit || IsDigit(digits[i]);
    if (!anyDigit)
        return 0.0;
    return ParseDouble(digits);
}

bool CheckIntText(const QString &text, int min, int max, bool allowEmpty)
{
    if (text.isEmpty() && allowEmpty)
        return true;
    const auto value = IntegerTextValue(text, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    return value && min <= *value && *value <= max;
}

bool CheckLongText(const QString &text, long long min, long long max, bool allowEmpty)
{
    if (text.isEmpty() && allowEmpty)
        return true;
    const auto value =
        IntegerTextValue(text, std::numeric_limits<long long>::min(), std::numeric_limits<long long>::max());
    return value && min <= *value && *value <= max;
}

bool CheckDoubleText(const QString &text, double min, double max, bool allowEmpty)
{
    if (text.isEmpty() && allowEmpty)
        return true;
    const auto value = NumberTextValue(text);
    return value && min <= *value && *value <= max;
}

bool CheckTextLength(const QString &text, int minLength, int maxLength, bool allowEmpty)
{
    const auto length = text.size();
    if (!text.isEmpty() && (length < minLength || length > maxLength))
        return false;
    return !text.isEmpty() || allowEmpty;
}

namespace {

// Two-digit years 00-29 are this century's, 30-99 the last one's.
QDate WithCentury(QDate date, bool twoDigitYear)
{
    if (date.isValid() && twoDigitYear && date.year() < 1930)
        return date.addYears(100);
    return date;
}

QDate ParseDate(const QString &text)
{
    const QLocale c = QLocale::c();
    static const char *const fourDigit[] = {"M/d/yyyy",     "M-d-yyyy",    "yyyy-M-d",   "MMM d, yyyy", "MMM d yyyy",
                                            "MMMM d, yyyy", "MMMM d yyyy", "d MMM yyyy", "d MMMM yyyy"};
    static const char *const twoDigit[] = {"M/d/yy", "M-d-yy"};
    for (const char *format : fourDigit) {
        const QDate date = c.toDate(text, QString::fromLatin1(format));
        if (date.isValid())
            return date;
    }
    for (const char *format : twoDigit) {
        const QDate date = WithCentury(c.toDate(text, QString::fromLatin1(format)), true);
        if (date.isValid())
            return date;
    }
    return {};
}

} // namespace

std::optional<QString> CheckDateText(const QString &text, int style)
{
    if (text.isEmpty())
        return text;
    QDate date = ParseDate(text);
    if (!date.isValid() && text.size() == 6)
        date = ParseDate(text.mid(0, 2) + '-' + text.mid(2, 2) + '-' + text.mid(4, 2));
    else if (!date.isValid() && text.size() == 8)
        date = ParseDate(text.mid(0, 2) + '-' + text.mid(2, 2) + '-' + text.mid(4, 4));
    if (!date.isValid())
        return std::nullopt;
    const QLocale c = QLocale::c();
    if (style == 6)
        return c.toString(date, QStringLiteral("MMddyy"));
    if (style == 8)
        return c.toString(date, QStringLiteral("MMddyyyy"));
    return c.toString(date, QStringLiteral("MMM dd, yyyy"));
}

} // namespace kxres
