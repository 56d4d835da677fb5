#include "shared_ui/printing/CPage.h"

#include <QColor>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "shared_ui/printing/BitmapFile.h"
#include "shared_ui/printing/CPrintRegion.h"
#include "shared_ui/printing/CPrintTable.h"

namespace {

constexpr std::size_t FormatBufferSize = 5120;
constexpr std::size_t CellBufferSize = 1000;
// Guards the truncation of inch conversions against rounding just below a whole unit.
constexpr double Epsilon = 1e-9;

std::string FormatV(std::size_t size, const char *format, va_list args)
{
    if (format == nullptr)
        return std::string();
    std::string buffer(size, '\0');
    const int written = std::vsnprintf(buffer.data(), size, format, args);
    if (written < 0)
        return std::string();
    buffer.resize(std::min<std::size_t>(static_cast<std::size_t>(written), size - 1));
    return buffer;
}

} // namespace

CPage::CPage(const CPrintInfo &info, QPainter *dc, int mode)
    : m_mode(mode == MM_ANISOTROPIC ? MM_ANISOTROPIC : MM_TEXT)
{
    QPaintDevice *device = (dc != nullptr) ? dc->device() : nullptr;
    m_logPixelsX = info.m_logPixelsX > 0.0 ? info.m_logPixelsX : (device != nullptr ? device->logicalDpiX() : 96.0);
    m_logPixelsY = info.m_logPixelsY > 0.0 ? info.m_logPixelsY : (device != nullptr ? device->logicalDpiY() : 96.0);
    m_state.dc = dc;
    m_state.metrics = &m_metrics;
    m_state.logPixelsX = m_logPixelsX;
    m_state.logPixelsY = m_logPixelsY;

    const QRect &rect = info.m_rectDraw;
    if (dc != nullptr && dc->isActive()) {
        dc->save();
        if (m_mode == MM_ANISOTROPIC) {
            dc->setViewTransformEnabled(true);
            dc->setWindow(0, 0, GridSize, GridSize);
            dc->setViewport(rect);
        } else {
            dc->setViewTransformEnabled(false);
        }
    }
    if (m_mode == MM_ANISOTROPIC) {
        m_state.pageWidth = GridSize;
        m_state.pageHeight = GridSize;
    } else {
        m_state.pageWidth = rect.left() + rect.width();
        m_state.pageHeight = rect.top() + rect.height();
    }
    m_state.right = m_state.pageWidth;
    m_state.bottom = m_state.pageHeight;
    m_widthInches = rect.width() / m_logPixelsX;
    m_heightInches = rect.height() / m_logPixelsY;
    m_stack.reserve(10);
}

CPage::~CPage()
{
    m_regions.clear();
    if (m_state.dc != nullptr && m_state.dc->isActive())
        m_state.dc->restore();
}

// ---- units -------------------------------------------------------------------------------

int CPage::InchesToUnitsX(double inches) const
{
    if (inches <= 0.0)
        return 0;
    if (m_mode == MM_TEXT)
        return static_cast<int>(inches * m_logPixelsX + Epsilon);
    if (m_widthInches <= 0.0)
        return 0;
    return static_cast<int>(inches / (m_widthInches / m_state.pageWidth) + Epsilon);
}

int CPage::InchesToUnitsY(double inches) const
{
    if (inches <= 0.0)
        return 0;
    if (m_mode == MM_TEXT)
        return static_cast<int>(inches * m_logPixelsY + Epsilon);
    if (m_heightInches <= 0.0)
        return 0;
    return static_cast<int>(inches / (m_heightInches / m_state.pageHeight) + Epsilon);
}

double CPage::UnitsToInchesX(int units) const
{
    if (units < 1)
        return 0.0;
    if (m_mode == MM_TEXT)
        return units / m_logPixelsX;
    return units * (m_widthInches / m_state.pageWidth);
}

double CPage::UnitsToInchesY(int units) const
{
    if (units < 1)
        return 0.0;
    if (m_mode == MM_TEXT)
        return units / m_logPixelsY;
    return units * (m_heightInches / m_state.pageHeight);
}

// ---- state -------------------------------------------------------------------------------

