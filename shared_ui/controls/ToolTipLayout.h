#pragma once

// The tooltip's geometry and fills as plain functions: where the balloon goes on the
// screen, the outline of its body and anchor, and the background effects.

#include "shared_ui/printing/CPrinter.h"

#include <QPainterPath>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>
#include <functional>

class CCeXDib;
class QPainter;

namespace kxres {

// Style bits.
inline constexpr unsigned kStyleAnchor = 0x1;
inline constexpr unsigned kStyleShadow = 0x2;
inline constexpr unsigned kStyleRounded = 0x4;
inline constexpr unsigned kStyleTextCentred = 0x8;
inline constexpr unsigned kStyleTextBottom = 0x10;
inline constexpr unsigned kStyleIconCentred = 0x20;
inline constexpr unsigned kStyleIconBottom = 0x40;
inline constexpr unsigned kStyleAlwaysShow = 0x100;

// Directions: 0 and 1 above the cursor (anchor at the bottom), 2 and 3 below it;
// 0 and 2 with the anchor near the right end, 1 and 3 near the left end.
inline constexpr int kDirectionCount = 4;

// Sizes, by index into the size table.
enum ToolTipSize {
    kSizeRoundWidth,
    kSizeRoundHeight,
    kSizeMarginX,
    kSizeMarginY,
    kSizeShadowX,
    kSizeShadowY,
    kSizeAnchorWidth,
    kSizeAnchorHeight,
    kSizeAnchorMargin,
    kSizeBorderWidth,
    kSizeBorderHeight,
    kSizeCount
};

struct TipPlacement {
    QPoint topLeft;    // of the window, in screen coordinates
    int direction = 0; // after the swaps that made it fit
};

// Places a window of size for the cursor on the screen; see the direction rules above. An
// axis that fits neither way keeps the screen's edge.
TipPlacement PlaceTip(const QRect &screen, QPoint cursor, QSize size, int direction, int anchorMargin);

// The outline of body and anchor in window coordinates; anchorPoint is the cursor there.
QPainterPath TipOutline(const QRect &body, int direction, QPoint anchorPoint, unsigned styles, const int *sizes);

// Fills rect with gradient effects 0-6 (any other value fills solid a).
void FillGradientEffect(QPainter &painter, const QRect &rect, int effect, KxColorRef a, KxColorRef b, KxColorRef c);

// A source of noise: a number in -g..g (g >= 0).
using NoiseSource = std::function<int(int g)>;
NoiseSource DefaultNoise(std::uint32_t seed = 1);

// Renders pixel effects 7-15 into an 8-bit palette bitmap of width x height; false (and
// nothing made) for another effect or an empty size.
bool RenderPixelEffect(CCeXDib &dib, int width, int height, int effect, int granularity, KxColorRef a, KxColorRef b,
                       KxColorRef c, const NoiseSource &noise);

} // namespace kxres
