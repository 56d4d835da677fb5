#pragma once
// One printed page over a QPainter: text at rows and columns, boxes, lines, check
// boxes, bitmaps, regions and tables, in logical units or in inches.

#include <QRect>

#include <memory>
#include <string>
#include <vector>

#include "shared_ui/printing/CPrinter.h"
#include "shared_ui/printing/ITableSurface.h"

class QPainter;
class CPrintRegion;
class CPrintTable;
struct TableDescription;

// The page of a print job being drawn and the rectangle it may be drawn in.
struct CPrintInfo {
    QRect m_rectDraw; // device units
    unsigned m_nCurPage = 1;
    unsigned m_nMinPage = 1;
    unsigned m_nMaxPage = 1;
    // Pixels per inch of the page (0: the device's). A smaller value scales the page down.
    double m_logPixelsX = 0.0;
    double m_logPixelsY = 0.0;
};

class CPage : public ITableSurface {
public:
    using FormatCallback = std::string (*)(int value);
    static constexpr int MM_TEXT = 1;
    static constexpr int MM_ANISOTROPIC = 8;
    static constexpr int GridSize = 1000;

    // mode 1: logical units are device units; mode 8: a 1000 x 1000 grid over the rectangle.
    CPage(const CPrintInfo &info, QPainter *dc, int mode);
    ~CPage() override;
    CPage(const CPage &) = delete;
    CPage &operator=(const CPage &) = delete;

    virtual void SetFormatCallback(FormatCallback callback);
    // Prints at the current row; col -1 continues after the last text. Returns the next row.
    virtual int PrintText(const char *text, int col, int flags, int size);
    virtual void PrintTableCell(TableDescription *table, int row, int col, int size, int flags, const char *format, ...)
        __attribute__((format(printf, 7, 8)));

    // In a region: row and column relative to its first usable row and column.
    virtual double PrintValue(CPrintRegion *region, double row, double col, int flags, int size, int value);
    virtual int PrintValue(CPrintRegion *region, int row, int col, int flags, int size, int value);
    virtual double Print(CPrintRegion *region, double row, double col, int flags, int size, const char *format, ...)
        __attribute__((format(printf, 7, 8)));
    virtual int Print(CPrintRegion *region, int row, int col, int flags, int size, const char *format, ...)
        __attribute__((format(printf, 7, 8)));

    // On the page with the current flags and size.
    virtual double PrintValue(double row, double col, int value);
    virtual int PrintValue(int row, int col, int value);
    virtual double Print(double row, double col, const char *format, ...) __attribute__((format(printf, 4, 5)));
    virtual int Print(int row, int col, const char *format, ...) __attribute__((format(printf, 4, 5)));

    // On the page with their own flags and size.
    virtual double PrintValue(double row, double col, int flags, int size, int value);
    virtual double Print(double row, double *col, int flags, int size, const char *format, ...)
        __attribute__((format(printf, 6, 7)));
    virtual double Print(double row, double col, int flags, int size, const char *format, ...)
        __attribute__((format(printf, 6, 7)));
    virtual int PrintValue(int row, int col, int flags, int size, int value);
    virtual int Print(int row, int *col, int flags, int size, const char *format, ...)
        __attribute__((format(printf, 6, 7)));
    virtual int Print(int row, int col, int flags, int size, const char *format, ...)
        __attribute__((format(printf, 6, 7)));

    // Text in a rectangle. Return the bottom of the text.
    virtual double PrintValueBox(CPrintRegion *region, double top, double left, double bottom, double right, int flags,
                                 int size, int value);
    virtual int PrintValueBox(CPrintRegion *region, int top, int left, int bottom, int right, int flags, int size,
                              int value);
    virtual double PrintBox(CPrintRegion *region, double top, double left, double bottom, double right, int flags,
                            int size, const char *text);
    virtual int PrintBox(CPrintRegion *region, int top, int left, int bottom, int right, int flags, int size,
                         const char *text);
    virtual double PrintValueBox(double top, double left, double bottom, double right, int flags, int size, int value);
    virtual int PrintValueBox(int top, int left, int bottom, int right, int flags, int size, int value);
    virtual double PrintBox(double top, double left, double bottom, double right, int flags, int size,
                            const char *text);
    virtual int PrintBox(int top, int left, int bottom, int right, int flags, int size, const char *text);

    virtual double SetLineSpacing(double factor);
    // Returns the previous face; null only queries.
    virtual std::string SetFontName(const char *face);
    virtual double GetNextColumn(bool inches, bool addWidth);
    KxColorRef SetTextColor(KxColorRef colour) override;
    int SetFontSize(int points) override;
    // > 0 sets, -1 resets to the page size, 0 only queries; each returns the old edge.
    virtual double SetRightEdge(double inches);
    virtual int SetRightEdge(int units);
    virtual double SetBottomEdge(double inches);
    virtual int SetBottomEdge(int units);