void CPage::SaveState()
{
    m_stack.push_back(m_state);
}

void CPage::RestoreState()
{
    if (m_stack.empty())
        return;
    m_state = m_stack.back();
    m_stack.pop_back();
}

int CPage::ApplySpacing(int row) const
{
    if (m_spacing <= 1.0)
        return row;
    const int fontHeight = InchesToUnitsY(m_state.pointSize / 72.0);
    return row + static_cast<int>(fontHeight * (m_spacing - 1.0));
}

void CPage::ApplyFlagsAndSize(int flags, int size)
{
    if (flags != print_flags::Keep)
        m_state.flags = flags;
    if (size > 0)
        m_state.pointSize = size;
}

std::string CPage::ValueText(int value) const
{
    return m_callback(value);
}

void CPage::SetFormatCallback(FormatCallback callback)
{
    m_callback = callback;
}

// ---- text --------------------------------------------------------------------------------

int CPage::PrintText(const char *text, int col, int flags, int size)
{
    if (col == -1)
        col = m_nextCol;
    if (col > m_state.right || m_state.row > m_state.bottom)
        return m_state.row;
    ApplyFlagsAndSize(flags, size);
    m_state.col = col;
    m_state.text = text != nullptr ? text : "";
    m_printer.DrawText(m_state, m_spacing);
    m_nextCol = m_state.colAfter;
    return m_state.lastBottom;
}

int CPage::PrintFormatted(int row, int col, int flags, int size, const std::string &text)
{
    m_state.row = row;
    return ApplySpacing(PrintText(text.c_str(), col, flags, size));
}

int CPage::PrintInRegion(CPrintRegion *region, int row, int col, int flags, int size, const std::string &text)
{
    if (region == nullptr)
        return 0;
    SaveState();
    m_state.row = region->m_firstRow + row;
    m_state.right = region->m_right;
    m_state.bottom = region->m_bottom;
    const int next = ApplySpacing(PrintText(text.c_str(), region->m_firstCol + col, flags, size));
    RestoreState();
    return next - region->m_firstRow;
}

void CPage::PrintTableCell(TableDescription *table, int row, int col, int size, int flags, const char *format, ...)
{
    if (table == nullptr || !table->table)
        return;
    va_list args;
    va_start(args, format);
    const std::string text = FormatV(CellBufferSize, format, args);
    va_end(args);
    SaveState();
    if (table->freeForm) {
        table->table->PrintFreeCell(text.c_str(), row, col, size, flags);
    } else {
        table->table->PrintCell(text.c_str(), row, col, size, flags);
    }
    RestoreState();
}

double CPage::PrintValue(CPrintRegion *region, double row, double col, int flags, int size, int value)
{
    return UnitsToInchesY(PrintValue(region, InchesToUnitsY(row), InchesToUnitsX(col), flags, size, value));
}

int CPage::PrintValue(CPrintRegion *region, int row, int col, int flags, int size, int value)
{
    if (m_callback == nullptr)
        return 0;
    return PrintInRegion(region, row, col, flags, size, ValueText(value));
}

double CPage::Print(CPrintRegion *region, double row, double col, int flags, int size, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = FormatV(FormatBufferSize, format, args);
    va_end(args);
    return UnitsToInchesY(PrintInRegion(region, InchesToUnitsY(row), InchesToUnitsX(col), flags, size, text));
}

int CPage::Print(CPrintRegion *region, int row, int col, int flags, int size, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = FormatV(FormatBufferSize, format, args);
    va_end(args);
    return PrintInRegion(region, row, col, flags, size, text);
}

double CPage::PrintValue(double row, double col, int value)
{
    return UnitsToInchesY(PrintValue(InchesToUnitsY(row), InchesToUnitsX(col), value));
}

int CPage::PrintValue(int row, int col, int value)
{
    if (m_callback == nullptr)
        return 0;
    return PrintFormatted(row, col, print_flags::Keep, 0, ValueText(value));
}

double CPage::Print(double row, double col, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = FormatV(FormatBufferSize, format, args);
    va_end(args);
    return UnitsToInchesY(PrintFormatted(InchesToUnitsY(row), InchesToUnitsX(col), print_flags::Keep, 0, text));
}

