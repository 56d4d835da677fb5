#pragma once
// Draws the text, lines and boxes of a page's print state on a QPainter.

#include <cstdint>
#include <string>

class QPainter;

// Text flags of a print state: they make both the font and the text layout.
namespace print_flags {
constexpr int Bold = 0x1;
constexpr int Italic = 0x2;
constexpr int Underline = 0x4;
constexpr int StrikeOut = 0x8;
constexpr int Frame = 0x10;
constexpr int Right = 0x40;
constexpr int Center = 0x80;
constexpr int ExpandTabs = 0x100;
constexpr int SingleLine = 0x200;
constexpr int NoClip = 0x400;
constexpr int VCenter = 0x800;
constexpr int Default = 0x420;
// Passed for flags, fill or line style: keep the current value.
constexpr int Keep = 65535;
} // namespace print_flags

// Fill patterns (first set bit wins) and line styles.
namespace print_fill {
constexpr int Gray = 0x1;
constexpr int LightGray = 0x2;
constexpr int DarkGray = 0x4;
constexpr int Black = 0x8;
} // namespace print_fill

namespace print_line {
constexpr int Solid = 0x0;
constexpr int Dotted = 0x1;
constexpr int Dashed = 0x2;
constexpr int DashDot = 0x10;
constexpr int DashDotDot = 0x20;
} // namespace print_line

// Win32-style colour value 0x00BBGGRR.
using KxColorRef = std::uint32_t;

// Metrics of the font of the last text output, in logical units.
struct PrintTextMetric {
    int height = 0;
    int ascent = 0;
    int descent = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
};

// What the next output looks like and where it goes; also the element of a page's
// state stack. Coordinates are logical units of the page.
struct PrintState {
    QPainter *dc = nullptr;
    int col = 0;
    int row = 0;
    int right = 0; // print area limit; second corner of boxes, lines and text rectangles
    int bottom = 0;
    int pointSize = 10;
    std::string text; // for bitmaps the file name
    int flags = print_flags::Default;
    int fill = 0;
    int lineStyle = print_line::Solid;
    std::string fontFace = "Times New Roman";
    int pageWidth = 0;
    int pageHeight = 0;
    int reserved = 0;
    // Results of the last text output.
    int colAfter = 0;
    int textHeight = 10;
    int lastLeft = 0;
    int lastTop = 0;
    int lastRight = 0;
    int lastBottom = 0; // the next row
    PrintTextMetric *metrics = nullptr;
    // Pixels per inch of the page, used for font heights (0: the device's).
    double logPixelsX = 0.0;
    double logPixelsY = 0.0;
};

class CPrinter {
public:
    CPrinter() = default;
    virtual ~CPrinter();

    // Rectangle the state's text would take; stores height and rectangle, draws nothing.
    virtual int MeasureText(PrintState &state, double spacing);
    // Draws the state's text in (col, row)-(right, bottom) and stores where it went.
    virtual int DrawText(PrintState &state, double spacing);
    // Line from (col, row) to (right, bottom).
    virtual void DrawLine(PrintState &state, int penWidth);
    // Box (col, row)-(right, bottom) with the state's fill pattern and line style.
    virtual void DrawBox(PrintState &state, int penWidth);

private:
    int Layout(PrintState &state, double spacing, bool draw);
};
