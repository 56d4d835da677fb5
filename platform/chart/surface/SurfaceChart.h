#pragma once

// A chart that draws ChartContent::surface as a three-dimensional surface with a
// contour colour scale. Programs reach it only through the Chart interface.

#include "platform/chart/Chart.h"

#include <QColor>
#include <QSize>
#include <QVector3D>

#include <memory>
#include <vector>

namespace kxchart {

// Where value (row, column) of a surface stands in the 3-D graph: X along the
// columns, Y the value, Z along the rows.
QVector3D surfacePosition(const Surface &surface, int row, int column);
// levels colours from blue over green and yellow to red, low to high.
std::vector<QColor> contourColours(int levels);

// Whether the mesh lines of the surface are drawn in a picture of pixels: only where a
// cell is wide enough to show its surface between them.
bool meshShown(const Surface &surface, const QSize &pixels);

// Cells along each axis past which a picture shows no more detail.
constexpr int kMostDrawnCells = 1000;
// The grid as drawn: at most most values along each axis. Blocks of neighbouring
// values become one value, the block's largest, at the block's first row and column;
// a grid within the bound comes back as it is.
Surface drawnSurface(const Surface &surface, int most = kMostDrawnCells);

// The 3-D surface chart; nullptr-safe: on a platform without OpenGL windows
// (the offscreen one) create() returns false and every command does nothing.
std::unique_ptr<Chart> makeSurfaceChart();

} // namespace kxchart