int CPage::Print(int row, int col, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = FormatV(FormatBufferSize, format, args);
    va_end(args);
    return PrintFormatted(row, col, print_flags::Keep, 0, text);
}

double CPage::PrintValue(double row, double col, int flags, int size, int value)
{
    return UnitsToInchesY(PrintValue(InchesToUnitsY(row), InchesToUnitsX(col), flags, size, value));
}

double CPage::Print(double row, double *col, int flags, int size, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = FormatV(FormatBufferSize, format, args);
    va_end(args);
    const int start = col != nullptr ? InchesToUnitsX(*col) : -1;
    const int next = PrintFormatted(InchesToUnitsY(row), start, flags, size, text);
    if (col != nullptr)
        *col = UnitsToInchesX(m_nextCol);
    return UnitsToInchesY(next);
}

double CPage::Print(double row, double col, int flags, int size, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = FormatV(FormatBufferSize, format, args);
    va_end(args);
    return UnitsToInchesY(PrintFormatted(InchesToUnitsY(row), InchesToUnitsX(col), flags, size, text));
}

int CPage::PrintValue(int row, int col, int flags, int size, int value)
{
    if (m_callback == nullptr)
        return 0;
    return PrintFormatted(row, col, flags, size, ValueText(value));
}

int CPage::Print(int row, int *col, int flags, int size, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = FormatV(FormatBufferSize, format, args);
    va_end(args);
    const int next = PrintFormatted(row, col != nullptr ? *col : -1, flags, size, text);
    if (col != nullptr)
        *col = m_nextCol;
    return next;
}

int CPage::Print(int row, int col, int flags, int size, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = FormatV(FormatBufferSize, format, args);
    va_end(args);
    return PrintFormatted(row, col, flags, size, text);
}

// ---- text in rectangles ------------------------------------------------------------------

int CPage::PrintRect(int top, int left, int bottom, int right, int flags, int size, const std::string &text)
{
    if (left > m_state.right || top > m_state.bottom)
        return top;
    SaveState();
    ApplyFlagsAndSize(flags, size);
    m_state.col = left;
    m_state.row = top;
    m_state.right = right;
    m_state.bottom = bottom;
    m_state.text = text;
    m_printer.DrawText(m_state, m_spacing);
    m_nextCol = m_state.colAfter;
    const int next = m_state.lastBottom;
    RestoreState();
    return next;
}

int CPage::PrintRegionRect(CPrintRegion *region, int top, int left, int bottom, int right, int flags, int size,
                           const std::string &text)
{
    if (region == nullptr)
        return 0;
    SaveState();
    m_state.right = region->m_right;
    m_state.bottom = region->m_bottom;
    const int next = PrintRect(region->m_firstRow + top, region->m_firstCol + left,
                               std::min(region->m_firstRow + bottom, region->m_bottom),
                               std::min(region->m_firstCol + right, region->m_right), flags, size, text);
    RestoreState();
    return next - region->m_firstRow;
}

double CPage::PrintValueBox(CPrintRegion *region, double top, double left, double bottom, double right, int flags,
                            int size, int value)
{
    return UnitsToInchesY(PrintValueBox(region, InchesToUnitsY(top), InchesToUnitsX(left), InchesToUnitsY(bottom),
                                        InchesToUnitsX(right), flags, size, value));
}

int CPage::PrintValueBox(CPrintRegion *region, int top, int left, int bottom, int right, int flags, int size, int value)
{
    if (m_callback == nullptr)
        return 0;
    return PrintRegionRect(region, top, left, bottom, right, flags, size, ValueText(value));
}

double CPage::PrintBox(CPrintRegion *region, double top, double left, double bottom, double right, int flags, int size,
                       const char *text)
{
    return UnitsToInchesY(PrintBox(region, InchesToUnitsY(top), InchesToUnitsX(left), InchesToUnitsY(bottom),
                                   InchesToUnitsX(right), flags, size, text));
}

int CPage::PrintBox(CPrintRegion *region, int top, int left, int bottom, int right, int flags, int size,
                    const char *text)
{
    return PrintRegionRect(region, top, left, bottom, right, flags, size, text ? text : "");
}