    virtual void DrawLine(CPrintRegion *region, double top, double left, double bottom, double right, int penWidth,
                          int style);
    virtual void DrawLine(CPrintRegion *region, int top, int left, int bottom, int right, int penWidth, int style);
    virtual void DrawLine(double top, double left, double bottom, double right, int penWidth, int style);
    virtual void DrawLine(int top, int left, int bottom, int right, int penWidth, int style);
    virtual void DrawBox(CPrintRegion *region, double top, double left, double bottom, double right, int penWidth,
                         int fill, int style);
    virtual void DrawBox(CPrintRegion *region, int top, int left, int bottom, int right, int penWidth, int fill,
                         int style);
    virtual void DrawBox(double top, double left, double bottom, double right, int penWidth, int fill, int style);
    virtual void DrawBox(int top, int left, int bottom, int right, int penWidth, int fill, int style);

    virtual double PrintCheckBox(CPrintRegion *region, const char *label, bool ticked, double row, double col, int size,
                                 bool labelFirst, int penWidth, int fill, int flags);
    virtual int PrintCheckBox(CPrintRegion *region, const char *label, bool ticked, int row, int col, int size,
                              bool labelFirst, int penWidth, int fill, int flags);
    virtual double PrintCheckBox(const char *label, bool ticked, double row, double col, int size, bool labelFirst,
                                 int penWidth, int fill, int flags);
    virtual int PrintCheckBox(const char *label, bool ticked, int row, int col, int size, bool labelFirst, int penWidth,
                              int fill, int flags);

    // Draws the table (header, frame, lines); null when it does not fit the page.
    virtual CPrintTable *CreateTable(TableDescription *table);
    virtual CPrintRegion *CreateRegion(int top, int left, int bottom, int right);
    virtual CPrintRegion *CreateRegion(double top, double left, double bottom, double right);

    virtual void PrintBitmap(double top, double left, double bottom, double right, const char *fileName);
    virtual void PrintBitmap(int top, int left, int bottom, int right, const char *fileName);

    // Width of a single line of text in logical units; nothing is drawn.
    int MeasureTextWidth(const char *text, int flags, int size);

    // Unit conversions along one axis; a value <= 0 inches gives 0 units.
    int InchesToUnitsX(double inches) const;
    int InchesToUnitsY(double inches) const;
    double UnitsToInchesX(int units) const;
    double UnitsToInchesY(int units) const;

    int GetMode() const { return m_mode; }
    int GetPageWidth() const { return m_state.pageWidth; }
    int GetPageHeight() const { return m_state.pageHeight; }
    int GetRightEdge() const { return m_state.right; }
    int GetBottomEdge() const { return m_state.bottom; }
    double GetLineSpacing() const { return m_spacing; }
    double GetLogPixelsX() const { return m_logPixelsX; }
    double GetLogPixelsY() const override { return m_logPixelsY; }
    const PrintState &GetState() const { return m_state; }
    std::size_t GetRegionCount() const { return m_regions.size(); }

protected:
    friend class CPrintRegion;

    bool IsGridMode() const override { return m_mode == MM_ANISOTROPIC; }
    void SaveState() override;
    void RestoreState() override;
    void DrawCellText(PrintState &state, double spacing) override { m_printer.DrawText(state, spacing); }
    void SetNextColumn(int col) override { m_nextCol = col; }
    // Row increased by the line-spacing rule.
    int ApplySpacing(int row) const;
    int PrintFormatted(int row, int col, int flags, int size, const std::string &text);
    int PrintInRegion(CPrintRegion *region, int row, int col, int flags, int size, const std::string &text);
    int PrintRect(int top, int left, int bottom, int right, int flags, int size, const std::string &text);
    int PrintRegionRect(CPrintRegion *region, int top, int left, int bottom, int right, int flags, int size,
                        const std::string &text);
    int CheckBox(const char *label, bool ticked, int row, int col, int size, bool labelFirst, int penWidth, int fill,
                 int flags);
    // A line or a box from (left, top) to (right, bottom) in its own print state.
    void Shape(bool box, int top, int left, int bottom, int right, int penWidth, int fill, int style);
    void Line(int top, int left, int bottom, int right, int penWidth, int style) override;
    void Box(int top, int left, int bottom, int right, int penWidth, int fill, int style) override;
    void ApplyFlagsAndSize(int flags, int size);
    std::string ValueText(int value) const;

    CPrinter m_printer;
    PrintState m_state;
    std::vector<PrintState> m_stack; // saved states, usually at most four deep
    double m_logPixelsX = 96.0;
    double m_logPixelsY = 96.0;
    int m_nextCol = 0;
    PrintTextMetric m_metrics;
    FormatCallback m_callback = nullptr;
    double m_spacing = 1.0;
    double m_widthInches = 0.0;
    double m_heightInches = 0.0;
    int m_mode = MM_TEXT;
    std::vector<std::unique_ptr<CPrintRegion>> m_regions;
};
