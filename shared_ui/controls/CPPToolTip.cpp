#include "shared_ui/controls/CPPToolTip.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <QScreen>

#include <algorithm>

namespace kxres {

namespace {

KxColorRef RefFromColour(const QColor &c)
{
    return KxColorRef(c.red()) | (KxColorRef(c.green()) << 8) | (KxColorRef(c.blue()) << 16);
}

constexpr std::array<int, kSizeCount> kBalloonSizes{16, 16, 12, 12, 4, 4, 12, 16, 16, 1, 1};
constexpr std::array<int, kSizeCount> kPlainSizes{0, 0, 3, 1, 0, 0, 0, 0, 0, 1, 1};

QColor ShadowColour(KxColorRef colour)
{
    QColor c = ColourFromRef(colour);
    c.setAlpha(110);
    return c;
}

} // namespace

CPPToolTip::CPPToolTip(QWidget *parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_NoSystemBackground);

    const KxColorRef basic[16] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
                                  0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xC0C0C0, 0xFFFFFF};
    std::copy(std::begin(basic), std::end(basic), m_colours.begin());
    const QPalette palette = QApplication::palette();
    m_colours[16] = 0;
    m_colours[kColourText] = RefFromColour(palette.color(QPalette::ToolTipText));
    m_colours[kColourBackground] = m_colours[kColourMiddle] = m_colours[kColourEnd] =
        RefFromColour(palette.color(QPalette::ToolTipBase));
    m_colours[21] = 0xEE0000;
    m_colours[22] = 0x8B1A55;
    m_colours[23] = 0x0000FF;
    m_colours[kColourShadow] = RefFromColour(palette.color(QPalette::Dark));
    m_colours[kColourBorder] = RefFromColour(palette.color(QPalette::ToolTipText));
    m_sizes = kBalloonSizes;
    m_markup.SetBaseFont(QApplication::font());
    m_noise = DefaultNoise();

    m_showTimer.setSingleShot(true);
    m_hideTimer.setSingleShot(true);
    connect(&m_showTimer, &QTimer::timeout, this, &CPPToolTip::OnShowTimer);
    connect(&m_hideTimer, &QTimer::timeout, this, &CPPToolTip::OnHideTimer);
}

CPPToolTip::~CPPToolTip()
{
    m_showTimer.stop();
    m_hideTimer.stop();
    if (qApp)
        qApp->removeEventFilter(this);
}

bool CPPToolTip::Create(QWidget *parent, bool balloon)
{
    if (!parent)
        return false;
    if (parentWidget() != parent)
        setParent(parent, windowFlags());
    m_parent = parent;
    parent->setMouseTracking(true);
    qApp->removeEventFilter(this);
    qApp->installEventFilter(this);
    SetDefaultSizes(balloon);
    return true;
}

void CPPToolTip::AddTool(QWidget *window, const QString &text, const QRect &rect, int id)
{
    if (!window)
        return;
    // Moves reach a widget only when it tracks the mouse.
    window->setMouseTracking(true);
    for (QWidget *child : window->findChildren<QWidget *>())
        child->setMouseTracking(true);
    PPToolInfo tool;
    tool.window = window;
    tool.text = text;
    tool.rect = rect.isEmpty() ? QRect() : rect;
    tool.id = id;
    for (PPToolInfo &existing : m_tools) {
        if (existing.window == window && existing.rect == tool.rect) {
            existing = tool;
            return;
        }
    }
    m_tools.push_back(tool);
}

PPToolInfo CPPToolTip::GetTool(int index) const
{
    return ValidTool(index) ? m_tools[std::size_t(index)] : PPToolInfo();
}

int CPPToolTip::FindTool(QPoint globalPos) const
{
    if (!m_parent)
        return -1;
    const QPoint inParent = m_parent->mapFromGlobal(globalPos);
    if (!m_parent->rect().contains(inParent))
        return -1;
    QWidget *widget = m_parent->childAt(inParent);
    if (!widget)
        widget = m_parent;
    for (; widget; widget = widget->parentWidget()) {
        const QPoint local = widget->mapFromGlobal(globalPos);
        for (std::size_t i = 0; i < m_tools.size(); ++i) {
            const PPToolInfo &tool = m_tools[i];
            if (tool.window != widget)
                continue;
            const QRect area = tool.rect.isEmpty() ? widget->rect() : tool.rect;
            if (area.contains(local))
                return int(i);
        }
    }
    return -1;
}

