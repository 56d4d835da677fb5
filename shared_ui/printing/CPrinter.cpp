#include "shared_ui/printing/CPrinter.h"

#include <QBrush>
#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {

QFont MakeFont(const PrintState &state, double logPixelsY)
{
    QFont font(QString::fromStdString(state.fontFace));
    // No ligatures: a printed or PDF report keeps searchable, copyable words.
    font.setStyleHint(QFont::Serif, QFont::PreferNoShaping);
    const int pixels = static_cast<int>(std::lround(state.pointSize * logPixelsY / 72.0));
    font.setPixelSize(std::max(1, pixels));
    font.setWeight((state.flags & print_flags::Bold) ? QFont::Bold : QFont::Normal);
    font.setItalic((state.flags & print_flags::Italic) != 0);
    font.setUnderline((state.flags & print_flags::Underline) != 0);
    font.setStrikeOut((state.flags & print_flags::StrikeOut) != 0);
    return font;
}

int TextFlags(int flags)
{
    int qt = Qt::AlignTop;
    if (flags & print_flags::Center) {
        qt |= Qt::AlignHCenter;
    } else if (flags & print_flags::Right) {
        qt |= Qt::AlignRight;
    } else {
        qt |= Qt::AlignLeft;
    }
    if (flags & print_flags::SingleLine) {
        qt |= Qt::TextSingleLine;
        if (flags & print_flags::VCenter) {
            qt = (qt & ~Qt::AlignTop) | Qt::AlignVCenter;
        }
    } else {
        qt |= Qt::TextWordWrap;
    }
    if (flags & print_flags::ExpandTabs)
        qt |= Qt::TextExpandTabs;
    if (flags & print_flags::NoClip)
        qt |= Qt::TextDontClip;
    return qt;
}

QBrush FillBrush(int fill)
{
    if (fill & print_fill::Gray)
        return QBrush(QColor(128, 128, 128));
    if (fill & print_fill::LightGray)
        return QBrush(QColor(192, 192, 192));
    if (fill & print_fill::DarkGray)
        return QBrush(QColor(64, 64, 64));
    if (fill & print_fill::Black)
        return QBrush(Qt::black);
    return QBrush(Qt::NoBrush);
}

// Pen style of a line style (first set bit wins); boxes know only dashed and dotted.
Qt::PenStyle PenStyle(int lineStyle, bool line)
{
    if (lineStyle & print_line::Dashed)
        return Qt::DashLine;
    if (lineStyle & print_line::Dotted)
        return Qt::DotLine;
    if (line && (lineStyle & print_line::DashDot))
        return Qt::DashDotLine;
    if (line && (lineStyle & print_line::DashDotDot))
        return Qt::DashDotDotLine;
    return Qt::SolidLine;
}

double DeviceLogPixelsY(const PrintState &state)
{
    if (state.logPixelsY > 0.0)
        return state.logPixelsY;
    return state.dc->device() ? state.dc->device()->logicalDpiY() : 96.0;
}

} // namespace

CPrinter::~CPrinter() = default;

