#pragma once
// Points text files: plain text, one point per line with one value (y), two values
// (x, y) or three values (x, y, z), separated by blanks, tabs or commas.

#include <cstddef>
#include <istream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "signal/CPoint.h"

namespace kx {

// The grammar of a points text. A point line is optional leading blanks or tabs,
// one to three numbers separated by blanks, tabs or commas, and optional trailing
// blanks, tabs or commas; lines end with CR, LF or CR-LF. Blank lines are skipped.
// Every point line of one text must hold the same count of numbers.
class syntax {
public:
    using PointList = std::vector<std::shared_ptr<CPoint<double>>>;

    // Parses one line (without its line end) into values; returns the count of
    // numbers (1 to 3), or 0 when the line is not a point line.
    static int ParseLine(std::string_view line, double (&values)[3]);
    // True for a line of white space only.
    static bool IsBlankLine(std::string_view line);
    // Appends one point per line to points; false when any line fails.
    static bool Parse(std::string_view text, PointList &points);
};

// What a reader says of a points file that gave no point: "<path> is empty" for a file
// of no bytes, else "<path> holds no points".
std::string NoPointsText(const std::string &path);

class CPoints {
public:
    using PointPtr = std::shared_ptr<CPoint<double>>;
    using PointList = std::vector<PointPtr>;

    CPoints();
    virtual ~CPoints();

    // Reads and parses a whole file; the points follow the file order.
    void ReadFile(const std::string &path);
    // Clears the point list and parses text; a failure leaves the list empty.
    void Parse(const std::string &text);
    // Ends the text at its first blank line: whatever follows it is cut off.
    static void CutAtGap(std::string &text);

    std::size_t GetCount() const { return m_points.size(); }
    PointList &GetPoints() { return m_points; }
    const PointList &GetPoints() const { return m_points; }

private:
    // The whole file into text (size from the end position, or read to the end).
    static void ReadText(std::istream &in, std::streamoff size, std::string &text, const std::string &openFailure);

    PointList m_points;
};

} // namespace kx
