#pragma once

// The texts the program writes: the chart arrays of the plotted series, the ASCII
// file of the series, the clipboard table and the HTML summary of the results.

#include "Mirvane/core/CSignal.h"
#include "signal/CNSignal.h"

#include <string>
#include <vector>

namespace mirvane {

// Series after series, each padded with the missing-value marker to the longest.
// Returns the padded length.
int PackSeries(const std::vector<kx::CNSignal> &series, std::vector<double> &x, std::vector<double> &y);

// One line per point index up to the longest series: "X Y " for each series,
// "0.0 0.0 " where it has no point or holds the missing-value marker.
std::string AsciiText(const std::vector<kx::CNSignal> &series);

// Column titles in the given order, then one line per record; tabs between cells, CR-LF after lines.
std::string CopyDataText(const std::vector<CSignal> &records, const std::vector<int> &columnOrder);

// The results as an HTML page (UTF-8), columns in the given order, passed and
// failed cells coloured.
std::string HtmlSummary(const std::vector<CSignal> &records, const std::vector<int> &columnOrder);

std::string HtmlEscape(const std::string &text);

} // namespace mirvane
