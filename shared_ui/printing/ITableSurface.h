#pragma once
// What a table asks of the page it is drawn on.

#include "shared_ui/printing/CPrinter.h"

class ITableSurface {
public:
    virtual ~ITableSurface() = default;

    // True when logical units are a grid over the page rather than device units.
    virtual bool IsGridMode() const = 0;
    virtual double GetLogPixelsY() const = 0;
    virtual void SaveState() = 0;
    virtual void RestoreState() = 0;
    virtual int SetFontSize(int points) = 0;
    virtual KxColorRef SetTextColor(KxColorRef colour) = 0;
    virtual void Line(int top, int left, int bottom, int right, int penWidth, int style) = 0;
    virtual void Box(int top, int left, int bottom, int right, int penWidth, int fill, int style) = 0;
    // Draws state.text in its rectangle at the given line spacing.
    virtual void DrawCellText(PrintState &state, double spacing) = 0;
    // Where the next text continues when it is printed at column -1.
    virtual void SetNextColumn(int col) = 0;
};
