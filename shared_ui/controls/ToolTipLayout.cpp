#include "shared_ui/controls/ToolTipLayout.h"

#include "shared_ui/printing/CCeXDib.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <random>

namespace kxres {

namespace {

int Red(KxColorRef c)
{
    return int(c & 0xFF);
}
int Green(KxColorRef c)
{
    return int((c >> 8) & 0xFF);
}
int Blue(KxColorRef c)
{
    return int((c >> 16) & 0xFF);
}

bool Above(int direction)
{
    return direction == 0 || direction == 1;
}
bool AnchorRight(int direction)
{
    return direction == 0 || direction == 2;
}

} // namespace

TipPlacement PlaceTip(const QRect &screen, QPoint cursor, QSize size, int direction, int anchorMargin)
{
    const int screenW = screen.width();
    const int screenH = screen.height();
    const int x = cursor.x() - screen.left();
    const int y = cursor.y() - screen.top();
    direction = std::clamp(direction, 0, kDirectionCount - 1);

    int left = 0;
    bool placed = false;
    for (int attempt = 0; attempt < 2 && !placed; ++attempt) {
        if (AnchorRight(direction)) {
            const int right = std::min(x + anchorMargin, screenW);
            left = right - size.width();
            placed = left >= 0;
        } else {
            left = x < anchorMargin ? 0 : x - anchorMargin;
            placed = left + size.width() <= screenW;
        }
        if (!placed && attempt == 0)
            direction ^= 1; // the anchor to the other end
    }
    if (!placed)
        left = 0;

    int top = 0;
    placed = false;
    for (int attempt = 0; attempt < 2 && !placed; ++attempt) {
        top = Above(direction) ? y - size.height() : y;
        placed = top >= 0 && top + size.height() <= screenH;
        if (!placed && attempt == 0)
            direction ^= 2; // above and below swap
    }
    if (!placed)
        top = 0;
    return {QPoint(screen.left() + left, screen.top() + top), direction};
}

QPainterPath TipOutline(const QRect &body, int direction, QPoint anchorPoint, unsigned styles, const int *sizes)
{
    QPainterPath path;
    const QRectF r(body);
    if (styles & kStyleRounded)
        path.addRoundedRect(r, sizes[kSizeRoundWidth] / 2.0, sizes[kSizeRoundHeight] / 2.0);
    else
        path.addRect(r);
    const int aw = sizes[kSizeAnchorWidth];
    const int margin = sizes[kSizeAnchorMargin];
    if (!(styles & kStyleAnchor) || aw <= 0 || sizes[kSizeAnchorHeight] <= 0)
        return path;
    const double baseLeft = AnchorRight(direction) ? r.right() - margin - aw : r.left() + margin;
    // The base lies a pixel inside the body so that the two join.
    const double baseY = Above(direction) ? r.bottom() - 1 : r.top() + 1;
    QPainterPath anchor;
    anchor.addPolygon(QPolygonF({QPointF(baseLeft, baseY), QPointF(baseLeft + aw, baseY), QPointF(anchorPoint)}));
    anchor.closeSubpath();
    return path.united(anchor);
}

void FillGradientEffect(QPainter &painter, const QRect &rect, int effect, KxColorRef a, KxColorRef b, KxColorRef c)
{
    const auto bands = [&painter](const QRect &area, bool horizontal, KxColorRef from, KxColorRef to) {
        const int size = horizontal ? area.width() : area.height();
        for (int i = 0; i < 64; ++i) {
            const int start = size * i / 64;
            const int end = size * (i + 1) / 64;
            if (end <= start)
                continue;
            const QColor colour((Red(from) * (64 - i) + Red(to) * i) / 64,
                                (Green(from) * (64 - i) + Green(to) * i) / 64,
                                (Blue(from) * (64 - i) + Blue(to) * i) / 64);
            if (horizontal)
                painter.fillRect(QRect(area.left() + start, area.top(), end - start, area.height()), colour);
            else
                painter.fillRect(QRect(area.left(), area.top() + start, area.width(), end - start), colour);
        }
    };
    const int halfW = rect.width() / 2;
    const int halfH = rect.height() / 2;
    const QRect leftHalf(rect.left(), rect.top(), halfW, rect.height());
    const QRect rightHalf(rect.left() + halfW, rect.top(), rect.width() - halfW, rect.height());
    const QRect topHalf(rect.left(), rect.top(), rect.width(), halfH);
    const QRect bottomHalf(rect.left(), rect.top() + halfH, rect.width(), rect.height() - halfH);
    switch (effect) {
    case 1:
        bands(rect, true, a, c);
        break;
    case 2:
        bands(rect, false, a, c);
        break;
    case 3:
        bands(leftHalf, true, a, c);
        bands(rightHalf, true, c, a);
        break;
    case 4:
        bands(topHalf, false, a, c);
        bands(bottomHalf, false, c, a);
        break;
    case 5:
        bands(leftHalf, true, a, b);
        bands(rightHalf, true, b, c);
        break;
    case 6:
        bands(topHalf, false, a, b);
        bands(bottomHalf, false, b, c);
        break;
    default:
        painter.fillRect(rect, QColor(Red(a), Green(a), Blue(a)));
        break;
    }
}

NoiseSource DefaultNoise(std::uint32_t seed)
{
    auto engine = std::make_shared<std::minstd_rand>(seed);
    return [engine](int g) {
        if (g <= 0)
            return 0;
        return std::uniform_int_distribution<int>(-g, g)(*engine);
    };
}

namespace {

// The palette: C to B over 0-127, B to A over 128-255, then 5 % toward A.
void MakePalette(CCeXDib &dib, KxColorRef a, KxColorRef b, KxColorRef c)
{
    for (int i = 0; i < 128; ++i)
        dib.SetPaletteIndex(i, std::uint8_t((Red(c) * (128 - i) + Red(b) * i) / 128),
                            std::uint8_t((Green(c) * (128 - i) + Green(b) * i) / 128),
                            std::uint8_t((Blue(c) * (128 - i) + Blue(b) * i) / 128));
    for (int k = 1; k <= 128; ++k)
        dib.SetPaletteIndex(127 + k, std::uint8_t((Red(a) * k + Red(b) * (128 - k)) / 128),
                            std::uint8_t((Green(a) * k + Green(b) * (128 - k)) / 128),
                            std::uint8_t((Blue(a) * k + Blue(b) * (128 - k)) / 128));
    dib.BlendPalette(a, 5);
}

int Cube(int t)
{
    return t * t * t / 16384;
}

} // namespace

bool RenderPixelEffect(CCeXDib &dib, int width, int height, int effect, int granularity, KxColorRef a, KxColorRef b,
                       KxColorRef c, const NoiseSource &noise)
{
    if (effect < 7 || effect > 15 || width <= 0 || height <= 0)
        return false;
    if (!dib.Create(width, height, 8))
        return false;
    MakePalette(dib, a, b, c);
    const int g = std::clamp(granularity, 0, 255);
    const int w = width;
    const int h = height;
    std::uint8_t *bits = dib.GetBits();
    const int line = dib.GetLineWidth();
    // Rows are stored bottom-up, so row r of the bits is r counted from the bottom.
    const auto put = [&](int x, int r, int value) {
        bits[std::size_t(r) * std::size_t(line) + std::size_t(x)] = std::uint8_t(value & 0xFF);
    };

    switch (effect) {
    case 7:
        for (int r = 0; r < h; ++r)
            for (int x = 0; x < w; ++x)
                put(x, r, 128 + noise(g));
        break;
    case 8: {
        const int d = (255 - 2 * g) / 2;
        for (int r = 0; r < h; ++r)
            for (int x = 0; x < w; ++x)
                put(x, r, d * (w - x) / w + d * r / h + g + noise(g));
        break;
    }
    case 9:
        for (int r = 0; r < h; ++r)
            for (int x = 0; x < w; ++x)
                put(x, r, (255 - 2 * g) * r / h + g + noise(g));
        break;
    case 10:
        for (int r = 0; r < h; ++r)
            for (int x = 0; x < w; ++x)
                put(x, r, (255 - 2 * g) * (w - x) / w + g + noise(g));
        break;
    case 11:
    case 14: {
        const int factor = effect == 11 ? 128 - g : 2 * (64 - g);
        for (int r = 0; r < h; ++r) {
            const int t = 255 * r / h - 127;
            for (int x = 0; x < w; ++x)
                put(x, r, 128 + Cube(t) * factor / 128 + noise(g));
        }
        if (effect == 14) {
            // A band that curves once across the tip, a little lighter than its ground.
            const int band = std::max(1, std::min(16, w / 6));
            for (int x = 0; x < w; ++x) {
                const double phase = 3.14159265358979 * 2.0 * x / w;
                const int centre = int(h / 2.0 + h / 4.0 * std::sin(phase));
                for (int r = std::max(0, centre - band / 2); r < std::min(h, centre + (band + 1) / 2); ++r) {
                    const int t = 255 * r / h - 127;
                    put(x, r, 128 + Cube(t) * factor / 128 + 48 + noise(g));
                }
            }
        }
        break;
    }
    case 12:
        for (int x = 0; x < w; ++x) {
            const int t = 255 * (w - x) / w - 127;
            for (int r = 0; r < h; ++r)
                put(x, r, 128 + Cube(t) * (128 - g) / 128 + noise(g));
        }
        break;
    case 13:
        for (int r = 0; r < h; ++r) {
            const int tr = 255 * r / h - 127;
            for (int x = 0; x < w; ++x) {
                const int tx = 255 * (w - x) / w - 127;
                int value = (Cube(tx) + Cube(tr)) * (128 - g) / 128 + 128;
                value = std::max(g, std::min(255 - g, value));
                put(x, r, value + noise(g));
            }
        }
        break;
    case 15: {
        dib.Clear(0);
        std::minstd_rand streaks(15);
        const auto uniform = [&streaks](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(streaks); };
        for (int n = 0; n < 200; ++n) {
            const int x0 = uniform(0, w - 1);
            const int r0 = uniform(0, h - 1);
            const int length = uniform(1, std::max(1, std::min(w, h) / 2));
            const int shade = uniform(0, 127);
            for (int i = 0; i < length && x0 + i < w && r0 + i < h; ++i)
                put(x0 + i, r0 + i, shade);
        }
        for (int r = 0; r < h; ++r) {
            const int lift = 128 * r / h;
            for (int x = 0; x < w; ++x) {
                std::uint8_t &pixel = bits[std::size_t(r) * std::size_t(line) + std::size_t(x)];
                pixel = std::uint8_t(std::min(255, pixel + lift));
            }
        }
        break;
    }
    default:
        break;
    }
    return true;
}

} // namespace kxres
