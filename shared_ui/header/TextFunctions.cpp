#include "shared_ui/header/TextFunctions.h"

#include <iomanip>
#include <ostream>
#include <sstream>

std::string FormatFixed(double value, int decimals)
{
    std::ostringstream text;
    text << std::fixed << std::setprecision(decimals < 0 ? 0 : decimals) << value;
    return text.str();
}

std::string DoubleToText(double value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

void WritePointXY(std::ostream &out, const kx::CPoint<double> &point)
{
    out << std::fixed << std::setprecision(6) << point.GetX() << '\t' << point.GetY() << '\n';
}

void WritePointY(std::ostream &out, const kx::CPoint<double> &point)
{
    out << std::fixed << std::setprecision(6) << point.GetY() << '\n';
}
