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

// The 3-D surface chart; nullptr-safe: on a platform without OpenGL windows
// (the offscreen one) create() returns false and every command does nothing.
std::unique_ptr<Chart> makeSurfaceChart();

} // namespace kxchart