int CPrinter::Layout(PrintState &state, double spacing, bool draw)
{
    const int result = static_cast<int>(state.pointSize * spacing);
    QPainter *dc = state.dc;
    if (dc == nullptr || !dc->isActive())
        return result;
    // 1. Logical rectangle to device units.
    const QTransform toDevice = dc->combinedTransform();
    const bool measureFirst = state.right == 0 && state.bottom == 0;
    const QPointF topLeft = toDevice.map(QPointF(state.col, state.row));
    QRectF rect;
    if (measureFirst) {
        rect = QRectF(topLeft, QSizeF(1.0e6, 1.0e6));
    } else {
        rect = toDevice.mapRect(QRectF(QPointF(state.col, state.row), QPointF(state.right, state.bottom)));
    }

    // 2. Device units, the font of the state.
    dc->save();
    dc->resetTransform();
    dc->setViewTransformEnabled(false);
    const QFont font = MakeFont(state, DeviceLogPixelsY(state));
    dc->setFont(font);
    const QFontMetricsF metrics(font, dc->device());

    // 3. Layout flags.
    const int qtFlags = TextFlags(state.flags);
    const QString text = QString::fromStdString(state.text);

    QRectF measured = metrics.boundingRect(rect, qtFlags, text.isEmpty() ? QStringLiteral(" ") : text);
    if (measureFirst) {
        rect = QRectF(topLeft, measured.size());
    }

    // 4. Draw: the frame and its fill first, so a filled frame never hides its own text.
    if (draw && !text.isEmpty()) {
        const bool framed = (state.flags & print_flags::Frame) != 0;
        const QPen oldPen = dc->pen();
        if (framed) {
            dc->setPen(QPen(Qt::black, 0));
            dc->setBrush(FillBrush(state.fill));
            dc->drawRect(rect);
            dc->setBrush(Qt::NoBrush);
            dc->setPen(oldPen);
            if (state.fill & (print_fill::DarkGray | print_fill::Black)) {
                dc->setPen(QPen(Qt::white));
            }
        }
        dc->drawText(rect, qtFlags, text);
        dc->setPen(oldPen);
    }

    // 5. The rectangle the text takes, kept at the output's top-left corner; an empty
    // text takes one line of height and no width.
    QRectF taken(rect.topLeft(), measured.size());
    if (text.isEmpty())
        taken.setWidth(0.0);
    dc->restore();

    const QTransform toLogical = toDevice.inverted();
    const QRectF logical = toLogical.mapRect(taken);
    const int left = static_cast<int>(std::lround(logical.left()));
    const int top = static_cast<int>(std::lround(logical.top()));
    const int right = static_cast<int>(std::lround(logical.right()));
    const int bottom = static_cast<int>(std::lround(logical.bottom()));

    state.textHeight = bottom - top;
    state.lastLeft = left;
    state.lastTop = top;
    state.lastRight = right;
    state.lastBottom = bottom;
    if (draw) {
        state.colAfter = right;
        if (state.metrics != nullptr) {
            const double sx = std::abs(toLogical.m11()) > 0 ? std::abs(toLogical.m11()) : 1.0;
            const double sy = std::abs(toLogical.m22()) > 0 ? std::abs(toLogical.m22()) : 1.0;
            state.metrics->height = static_cast<int>(std::lround(metrics.height() * sy));
            state.metrics->ascent = static_cast<int>(std::lround(metrics.ascent() * sy));
            state.metrics->descent = static_cast<int>(std::lround(metrics.descent() * sy));
            state.metrics->aveCharWidth = static_cast<int>(std::lround(metrics.averageCharWidth() * sx));
            state.metrics->maxCharWidth = static_cast<int>(std::lround(metrics.maxWidth() * sx));
        }
    }
    return result;
}

int CPrinter::MeasureText(PrintState &state, double spacing)
{
    return Layout(state, spacing, false);
}

int CPrinter::DrawText(PrintState &state, double spacing)
{
    return Layout(state, spacing, true);
}

void CPrinter::DrawLine(PrintState &state, int penWidth)
{
    QPainter *dc = state.dc;
    if (dc == nullptr || !dc->isActive())
        return;
    dc->save();
    dc->setPen(QPen(QBrush(Qt::black), std::max(0, penWidth), PenStyle(state.lineStyle, true), Qt::FlatCap));
    dc->drawLine(QPoint(state.col, state.row), QPoint(state.right, state.bottom));
    dc->restore();
}

void CPrinter::DrawBox(PrintState &state, int penWidth)
{
    QPainter *dc = state.dc;
    if (dc == nullptr || !dc->isActive())
        return;
    dc->save();
    dc->setPen(
        QPen(QBrush(Qt::black), std::max(0, penWidth), PenStyle(state.lineStyle, false), Qt::SquareCap, Qt::MiterJoin));
    dc->setBrush(FillBrush(state.fill));
    QPolygon box;
    box << QPoint(state.col, state.row) << QPoint(state.right, state.row) << QPoint(state.right, state.bottom)
        << QPoint(state.col, state.bottom);
    dc->drawPolygon(box);
    dc->restore();
}
