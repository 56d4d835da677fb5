#pragma once

// A label that opens its link through the desktop when clicked: blue and
// underlined, purple once opened.

#include <QColor>
#include <QLabel>

#include <functional>

class CStaticLink : public QLabel {
    Q_OBJECT
public:
    // Opens a target; on failure fills the message and returns false.
    using Opener = std::function<bool(const QString &target, QString *message)>;

    explicit CStaticLink(const QString &text = {}, QWidget *parent = nullptr, const QString &target = {});

    // Empty target: the label's own text is opened.
    void SetTarget(const QString &target) { m_target = target; }
    QString Target() const { return m_target.isEmpty() ? text() : m_target; }

    QColor CurrentColor() const { return m_color; }
    static QColor UnvisitedColor() { return QColor(0, 0, 255); }
    static QColor VisitedColor() { return QColor(128, 0, 128); }

    void SetOpener(Opener opener);
    static bool OpenWithDesktop(const QString &target, QString *message);

    // What a click does: opens the target; on failure shows the message and beeps.
    bool Open();

signals:
    void opened(const QString &target);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    void ApplyColor();

    QString m_target;
    QColor m_color = UnvisitedColor();
    Opener m_opener;
};
