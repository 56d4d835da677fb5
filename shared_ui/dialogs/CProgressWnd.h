#pragma once

// A small progress window with a Cancel button. The caller steps it and polls
// IsCancelled() after pumping messages; Cancel only raises the flag.

#include <QString>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace kxres {

class CProgressWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int CancelButtonId = 10;

    explicit CProgressWnd(QWidget *parent = nullptr, const QString &title = QStringLiteral("Progress"));

    void SetTitle(const QString &title);
    void SetText(const QString &text);
    void SetRange(int lower, int upper);
    void SetStep(int step) { m_step = step; }
    void SetPos(int pos);
    void OffsetPos(int offset) { SetPos(m_pos + offset); }
    void StepIt() { SetPos(m_pos + m_step); }
    int GetPos() const { return m_pos; }
    // Processes up to count pending events.
    void PeekAndPump(int count = 12);
    bool IsCancelled() const { return m_cancelled; }
    void Cancel() { m_cancelled = true; }

    QPushButton *CancelButton() const { return m_cancel; }
    QString Title() const { return m_title; }
    QString Text() const;
    int Percent() const { return m_percent; }

private:
    void UpdateCaption(bool force);

    QString m_title;
    QLabel *m_text = nullptr;
    QProgressBar *m_bar = nullptr;
    QPushButton *m_cancel = nullptr;
    int m_lower = 0;
    int m_upper = 100;
    int m_step = 10;
    int m_pos = 0;
    int m_percent = -1;
    bool m_cancelled = false;
};

} // namespace kxres
