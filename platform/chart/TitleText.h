#pragma once

// Titles that fit the picture they are drawn in, and a way to see where a chart's
// texts land.

#include <QFont>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

class QPaintDevice;

namespace kxchart {

class Chart;

// A text laid out for a width: the font it is drawn in and its lines.
struct FittedText {
    QFont font;
    QStringList lines;
};

// Fits text into width (pixels of device, or of the screen without one): first smaller
// type, down to three quarters of the font's size, then as many lines as it needs at
// that size, broken between words where it can.
FittedText fitText(const QString &text, const QFont &font, qreal width, const QPaintDevice *device = nullptr);

struct DrawnText {
    QString text;
    QRectF bounds; // in the picture's pixels
};

// The texts the chart draws into a picture of size, each with where it lies.
std::vector<DrawnText> drawnTexts(Chart &chart, const QSize &size);

} // namespace kxchart
