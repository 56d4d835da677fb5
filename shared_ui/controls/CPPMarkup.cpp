#include "shared_ui/controls/CPPMarkup.h"

#include "shared_ui/controls/MarkupTokens.h"

#include <QBitmap>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace kxres {

QColor ColourFromRef(KxColorRef colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

void CPPMarkup::AddImage(const QString &name, const QPixmap &image)
{
    m_images[name] = image;
}

void CPPMarkup::AddImage(const QString &name, const QPixmap &image, KxColorRef maskColour)
{
    QPixmap masked = image;
    masked.setMask(image.createMaskFromColor(ColourFromRef(maskColour), Qt::MaskInColor));
    m_images[name] = masked;
}

void CPPMarkup::SetImageList(const std::vector<QPixmap> &icons, QSize iconSize)
{
    m_icons = icons;
    m_iconSize = iconSize;
}

namespace {

// The state of one pass over the text.
struct Pass {
    QFont font;
    QColor text;
    QColor background;
    bool opaque = false;
    int align = 0; // 0 left, 1 centre, 2 right
    std::size_t line = 0;
    int x = 0;
    int y = 0;
    bool lineStarted = false;
};

int Repeat(const MarkupToken &token)
{
    if (!token.hasValue || token.closing || token.value == 0)
        return 1;
    return int(std::min<std::uint32_t>(token.value, CPPMarkup::kMaxRepeat));
}

} // namespace

QSize CPPMarkup::MeasureOrDraw(const QString &text, QPainter *painter, const QRect &rect, bool measureOnly,
                               const QPaintDevice *device)
{
    const bool drawing = !measureOnly && painter;
    if (drawing && !device)
        device = painter->device();
    const auto metrics = [device](const QFont &font) {
        return device ? QFontMetrics(font, device) : QFontMetrics(font);
    };
    const QColor textColour = ColourFromRef(m_colours[17]);
    const QColor backColour = ColourFromRef(m_colours[18]);

    Pass p;
    p.font = m_baseFont;
    p.text = textColour;
    p.background = backColour;
    p.x = rect.left();
    p.y = rect.top();
    if (measureOnly) {
        m_lineWidths.assign(1, 0);
        m_lineHeights.assign(1, 0);
    }
    std::vector<int> rulePercents(1, 0); // per line, measuring only
    const auto ensureLine = [&] {
        if (p.line >= m_lineWidths.size()) {
            m_lineWidths.resize(p.line + 1, 0);
            m_lineHeights.resize(p.line + 1, 0);
        }
        if (p.line >= rulePercents.size())
            rulePercents.resize(p.line + 1, 0);
    };
    const int rectWidth = std::max(0, rect.width());
    int widest = 0;
    int total = 0;

    // Starts the output of a line: alignment by the measured width.
    const auto startOutput = [&] {
        if (p.lineStarted)
            return;
        p.lineStarted = true;
        if (!drawing)
            return;
        ensureLine();
        const int lineWidth = m_lineWidths[p.line];
        if (p.align == 1)
            p.x = rect.left() + (rectWidth - lineWidth) / 2;
        else if (p.align == 2)
            p.x = rect.left() + rectWidth - lineWidth;
    };
    // Takes room of w x h on the current line.
    const auto advance = [&](int w, int h) {
        ensureLine();
        p.x += w;
        if (measureOnly) {
            m_lineWidths[p.line] = std::max(m_lineWidths[p.line], p.x - rect.left());
            m_lineHeights[p.line] = std::max(m_lineHeights[p.line], h);
        }
    };
    const auto lineTopFor = [&](int h) {
        // Runs sit on the bottom of their line.
        const int lineHeight = p.line < m_lineHeights.size() ? m_lineHeights[p.line] : h;
        return p.y + std::max(0, lineHeight - h);
    };
    const auto outputRun = [&](const std::string &run) {
        const QString s = QString::fromUtf8(run.data(), qsizetype(run.size()));
        const QFontMetrics fm = metrics(p.font);
        const int w = fm.horizontalAdvance(s);
        const int h = fm.height();
        startOutput();
        if (drawing) {
            const int top = lineTopFor(h);
            if (p.opaque)
                painter->fillRect(QRect(p.x, top, w, h), p.background);
            painter->setFont(p.font);
            painter->setPen(p.text);
            painter->drawText(QPoint(p.x, top + fm.ascent()), s);
        }
        advance(w, h);
    };
    const auto outputPixmap = [&](const QPixmap &pixmap, QSize size) {
        startOutput();
        if (drawing)
            painter->drawPixmap(QRect(QPoint(p.x, lineTopFor(size.height())), size), pixmap);
        advance(size.width(), size.height());
    };
    const auto endLines = [&](int count) {
        ensureLine();
        if (measureOnly && m_lineHeights[p.line] == 0)
            m_lineHeights[p.line] = metrics(p.font).height(); // an empty line is a line of text
        const int height = m_lineHeights[p.line];
        p.y += count * height;
        total += count * height;
        ++p.line;
        ensureLine();
        p.x = rect.left();
        p.lineStarted = false;
    };
    const auto colourAt = [&](const MarkupToken &token, std::uint32_t fallback, QColor &target) {
        const std::uint32_t index = token.hasValue && !token.closing ? token.value : fallback;
        if (index < std::uint32_t(kMarkupColourCount))
            target = ColourFromRef(m_colours[index]);
    };

    const QByteArray utf8 = text.toUtf8();
    const int baseWeight = m_baseFont.weight();
    for (const MarkupToken &token : TokenizeMarkup(std::string_view(utf8.constData(), std::size_t(utf8.size())))) {
        if (!token.isTag) {
            outputRun(token.text);
            continue;
        }
        switch (token.tag) {
        case MarkupTag::Bold:
            p.font.setWeight(QFont::Weight(token.closing ? baseWeight : std::min(900, baseWeight * 2)));
            break;
        case MarkupTag::Italic:
            p.font.setItalic(!token.closing);
            break;
        case MarkupTag::Underline:
            p.font.setUnderline(!token.closing);
            break;
        case MarkupTag::Strike:
            p.font.setStrikeOut(!token.closing);
            break;
        case MarkupTag::Break:
            endLines(Repeat(token));
            break;
        case MarkupTag::Tab: {
            const int stop = std::max(1, 4 * metrics(p.font).averageCharWidth());
            startOutput();
            for (int n = Repeat(token); n > 0; --n)
                p.x = rect.left() + ((p.x - rect.left()) / stop + 1) * stop;
            advance(0, 0);
            break;
        }
        case MarkupTag::Colour:
            p.text = token.hasValue && !token.closing ? ColourFromRef(token.value & 0xFFFFFF) : textColour;
            break;
        case MarkupTag::ColourIndex:
            colourAt(token, 17, p.text);
            break;
        case MarkupTag::Background:
            if (token.closing) {
                p.opaque = false;
            } else {
                p.background = token.hasValue ? ColourFromRef(token.value & 0xFFFFFF) : backColour;
                p.opaque = true;
            }
            break;
        case MarkupTag::BackgroundIndex:
            if (token.closing) {
                p.opaque = false;
            } else {
                const std::uint32_t index = token.hasValue ? token.value : 18;
                if (index < std::uint32_t(kMarkupColourCount)) {
                    p.background = ColourFromRef(m_colours[index]);
                    p.opaque = true;
                }
            }
            break;
        case MarkupTag::AlignLeft:
            p.align = 0;
            break;
        case MarkupTag::AlignCentre:
            p.align = token.closing ? 0 : 1;
            break;
        case MarkupTag::AlignRight:
            p.align = token.closing ? 0 : 2;
            break;
        case MarkupTag::Rule: {
            const bool percent = token.closing || !token.hasValue || token.percent;
            const int value =
                int(std::min<std::uint32_t>(token.closing || !token.hasValue ? 100 : token.value, kMaxRuleWidth));
            ensureLine();
            // A rule takes the height of a line of text, so that a line of its own shows it.
            const int fontHeight = metrics(p.font).height();
            if (measureOnly)
                m_lineHeights[p.line] = std::max(m_lineHeights[p.line], fontHeight);
            const int lineHeight = std::max(m_lineHeights[p.line], fontHeight);
            if (percent) {
                startOutput();
                if (measureOnly) {
                    rulePercents[p.line] += std::min(value, 100);
                } else {
                    const int w = rectWidth * std::min(value, 100) / 100;
                    if (drawing && w > 0) {
                        painter->setPen(p.text);
                        painter->drawLine(p.x, p.y + lineHeight / 2, p.x + w - 1, p.y + lineHeight / 2);
                    }
                    p.x += w;
                }
            } else {
                startOutput();
                if (drawing && value > 0) {
                    painter->setPen(p.text);
                    painter->drawLine(p.x, p.y + lineHeight / 2, p.x + value - 1, p.y + lineHeight / 2);
                }
                advance(value, fontHeight);
            }
            break;
        }
        case MarkupTag::Image: {
            const auto found = token.closing ? m_images.end() : m_images.find(QString::fromStdString(token.text));
            if (found != m_images.end())
                outputPixmap(found->second, found->second.size());
            break;
        }
        case MarkupTag::ImageListIcon: {
            const std::uint32_t index = token.hasValue && !token.closing ? token.value : 0;
            if (index < m_icons.size() && m_iconSize.isValid())
                outputPixmap(m_icons[index], m_iconSize);
            break;
        }
        }
    }
    // The last line counts when it holds something.
    ensureLine();
    total += m_lineHeights[p.line];
    if (measureOnly) {
        for (const int w : m_lineWidths)
            widest = std::max(widest, w);
        // Lines with percentage rules widen by them, so that they align with their rules.
        for (std::size_t i = 0; i < m_lineWidths.size() && i < rulePercents.size(); ++i)
            if (rulePercents[i] > 0)
                m_lineWidths[i] += int((long long)(rulePercents[i]) * widest / 100);
    } else {
        for (const int w : m_lineWidths)
            widest = std::max(widest, w);
    }
    return QSize(widest, total);
}

} // namespace kxres
