#include "shared_ui/controls/CNEdit.h"

#include "shared_ui/controls/NEditChecks.h"

#include <QFocusEvent>
#include <QPalette>
#include <QTimer>

namespace kxres {

CNEdit::CNEdit(QWidget *parent)
    : QLineEdit(parent)
{
    ApplyPalette();
    connect(this, &QLineEdit::textChanged, this, &CNEdit::OnChange);
}

void CNEdit::SetIntRange(int min, int max, bool allowEmpty)
{
    m_type = Type::Int;
    SetIntLimits(min, max);
    m_allowEmpty = allowEmpty;
}

void CNEdit::SetDoubleRange(double min, double max, bool allowEmpty)
{
    m_type = Type::Double;
    SetDoubleLimits(min, max);
    m_allowEmpty = allowEmpty;
}

void CNEdit::SetLongRange(long long min, long long max, bool allowEmpty)
{
    m_type = Type::Long;
    m_longMin = min;
    m_longMax = max;
    m_allowEmpty = allowEmpty;
}

void CNEdit::SetTextRange(int minLength, int maxLength, bool allowEmpty)
{
    m_type = Type::Text;
    m_textMin = minLength;
    m_textMax = maxLength;
    m_allowEmpty = allowEmpty;
}

void CNEdit::SetDateType(int style)
{
    m_type = Type::Date;
    m_textMin = style;
}

void CNEdit::SetIntLimits(int min, int max)
{
    m_intMin = min;
    m_intMax = max;
}

void CNEdit::SetDoubleLimits(double min, double max)
{
    m_doubleMin = min;
    m_doubleMax = max;
}

bool CNEdit::SetAllowEmpty(bool allow)
{
    m_allowEmpty = allow;
    return m_allowEmpty;
}

void CNEdit::ApplyPalette()
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Text, m_textColour);
    palette.setColor(QPalette::Base, m_background);
    setPalette(palette);
}

void CNEdit::SetColours(const QColor &text, const QColor &background)
{
    if (text == m_textColour && background == m_background)
        return;
    m_textColour = text;
    m_background = background;
    ApplyPalette();
    ++m_redraws;
    update();
}

bool CNEdit::Verdict(bool valid, const QColor &text, const QColor &invalid, const QColor &validBackground)
{
    m_textColour = text;
    m_background = valid ? validBackground : invalid;
    return valid;
}

bool CNEdit::CheckInt(const QColor &text, const QColor &invalid, const QColor &valid)
{
    if (m_type != Type::Int)
        return true;
    return Verdict(CheckIntText(m_value, m_intMin, m_intMax, m_allowEmpty), text, invalid, valid);
}

bool CNEdit::CheckLong(const QColor &text, const QColor &invalid, const QColor &valid)
{
    if (m_type != Type::Long)
        return true;
    return Verdict(CheckLongText(m_value, m_longMin, m_longMax, m_allowEmpty), text, invalid, valid);
}

bool CNEdit::CheckDouble(const QColor &text, const QColor &invalid, const QColor &valid)
{
    if (m_type != Type::Double)
        return true;
    return Verdict(CheckDoubleText(m_value, m_doubleMin, m_doubleMax, m_allowEmpty), text, invalid, valid);
}

bool CNEdit::CheckText(const QColor &text, const QColor &invalid, const QColor &valid)
{
    if (m_type != Type::Text)
        return true;
    return Verdict(CheckTextLength(m_value, m_textMin, m_textMax, m_allowEmpty), text, invalid, valid);
}

bool CNEdit::CheckDate(const QColor &text, const QColor &invalid, const QColor &valid)
{
    if (m_type != Type::Date)
        return true;
    const auto date = CheckDateText(m_value, m_textMin);
    if (date)
        m_value = *date;
    return Verdict(date.has_value(), text, invalid, valid);
}

void CNEdit::OnChange(const QString &text)
{
    const QColor oldText = m_textColour;
    const QColor oldBackground = m_background;
    const QString oldValue = m_value;
    m_textColour = Qt::black;
    m_value = text.trimmed();
    switch (m_type) {
    case Type::Double:
        m_valid = CheckDouble(Qt::black, InvalidBackground(), ValidBackground());
        break;
    case Type::Long:
        m_valid = CheckLong(Qt::black, InvalidBackground(), ValidBackground());
        break;
    case Type::Int:
        m_valid = CheckInt(Qt::black, InvalidBackground(), ValidBackground());
        break;
    case Type::Text:
        m_valid = CheckText(Qt::black, InvalidBackground(), ValidBackground());
        break;
    case Type::Date:
        m_valid = CheckDate(Qt::black, InvalidBackground(), ValidBackground());
        m_value = m_value.toUpper();
        break;
    case Type::None:
        break;
    }
    if (m_textColour != oldText || m_background != oldBackground || m_value != oldValue) {
        ApplyPalette();
        ++m_redraws;
        update();
    }
}

void CNEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (m_skipOnFocus) {
        // Moved on once the focus change that brought it here is complete.
        QTimer::singleShot(0, this, [this] {
            if (hasFocus())
                focusNextChild();
        });
        return;
    }
    selectAll();
}

} // namespace kxres
