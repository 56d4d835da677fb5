#include "Mirvane/core/SummaryText.h"

#include "Mirvane/core/ResultColumns.h"

#include <algorithm>
#include <sstream>

namespace mirvane {

int PackSeries(const std::vector<kx::CNSignal> &series, std::vector<double> &x, std::vector<double> &y)
{
    std::size_t points = 0;
    for (const kx::CNSignal &s : series)
        points = std::max(points, std::min(s.GetX().size(), s.GetY().size()));
    x.assign(points * series.size(), kMissingValue);
    y.assign(points * series.size(), kMissingValue);
    for (std::size_t s = 0; s < series.size(); ++s) {
        const std::size_t n = std::min(series[s].GetX().size(), series[s].GetY().size());
        std::copy_n(series[s].GetX().begin(), n, x.begin() + static_cast<std::ptrdiff_t>(s * points));
        std::copy_n(series[s].GetY().begin(), n, y.begin() + static_cast<std::ptrdiff_t>(s * points));
    }
    return static_cast<int>(points);
}

std::string AsciiText(const std::vector<kx::CNSignal> &series)
{
    std::size_t points = 0;
    for (const kx::CNSignal &s : series)
        points = std::max(points, std::min(s.GetX().size(), s.GetY().size()));
    std::ostringstream out;
    for (std::size_t i = 0; i < points; ++i) {
        for (const kx::CNSignal &s : series) {
            const std::size_t n = std::min(s.GetX().size(), s.GetY().size());
            if (i >= n || s.GetX()[i] == kMissingValue)
                out << "0.0 0.0 ";
            else
                out << s.GetX()[i] << ' ' << s.GetY()[i] << ' ';
        }
        out << '\n';
    }
    return out.str();
}

std::string CopyDataText(const std::vector<CSignal> &records, const std::vector<int> &columnOrder)
{
    std::string text;
    for (std::size_t c = 0; c < columnOrder.size(); ++c) {
        if (c)
            text += '\t';
        text += GetColumnTitle(columnOrder[c]);
    }
    text += "\r\n";
    for (const CSignal &record : records) {
        for (std::size_t c = 0; c < columnOrder.size(); ++c) {
            if (c)
                text += '\t';
            text += record.GetColumnText(columnOrder[c]);
        }
        text += "\r\n";
    }
    return text;
}

std::string HtmlEscape(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        switch (ch) {
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '&':
            out += "&amp;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += ch;
            break;
        }
    }
    return out;
}

std::string HtmlSummary(const std::vector<CSignal> &records, const std::vector<int> &columnOrder)
{
    std::string html;
    html += "<!DOCTYPE html>\n<html>\n";
    html += "<head><meta charset=\"utf-8\"><title> Mirvane</title></head>\n";
    html += "<body>\n";
    html += "<h1>Mirvane</h1> ";
    html += "<CENTER>\n<TABLE BORDER=3 CELLPADDING=3 WIDTH=\"90%\" >\n";
    html += "<TR ALIGN=CENTER VALIGN=CENTER>\n";
    for (const int column : columnOrder)
        html += "\t<TD><B>" + HtmlEscape(GetColumnTitle(column)) + "</B></TD>\n";
    html += "</TR>\n";
    for (const CSignal &record : records) {
        html += "<TR ALIGN=CENTER VALIGN=CENTER>\n";
        for (const int column : columnOrder) {
            html += "\t<TD ";
            const Colour colour = record.GetColumnColour(column);
            if (colour == kPassed)
                html += "bgcolor=\"#00E000\" ";
            else if (colour == kFailed)
                html += "bgcolor=\"#E00000\" ";
            html += ">" + HtmlEscape(record.GetColumnText(column)) + "</TD>\n";
        }
        html += "</TR>\n";
    }
    html += "</TABLE> </CENTER> ";
    html += "</body> ";
    html += "</html> ";
    return html;
}

} // namespace mirvane
