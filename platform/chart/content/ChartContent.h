#pragma once

// Everything a chart shows, as plain data. Views fill it, the chart draws it.

#include <QColor>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace kxchart {

// Line style codes as the programs use them: 0 thin, 5 medium, 6 thick, the
// others dashed or dotted variants (see penForStyle).
enum LineStyleCode : int {
    LineThin = 0,
    LineMedium = 5,
    LineThick = 6,
};

struct StraightLine {
    enum class Orientation { Horizontal, Vertical };
    Orientation orientation = Orientation::Horizontal;
    double value = 0.0;             // Y for horizontal, X for vertical
    std::optional<double> from, to; // extent along the other axis; whole axis if unset
    QColor colour = Qt::red;
    QString label;
};

struct HeaderTable {
    int rows = 0;
    int columns = 0;
    QString fontFamily = QStringLiteral("Arial");
    std::vector<QString> cells; // row-major, rows * columns

    const QString &cell(int row, int column) const { return cells.at(size_t(row * columns + column)); }
};

struct Surface {
    int rows = 0;    // along Y
    int columns = 0; // along X
    double xFrom = 0.0, xTo = 1.0;
    double yFrom = 0.0, yTo = 1.0;
    std::vector<double> values; // row-major, rows * columns
    QString rowLabel;           // title of the row axis of a 3-D surface
    int colourLevels = 0;       // contour colours of a 3-D surface (0: the chart's own)
};

// One curve drawn from arrays its owner keeps (no copy is made); the arrays are read
// when the chart draws, so they must not change meanwhile without a reinitialise.
struct SharedCurve {
    std::shared_ptr<const std::vector<double>> x;
    std::shared_ptr<const std::vector<double>> y;
};

struct ChartContent {
    QString title;
    QString subtitle;
    QStringList subtitleLines; // a multi-line subtitle below the single one
    QString xLabel;
    QString yLabel;

    // Curves packed as the documents pack them: curve c, point p at c * points + p.
    int curves = 0;
    int points = 0;
    std::vector<double> x;
    std::vector<double> y;
    std::optional<double> nullValue; // points equal to it in X or Y are not drawn
    QStringList legend;              // one text per curve, or empty for no legend
    std::vector<int> lineStyles;     // one code per curve; missing ones are thin
    // When set, curve c is sharedCurves[c] and x, y are not used.
    std::vector<SharedCurve> sharedCurves;

    std::vector<StraightLine> lines;
    std::optional<HeaderTable> headerTable; // shown in the title area in place of the titles
    std::optional<Surface> surface;         // a colour map in place of the curves

    std::optional<double> yMin, yMax; // fixed Y range; automatic when unset
    bool grid = true;

    // The points of one curve that are drawn: up to the first null value.
    void curvePoints(int curve, std::vector<double> &xs, std::vector<double> &ys) const;
};

} // namespace kxchart
