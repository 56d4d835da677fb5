#pragma once

// Measures and draws tooltip markup (see MarkupTokens.h for the grammar). The same text
// is passed twice: first to measure (filling the width and height of every line), then
// to draw into a rectangle, aligning lines by the measured widths.

#include "shared_ui/printing/CPrinter.h"

#include <QFont>
#include <QPixmap>
#include <QRect>
#include <QSize>
#include <QString>

#include <array>
#include <map>
#include <vector>

class QPainter;

namespace kxres {

inline constexpr int kMarkupColourCount = 26;
using MarkupColours = std::array<KxColorRef, kMarkupColourCount>;

class CPPMarkup {
public:
    // Counts of <br> and <t> and rule widths in pixels are kept within these.
    static constexpr int kMaxRepeat = 64;
    static constexpr int kMaxRuleWidth = 4096;

    void SetBaseFont(const QFont &font) { m_baseFont = font; }
    const QFont &GetBaseFont() const { return m_baseFont; }
    // The colour table the tags refer to (17 text, 18 background).
    void SetColours(const MarkupColours &colours) { m_colours = colours; }
    // A named image for <img=name>; with a mask colour, pixels of that colour are clear.
    void AddImage(const QString &name, const QPixmap &image);
    void AddImage(const QString &name, const QPixmap &image, KxColorRef maskColour);
    // The icons of <ilst=n>, drawn at the given size.
    void SetImageList(const std::vector<QPixmap> &icons, QSize iconSize);

    // Measures (painter may be null; fonts are measured for device when given) or draws
    // text into rect; returns the widest line's width and the total height.
    QSize MeasureOrDraw(const QString &text, QPainter *painter, const QRect &rect, bool measureOnly,
                        const QPaintDevice *device = nullptr);

    const std::vector<int> &GetLineWidths() const { return m_lineWidths; }
    const std::vector<int> &GetLineHeights() const { return m_lineHeights; }

private:
    QFont m_baseFont;
    MarkupColours m_colours{};
    std::map<QString, QPixmap> m_images;
    std::vector<QPixmap> m_icons;
    QSize m_iconSize;
    std::vector<int> m_lineWidths;
    std::vector<int> m_lineHeights;
};

// A COLORREF (0x00BBGGRR) as a Qt colour.
QColor ColourFromRef(KxColorRef colour);

} // namespace kxres