void CPPToolTip::SetStyles(unsigned set, unsigned cleared, int tool)
{
    if (tool == -1) {
        m_styles = (m_styles & ~cleared) | set;
    } else if (ValidTool(tool)) {
        PPToolInfo &t = m_tools[std::size_t(tool)];
        const unsigned base = (t.mask & kMaskStyles) ? t.styles : m_styles;
        t.styles = (base & ~cleared) | set;
        t.mask |= kMaskStyles;
    }
}

void CPPToolTip::SetDirection(int direction, int tool)
{
    if (direction < 0 || direction >= kDirectionCount)
        return;
    if (tool == -1) {
        m_direction = direction;
    } else if (ValidTool(tool)) {
        m_tools[std::size_t(tool)].direction = direction;
        m_tools[std::size_t(tool)].mask |= kMaskDirection;
    }
}

void CPPToolTip::SetEffect(int effect, int granularity, int tool)
{
    granularity = std::clamp(granularity, 0, 255);
    if (tool == -1) {
        m_effect = effect;
        m_granularity = granularity;
    } else if (ValidTool(tool)) {
        m_tools[std::size_t(tool)].effect = effect;
        m_tools[std::size_t(tool)].granularity = granularity;
        m_tools[std::size_t(tool)].mask |= kMaskEffect;
    }
}

void CPPToolTip::SetBehaviour(unsigned bits, int tool)
{
    if (tool == -1) {
        m_behaviour = bits;
    } else if (ValidTool(tool)) {
        m_tools[std::size_t(tool)].behaviour = bits;
        m_tools[std::size_t(tool)].mask |= kMaskBehaviour;
    }
}

void CPPToolTip::SetColour(int index, KxColorRef colour)
{
    if (index >= 0 && index < kMarkupColourCount)
        m_colours[std::size_t(index)] = colour & 0xFFFFFF;
}

KxColorRef CPPToolTip::GetColour(int index) const
{
    return index >= 0 && index < kMarkupColourCount ? m_colours[std::size_t(index)] : 0;
}

void CPPToolTip::SetSize(int index, int value)
{
    if (index >= 0 && index < kSizeCount)
        m_sizes[std::size_t(index)] = std::clamp(value, 0, 1000);
}

int CPPToolTip::GetSize(int index) const
{
    return index >= 0 && index < kSizeCount ? m_sizes[std::size_t(index)] : 0;
}

void CPPToolTip::SetDefaultSizes(bool balloon)
{
    m_sizes = balloon ? kBalloonSizes : kPlainSizes;
}

void CPPToolTip::SetDelayTime(int which, int milliseconds)
{
    if (milliseconds < 0)
        return;
    if (which == kDelayAutoPop)
        m_autoPop = milliseconds;
    else if (which == kDelayInitial)
        m_initial = milliseconds;
}

int CPPToolTip::GetDelayTime(int which) const
{
    return which == kDelayAutoPop ? m_autoPop : which == kDelayInitial ? m_initial : 0;
}

PPToolInfo CPPToolTip::WithDefaults(const PPToolInfo &tool) const
{
    PPToolInfo t = tool;
    if (!(t.mask & kMaskStyles))
        t.styles = m_styles;
    if (!(t.mask & kMaskDirection))
        t.direction = m_direction;
    if (!(t.mask & kMaskEffect)) {
        t.effect = m_effect;
        t.granularity = m_granularity;
    }
    if (!(t.mask & kMaskBehaviour))
        t.behaviour = m_behaviour;
    if (!(t.mask & kMaskColours)) {
        t.colourBackground = m_colours[kColourBackground];
        t.colourMiddle = m_colours[kColourMiddle];
        t.colourEnd = m_colours[kColourEnd];
    }
    return t;
}

bool CPPToolTip::CursorOverTip(QPoint globalPos) const
{
    return isVisible() && geometry().contains(globalPos);
}

bool CPPToolTip::eventFilter(QObject *watched, QEvent *event)
{
    RelayEvent(watched, event);
    return false;
}

