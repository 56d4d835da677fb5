#include "shared_ui/services/CStaticLink.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QMouseEvent>
#include <QUrl>

CStaticLink::CStaticLink(const QString &text, QWidget *parent, const QString &target)
    : QLabel(text, parent)
    , m_target(target)
    , m_opener(&CStaticLink::OpenWithDesktop)
{
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
    ApplyColor();
}

void CStaticLink::SetOpener(Opener opener)
{
    m_opener = opener ? std::move(opener) : Opener(&CStaticLink::OpenWithDesktop);
}

bool CStaticLink::OpenWithDesktop(const QString &target, QString *message)
{
    const QUrl url = QUrl::fromUserInput(target.trimmed());
    if (url.isValid() && QDesktopServices::openUrl(url))
        return true;
    if (message)
        *message = QStringLiteral("Unable to open \"%1\": no program on this desktop accepted it.").arg(target);
    return false;
}

bool CStaticLink::Open()
{
    const QString target = Target();
    QString message;
    if (m_opener(target, &message)) {
        m_color = VisitedColor();
        ApplyColor();
        update();
        emit opened(target);
        return true;
    }
    if (message.isEmpty())
        message = QStringLiteral("Unable to open \"%1\".").arg(target);
    QMessageBox::information(this, QApplication::applicationDisplayName(), message);
    QApplication::beep();
    return false;
}

void CStaticLink::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        event->accept();
        Open();
        return;
    }
    QLabel::mousePressEvent(event);
}

void CStaticLink::ApplyColor()
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, m_color);
    setPalette(p);
}
