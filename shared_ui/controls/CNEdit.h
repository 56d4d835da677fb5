#pragma once

// A line edit that checks its text on every change against a type and a range and shows
// the verdict by its background: white while the text is acceptable, yellow while not.
// It keeps the trimmed text as its value; invalid text is never refused.

#include <QColor>
#include <QLineEdit>
#include <QString>

namespace kxres {

class CNEdit : public QLineEdit {
    Q_OBJECT
public:
    enum class Type { None, Double, Long, Int, Text, Date };

    explicit CNEdit(QWidget *parent = nullptr);

    void SetIntRange(int min, int max, bool allowEmpty);
    void SetDoubleRange(double min, double max, bool allowEmpty);
    void SetLongRange(long long min, long long max, bool allowEmpty);
    // Text lengths; for the date type use SetDateType with its style instead.
    void SetTextRange(int minLength, int maxLength, bool allowEmpty);
    // Style 6 writes dates MMDDYY, 8 MMDDYYYY, any other value "Mon DD, YYYY".
    void SetDateType(int style);
    void SetIntType() { m_type = Type::Int; }
    void SetDoubleType() { m_type = Type::Double; }
    void SetIntLimits(int min, int max);
    void SetDoubleLimits(double min, double max);
    bool SetAllowEmpty(bool allow);
    void SetSkipOnFocus(bool skip) { m_skipOnFocus = skip; }

    Type GetType() const { return m_type; }
    QString GetValue() const { return m_value; }
    bool IsValid() const { return m_valid; }
    QColor GetTextColour() const { return m_textColour; }
    QColor GetBackgroundColour() const { return m_background; }
    // How often the control was redrawn for a change of value or colour.
    int GetRedrawCount() const { return m_redraws; }

    void SetColours(const QColor &text, const QColor &background);

    // Each runs its check on the stored value, sets the colours and returns the verdict;
    // a check of another type than the control's passes.
    bool CheckInt(const QColor &text, const QColor &invalid, const QColor &valid);
    bool CheckLong(const QColor &text, const QColor &invalid, const QColor &valid);
    bool CheckDouble(const QColor &text, const QColor &invalid, const QColor &valid);
    bool CheckText(const QColor &text, const QColor &invalid, const QColor &valid);
    bool CheckDate(const QColor &text, const QColor &invalid, const QColor &valid);

    static QColor InvalidBackground() { return QColor(255, 255, 0); }
    static QColor ValidBackground() { return QColor(255, 255, 255); }

protected:
    void focusInEvent(QFocusEvent *event) override;

private:
    void OnChange(const QString &text);
    bool Verdict(bool ok, const QColor &text, const QColor &invalid, const QColor &valid);
    void ApplyPalette();

    bool m_skipOnFocus = false;
    Type m_type = Type::None;
    bool m_allowEmpty = false;
    bool m_valid = true;
    int m_intMax = 0;
    int m_intMin = 0;
    long long m_longMax = 0;
    long long m_longMin = 0;
    double m_doubleMax = 0.0;
    double m_doubleMin = 0.0;
    int m_textMax = 0;
    int m_textMin = 0; // the date style for the date type
    QString m_value;
    QColor m_textColour = Qt::black;
    QColor m_background = Qt::white;
    int m_redraws = 0;
};

} // namespace kxres