double CPage::PrintValueBox(double top, double left, double bottom, double right, int flags, int size, int value)
{
    return UnitsToInchesY(PrintValueBox(InchesToUnitsY(top), InchesToUnitsX(left), InchesToUnitsY(bottom),
                                        InchesToUnitsX(right), flags, size, value));
}

int CPage::PrintValueBox(int top, int left, int bottom, int right, int flags, int size, int value)
{
    if (m_callback == nullptr)
        return 0;
    return PrintRect(top, left, bottom, right, flags, size, ValueText(value));
}

double CPage::PrintBox(double top, double left, double bottom, double right, int flags, int size, const char *text)
{
    return UnitsToInchesY(PrintBox(InchesToUnitsY(top), InchesToUnitsX(left), InchesToUnitsY(bottom),
                                   InchesToUnitsX(right), flags, size, text));
}

int CPage::PrintBox(int top, int left, int bottom, int right, int flags, int size, const char *text)
{
    return PrintRect(top, left, bottom, right, flags, size, text ? text : "");
}

int CPage::MeasureTextWidth(const char *text, int flags, int size)
{
    SaveState();
    ApplyFlagsAndSize(flags, size);
    m_state.flags |= print_flags::SingleLine;
    m_state.col = 0;
    m_state.row = 0;
    m_state.right = 0;
    m_state.bottom = 0;
    m_state.text = text != nullptr ? text : "";
    m_printer.MeasureText(m_state, 1.0);
    const int width = m_state.lastRight - m_state.lastLeft;
    RestoreState();
    return width;
}

// ---- settings ----------------------------------------------------------------------------

double CPage::SetLineSpacing(double factor)
{
    const double old = m_spacing;
    if (factor > 0.0)
        m_spacing = factor;
    return old;
}

std::string CPage::SetFontName(const char *face)
{
    std::string old = m_state.fontFace;
    if (face != nullptr)
        m_state.fontFace = face;
    return old;
}

double CPage::GetNextColumn(bool inches, bool addWidth)
{
    const int col = m_nextCol + (addWidth ? m_metrics.maxCharWidth : 0);
    return inches ? UnitsToInchesX(col) : static_cast<double>(col);
}