void CPPToolTip::RelayEvent(QObject *receiver, QEvent *event)
{
    if (!event || !m_parent)
        return;
    // The owner going away (a dialog ending) takes its tip with it.
    if (event->type() == QEvent::Hide && receiver == m_parent) {
        HideTip();
        m_pending = m_displayed = -1;
        m_lastPos = QPoint(-1000000, -1000000);
        return;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::MouseMove:
        break;
    default:
        return;
    }
    // Only the owner's window and the tip itself are watched.
    auto *widget = qobject_cast<QWidget *>(receiver);
    if (!widget || (widget != this && widget->window() != m_parent->window()))
        return;
    if (event->type() == QEvent::MouseMove)
        OnMouseMove(static_cast<QMouseEvent *>(event)->globalPosition().toPoint());
    else
        HideTip();
}

void CPPToolTip::OnMouseMove(QPoint globalPos)
{
    if (globalPos == m_lastPos || m_pending == -2)
        return;
    if (!(m_styles & kStyleAlwaysShow) && !QApplication::activeWindow())
        return;
    m_lastPos = globalPos;
    const int tool = FindTool(globalPos);
    const unsigned behaviour =
        ValidTool(m_displayed) ? WithDefaults(m_tools[std::size_t(m_displayed)]).behaviour : m_behaviour;
    if (tool < 0) {
        if (CursorOverTip(globalPos) && (behaviour & kBehaviourKeepOverTip))
            return;
        HideTip();
        m_pending = m_displayed = -1;
        return;
    }
    if (tool != m_displayed) {
        m_pending = tool;
        if (!isVisible())
            m_showTimer.start(m_initial);
        else
            ShowTip(tool, globalPos);
        return;
    }
    const unsigned toolBehaviour = WithDefaults(m_tools[std::size_t(tool)]).behaviour;
    if (isVisible() && (toolBehaviour & kBehaviourKeepOverTip))
        return;
    if (toolBehaviour & kBehaviourRestartDelay) {
        m_pending = tool;
        m_showTimer.start(m_initial);
    }
}

void CPPToolTip::OnShowTimer()
{
    HideTip();
    const QPoint cursor = QCursor::pos();
    if (cursor != m_lastPos || !ValidTool(m_pending) || FindTool(cursor) != m_pending)
        return;
    if (ShowTip(m_pending, cursor) && m_autoPop != 0)
        m_hideTimer.start(m_autoPop);
}

void CPPToolTip::OnHideTimer()
{
    const unsigned behaviour =
        ValidTool(m_displayed) ? WithDefaults(m_tools[std::size_t(m_displayed)]).behaviour : m_behaviour;
    if (CursorOverTip(QCursor::pos()) && (behaviour & kBehaviourNoPopOverTip)) {
        m_hideTimer.start(m_autoPop); // asks again later
        return;
    }
    HideTip();
}

void CPPToolTip::HideTip()
{
    m_showTimer.stop();
    m_hideTimer.stop();
    hide();
}

bool CPPToolTip::ShowTip(int index, QPoint globalCursor)
{
    if (!ValidTool(index))
        return false;
    PPToolInfo info = WithDefaults(m_tools[std::size_t(index)]);
    if (m_notify && m_parent) {
        const PPToolInfo kept = info;
        emit ToolTipNeeded(&info, m_parent->mapFromGlobal(globalCursor));
        info.window = kept.window;
        info.id = kept.id;
        info.rect = kept.rect;
    }
    if (info.text.isEmpty() && info.icon.isNull()) {
        HideTip();
        return false;
    }
    const int *s = m_sizes.data();
    const bool shadow = (info.styles & kStyleShadow) != 0;
    const int shadowX = shadow ? s[kSizeShadowX] : 0;
    const int shadowY = shadow ? s[kSizeShadowY] : 0;

    m_markup.SetColours(m_colours);
    const QImage device(1, 1, QImage::Format_ARGB32_Premultiplied);
    const QSize text =
        info.text.isEmpty() ? QSize() : m_markup.MeasureOrDraw(info.text, nullptr, QRect(), true, &device);
    const QSize icon = info.icon.isNull() ? QSize() : info.icon.deviceIndependentSize().toSize();
    const int gap = (!text.isEmpty() && !icon.isEmpty()) ? s[kSizeMarginX] : 0;
    const int bodyW = text.width() + icon.width() + gap + 2 * s[kSizeMarginX];
    const int bodyH = std::max(text.height(), icon.height()) + 2 * s[kSizeMarginY];
    const int anchorH = s[kSizeAnchorHeight];
    const QSize size(bodyW + shadowX, bodyH + anchorH + shadowY);

    const QScreen *screen = QGuiApplication::screenAt(globalCursor);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect screenRect = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
    TipPlacement place = PlaceTip(screenRect, globalCursor, size, info.direction, s[kSizeAnchorMargin]);
    if (shadow && (place.direction == 0 || place.direction == 2))
        place.topLeft += QPoint(shadowX, shadowY);
    const bool above = place.direction == 0 || place.direction == 1;
    const QRect body(0, above ? 0 : anchorH, bodyW, bodyH);
    info.direction = place.direction;
    m_shownDirection = place.direction;

    Render(info, text, body, globalCursor - place.topLeft);
    setGeometry(QRect(place.topLeft, size));
    m_displayed = index;
    show();
    update();
    return true;
}

