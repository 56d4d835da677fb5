#include "shared_ui/dialogs/CProgressWnd.h"

#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace kxres {

CProgressWnd::CProgressWnd(QWidget *parent, const QString &title)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
    , m_title(title)
{
    setObjectName(QStringLiteral("progressWnd"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFont(QApplication::font("QMessageBox"));
    m_text = new QLabel(this);
    m_bar = new QProgressBar(this);
    m_bar->setTextVisible(false);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setProperty("controlId", CancelButtonId);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(m_bar);
    layout->addWidget(m_cancel, 0, Qt::AlignHCenter);
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_cancelled = true; });
    setFixedSize(390, 130);
    SetRange(0, 100);
    UpdateCaption(true);

    // Centred on the parent's window, else on the screen.
    const QWidget *over = parent ? parent->window() : nullptr;
    const QRect area = over ? over->frameGeometry()
                            : (QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                                : QRect(0, 0, 390, 130));
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void CProgressWnd::SetTitle(const QString &title)
{
    m_title = title;
    UpdateCaption(true);
}

void CProgressWnd::SetText(const QString &text)
{
    m_text->setText(text);
}

QString CProgressWnd::Text() const
{
    return m_text->text();
}

void CProgressWnd::SetRange(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper;
    m_bar->setRange(lower, std::max(lower, upper));
    SetPos(m_pos);
}

void CProgressWnd::SetPos(int pos)
{
    m_pos = pos;
    m_bar->setValue(std::clamp(pos, m_bar->minimum(), m_bar->maximum()));
    UpdateCaption(false);
}

void CProgressWnd::UpdateCaption(bool force)
{
    const int span = m_upper - m_lower;
    const int percent = span != 0 ? int(qint64(m_pos) * 100 / span) : 0;
    if (!force && percent == m_percent)
        return;
    m_percent = percent;
    setWindowTitle(QStringLiteral("%1 [%2%]").arg(m_title).arg(percent));
}

void CProgressWnd::PeekAndPump(int count)
{
    for (int i = 0; i < count; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace kxres