KxColorRef CPage::SetTextColor(KxColorRef colour)
{
    if (m_state.dc == nullptr)
        return 0;
    const QColor old = m_state.dc->pen().color();
    QPen pen = m_state.dc->pen();
    pen.setColor(QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
    m_state.dc->setPen(pen);
    return static_cast<KxColorRef>(old.red()) | (static_cast<KxColorRef>(old.green()) << 8) |
           (static_cast<KxColorRef>(old.blue()) << 16);
}

int CPage::SetFontSize(int points)
{
    const int old = m_state.pointSize;
    if (points > 0)
        m_state.pointSize = points;
    return old;
}

namespace {

// Resets the edge to the page size or sets it to units; neither only queries.
int SetEdge(int &edge, int pageSize, bool reset, bool set, int units)
{
    const int old = edge;
    if (reset) {
        edge = pageSize;
    } else if (set) {
        edge = units;
    }
    return old;
}

} // namespace

double CPage::SetRightEdge(double inches)
{
    return UnitsToInchesX(
        SetEdge(m_state.right, m_state.pageWidth, inches == -1.0, inches > 0.0, InchesToUnitsX(inches)));
}

int CPage::SetRightEdge(int units)
{
    return SetEdge(m_state.right, m_state.pageWidth, units == -1, units > 0, units);
}

double CPage::SetBottomEdge(double inches)
{
    return UnitsToInchesY(
        SetEdge(m_state.bottom, m_state.pageHeight, inches == -1.0, inches > 0.0, InchesToUnitsY(inches)));
}

int CPage::SetBottomEdge(int units)
{
    return SetEdge(m_state.bottom, m_state.pageHeight, units == -1, units > 0, units);
}

// ---- lines and boxes ---------------------------------------------------------------------

void CPage::Shape(bool box, int top, int left, int bottom, int right, int penWidth, int fill, int style)
{
    SaveState();
    m_state.col = left;
    m_state.row = top;
    m_state.right = right;
    m_state.bottom = bottom;
    if (fill != print_flags::Keep)
        m_state.fill = fill;
    if (style != print_flags::Keep)
        m_state.lineStyle = style;
    if (box) {
        m_printer.DrawBox(m_state, penWidth);
    } else {
        m_printer.DrawLine(m_state, penWidth);
    }
    RestoreState();
}

void CPage::Line(int top, int left, int bottom, int right, int penWidth, int style)
{
    Shape(false, top, left, bottom, right, penWidth, print_flags::Keep, style);
}

void CPage::Box(int top, int left, int bottom, int right, int penWidth, int fill, int style)
{
    Shape(true, top, left, bottom, right, penWidth, fill, style);
}

void CPage::DrawLine(CPrintRegion *region, double top, double left, double bottom, double right, int penWidth,
                     int style)
{
    DrawLine(region, InchesToUnitsY(top), InchesToUnitsX(left), InchesToUnitsY(bottom), InchesToUnitsX(right), penWidth,
             style);
}

void CPage::DrawLine(CPrintRegion *region, int top, int left, int bottom, int right, int penWidth, int style)
{
    if (region == nullptr)
        return;
    Line(std::min(region->m_firstRow + top, region->m_bottom), std::min(region->m_firstCol + left, region->m_right),
         std::min(region->m_firstRow + bottom, region->m_bottom), std::min(region->m_firstCol + right, region->m_right),
         penWidth, style);
}

void CPage::DrawLine(double top, double left, double bottom, double right, int penWidth, int style)
{
    Line(InchesToUnitsY(top), InchesToUnitsX(left), InchesToUnitsY(bottom), InchesToUnitsX(right), penWidth, style);
}

void CPage::DrawLine(int top, int left, int bottom, int right, int penWidth, int style)
{
    Line(top, left, bottom, right, penWidth, style);
}

void CPage::DrawBox(CPrintRegion *region, double top, double left, double bottom, double right, int penWidth, int fill,
                    int style)
{
    DrawBox(region, InchesToUnitsY(top), InchesToUnitsX(left), InchesToUnitsY(bottom), InchesToUnitsX(right), penWidth,
            fill, style);
}

void CPage::DrawBox(CPrintRegion *region, int top, int left, int bottom, int right, int penWidth, int fill, int style)
{
    if (region == nullptr)
        return;
    Box(std::min(region->m_firstRow + top, region->m_bottom), std::min(region->m_firstCol + left, region->m_right),
        std::min(region->m_firstRow + bottom, region->m_bottom), std::min(region->m_firstCol + right, region->m_right),
        penWidth, fill, style);
}

void CPage::DrawBox(double top, double left, double bottom, double right, int penWidth, int fill, int style)
{
    Box(InchesToUnitsY(top), InchesToUnitsX(left), InchesToUnitsY(bottom), InchesToUnitsX(right), penWidth, fill,
        style);
}

void CPage::DrawBox(int top, int left, int bottom, int right, int penWidth, int fill, int style)
{
    Box(top, left, bottom, right, penWidth, fill, style);
}

// ---- check boxes -------------------------------------------------------------------------

int CPage::CheckBox(const char *label, bool ticked, int row, int col, int size, bool labelFirst, int penWidth, int fill,
                    int flags)
{
    SaveState();
    if (size > 0)
        m_state.pointSize = size;
    const int sideX = InchesToUnitsX(m_state.pointSize / 72.0);
    const int sideY = InchesToUnitsY(m_state.pointSize / 72.0);
    const std::string text = label != nullptr ? label : "";
    int next = row;
    int boxLeft = col;
    if (labelFirst) {
        next = PrintFormatted(row, col, flags, size, text);
        boxLeft = m_nextCol + m_metrics.maxCharWidth;
    } else {
        next = PrintFormatted(row, col + sideX + sideX / 2, flags, size, text);
    }
    const bool filled = ticked && fill != 0;
    Box(row, boxLeft, row + sideY, boxLeft + sideX, penWidth, filled ? fill : 0, print_line::Solid);
    if (ticked && !filled) {
        Line(row, boxLeft, row + sideY, boxLeft + sideX, penWidth, print_line::Solid);
        Line(row + sideY, boxLeft, row, boxLeft + sideX, penWidth, print_line::Solid);
    }
    if (next < row + sideY)
        next = row + sideY;
    RestoreState();
    return next;
}

double CPage::PrintCheckBox(CPrintRegion *region, const char *label, bool ticked, double row, double col, int size,
                            bool labelFirst, int penWidth, int fill, int flags)
{
    return UnitsToInchesY(PrintCheckBox(region, label, ticked, InchesToUnitsY(row), InchesToUnitsX(col), size,
                                        labelFirst, penWidth, fill, flags));
}

int CPage::PrintCheckBox(CPrintRegion *region, const char *label, bool ticked, int row, int col, int size,
                         bool labelFirst, int penWidth, int fill, int flags)
{
    if (region == nullptr)
        return 0;
    SaveState();
    m_state.right = region->m_right;
    m_state.bottom = region->m_bottom;
    const int next = CheckBox(label, ticked, region->m_firstRow + row, region->m_firstCol + col, size, labelFirst,
                              penWidth, fill, flags);
    RestoreState();
    return next - region->m_firstRow;
}

double CPage::PrintCheckBox(const char *label, bool ticked, double row, double col, int size, bool labelFirst,
                            int penWidth, int fill, int flags)
{
    return UnitsToInchesY(
        CheckBox(label, ticked, InchesToUnitsY(row), InchesToUnitsX(col), size, labelFirst, penWidth, fill, flags));
}

int CPage::PrintCheckBox(const char *label, bool ticked, int row, int col, int size, bool labelFirst, int penWidth,
                         int fill, int flags)
{
    return CheckBox(label, ticked, row, col, size, labelFirst, penWidth, fill, flags);
}

// ---- tables, regions, bitmaps ------------------------------------------------------------

CPrintTable *CPage::CreateTable(TableDescription *table)
{
    if (table == nullptr)
        return nullptr;
    table->table.reset();
    if (table->columns < 1 || table->rows < 0)
        return nullptr;
    table->columns = std::min(table->columns, TableDescription::MaxColumns);
    if (table->inInches && !table->converted) {
        table->top = InchesToUnitsY(table->top);
        table->left = InchesToUnitsX(table->left);
        table->right = InchesToUnitsX(table->right);
        table->bottom = InchesToUnitsY(table->bottom);
        for (int c = 0; c < table->columns; ++c) {
            table->column[static_cast<std::size_t>(c)].width =
                InchesToUnitsX(table->column[static_cast<std::size_t>(c)].width);
        }
        table->converted = true;
    }
    if (m_state.right < table->right)
        return nullptr;
    table->table = std::make_unique<CPrintTable>(&m_state, table, this);
    SaveState();
    table->table->PrintTable();
    if (table->inInches)
        table->bottom = UnitsToInchesY(static_cast<int>(table->bottom));
    RestoreState();
    return table->table.get();
}

CPrintRegion *CPage::CreateRegion(int top, int left, int bottom, int right)
{
    auto region = std::make_unique<CPrintRegion>();
    if (!region->Create(this, top, left, right, bottom))
        return nullptr;
    m_regions.push_back(std::move(region));
    return m_regions.back().get();
}

CPrintRegion *CPage::CreateRegion(double top, double left, double bottom, double right)
{
    return CreateRegion(InchesToUnitsY(top), InchesToUnitsX(left), InchesToUnitsY(bottom), InchesToUnitsX(right));
}

void CPage::PrintBitmap(double top, double left, double bottom, double right, const char *fileName)
{
    PrintBitmap(InchesToUnitsY(top), InchesToUnitsX(left), InchesToUnitsY(bottom), InchesToUnitsX(right), fileName);
}

void CPage::PrintBitmap(int top, int left, int bottom, int right, const char *fileName)
{
    SaveState();
    m_state.col = left;
    m_state.row = top;
    m_state.right = right;
    m_state.bottom = bottom;
    m_state.text = fileName != nullptr ? fileName : "";
    ::PrintBitmap(m_state);
    RestoreState();
}