void CPPToolTip::Render(const PPToolInfo &info, QSize text, const QRect &body, QPoint anchor)
{
    const int *s = m_sizes.data();
    const bool shadow = (info.styles & kStyleShadow) != 0;
    const int shadowX = shadow ? s[kSizeShadowX] : 0;
    const int shadowY = shadow ? s[kSizeShadowY] : 0;
    const QSize size(body.width() + shadowX, body.height() + s[kSizeAnchorHeight] + shadowY);
    m_image = QImage(size, QImage::Format_ARGB32_Premultiplied);
    m_image.fill(Qt::transparent);

    const QPainterPath outline = TipOutline(body, info.direction, anchor, info.styles, s);
    QPainter painter(&m_image);
    painter.setRenderHint(QPainter::Antialiasing);
    if (shadow)
        painter.fillPath(outline.translated(shadowX, shadowY), ShadowColour(m_colours[kColourShadow]));

    painter.save();
    painter.setClipPath(outline);
    const QRect fill(0, 0, size.width() - shadowX, size.height() - shadowY);
    if (info.effect >= 7 && info.effect <= 15 &&
        RenderPixelEffect(m_dib, fill.width(), fill.height(), info.effect, info.granularity, info.colourBackground,
                          info.colourMiddle, info.colourEnd, m_noise)) {
        m_dib.Draw(&painter, 0, 0);
    } else {
        FillGradientEffect(painter, fill, info.effect, info.colourBackground, info.colourMiddle, info.colourEnd);
    }
    const int border = std::max(s[kSizeBorderWidth], s[kSizeBorderHeight]);
    if (border > 0) {
        // Twice as wide, clipped to the outline: the inner half is the border.
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(ColourFromRef(m_colours[kColourBorder]), 2.0 * border));
        painter.drawPath(outline);
    }
    painter.restore();
    painter.setRenderHint(QPainter::Antialiasing, false);

    const QRect content = body.adjusted(s[kSizeMarginX], s[kSizeMarginY], -s[kSizeMarginX], -s[kSizeMarginY]);
    int textLeft = content.left();
    if (!info.icon.isNull()) {
        const QSize icon = info.icon.deviceIndependentSize().toSize();
        int top = content.top();
        if (info.styles & kStyleIconCentred)
            top += (content.height() - icon.height()) / 2;
        else if (info.styles & kStyleIconBottom)
            top = content.bottom() + 1 - icon.height();
        painter.drawPixmap(QRect(QPoint(content.left(), top), icon), info.icon);
        textLeft += icon.width() + s[kSizeMarginX];
    }
    if (!text.isEmpty()) {
        int top = content.top();
        if (info.styles & kStyleTextCentred)
            top += (content.height() - text.height()) / 2;
        else if (info.styles & kStyleTextBottom)
            top = content.bottom() + 1 - text.height();
        m_markup.MeasureOrDraw(info.text, &painter, QRect(QPoint(textLeft, top), text), false);
    }
    painter.end();

    QPainterPath shape = outline;
    if (shadow)
        shape = shape.united(outline.translated(shadowX, shadowY));
    // The headless platform has no window shapes.
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        setMask(QRegion(shape.toFillPolygon().toPolygon()));
}

void CPPToolTip::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, m_image);
}

} // namespace kxres
