#pragma once
// Number texts of the header report, the header viewer's Save commands and the programs'
// ASCII exports.

#include <iosfwd>
#include <string>

#include "signal/CPoint.h"

// The value in fixed notation with the given number of decimals ("1.500000").
std::string FormatFixed(double value, int decimals);
// The value in a stream's default format: 6 significant digits, no trailing zeros.
std::string DoubleToText(double value);
// x, a tab, y and a line end, fixed with 6 decimals; the stream keeps these settings.
void WritePointXY(std::ostream &out, const kx::CPoint<double> &point);
// y and a line end, fixed with 6 decimals.
void WritePointY(std::ostream &out, const kx::CPoint<double> &point);
