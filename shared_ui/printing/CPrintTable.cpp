#include "shared_ui/printing/CPrintTable.h"

#include <algorithm>
#include <string>

#include "shared_ui/printing/CPrinter.h"
#include "shared_ui/printing/ITableSurface.h"

TableDescription::TableDescription() = default;
TableDescription::~TableDescription() = default;

CPrintTable::CPrintTable(PrintState *cell, TableDescription *description, ITableSurface *page)
    : m_cell(cell)
    , m_desc(description)
    , m_page(page)
{}

CPrintTable::~CPrintTable() = default;

int CPrintTable::ColumnCount() const
{
    return std::clamp(m_desc->columns, 0, TableDescription::MaxColumns);
}

int CPrintTable::ColumnLeft(int col) const
{
    double x = m_desc->left;
    for (int c = 0; c < col && c < ColumnCount(); ++c) {
        x += m_desc->column[static_cast<std::size_t>(c)].width;
    }
    return static_cast<int>(x);
}

int CPrintTable::RowHeight(bool dataRow)
{
    double base = m_desc->pointSize;
    if (!m_page->IsGridMode()) {
        base = m_desc->pointSize / 72.0 * m_page->GetLogPixelsY();
    }
    if (dataRow)
        return static_cast<int>(1.5 * base) * std::max(1, m_desc->linesPerRow);
    return static_cast<int>(m_desc->headerLines == 1 ? 1.5 * base : base);
}

int CPrintTable::HeaderHeight()
{
    if (m_desc->noHeader)
        return 0;
    return m_desc->headerLines * RowHeight(false);
}

void CPrintTable::PrintTable()
{
    m_page->SaveState();
    const int columns = ColumnCount();
    if (m_desc->autoWidth && columns > 0) {
        const int width = static_cast<int>((m_desc->right - m_desc->left) / columns);
        for (int c = 0; c < columns; ++c)
            m_desc->column[static_cast<std::size_t>(c)].width = width;
    }
    PrintHeader();
    PrintFrame();
    PrintRowLines();
    PrintColumnLines();
    m_page->RestoreState();
}

void CPrintTable::PrintHeader()
{
    if (m_desc->noHeader)
        return;
    const int columns = ColumnCount();
    if (columns < 1)
        return;
    m_page->SetFontSize(m_desc->pointSize);
    const int top = static_cast<int>(m_desc->top);
    const int left = static_cast<int>(m_desc->left);
    const int right = static_cast<int>(m_desc->right);
    const int bandBottom = top + HeaderHeight();
    m_page->Box(top, left, bandBottom, right, m_desc->penWidth, 0, print_line::Solid);

    // The columns end exactly at the table's right.
    double sum = 0.0;
    for (int c = 0; c < columns; ++c)
        sum += m_desc->column[static_cast<std::size_t>(c)].width;
    auto &last = m_desc->column[static_cast<std::size_t>(columns - 1)];
    last.width += m_desc->right - (m_desc->left + sum);

    for (int c = 0; c < columns; ++c) {
        const auto &column = m_desc->column[static_cast<std::size_t>(c)];
        std::string title = column.title;
        if (title.empty())
            title = "Col " + std::to_string(c + 1);
        m_page->SaveState();
        PrintState &state = *m_cell;
        state.col = ColumnLeft(c);
        state.row = top;
        state.right = ColumnLeft(c + 1);
        state.bottom = bandBottom;
        state.flags = 0x891;
        state.fill = m_desc->headerFill;
        state.pointSize = m_desc->pointSize;
        state.text = title;
        KxColorRef old = 0;
        if (m_desc->headerFill >= 2)
            old = m_page->SetTextColor(0x00FFFFFF);
        m_page->DrawCellText(state, 1.0);
        if (m_desc->headerFill >= 2)
            m_page->SetTextColor(old);
        m_page->RestoreState();
    }
}

void CPrintTable::PrintFrame()
{
    const int height = HeaderHeight() + m_desc->rows * RowHeight(true);
    m_desc->bottom = m_desc->top + height;
    if (m_desc->frame && !m_desc->freeForm) {
        m_page->Box(static_cast<int>(m_desc->top), static_cast<int>(m_desc->left), static_cast<int>(m_desc->bottom),
                    static_cast<int>(m_desc->right), m_desc->penWidth, 0, print_line::Solid);
    }
}

void CPrintTable::PrintRowLines()
{
    if (!m_desc->rowLines || m_desc->freeForm)
        return;
    const int rowHeight = RowHeight(true);
    int y = static_cast<int>(m_desc->top) + (m_desc->noHeader ? rowHeight : HeaderHeight());
    for (int r = 0; r < m_desc->rows; ++r) {
        m_page->Line(y, static_cast<int>(m_desc->left), y, static_cast<int>(m_desc->right), m_desc->penWidth,
                     print_line::Solid);
        y += rowHeight;
    }
}

void CPrintTable::PrintColumnLines()
{
    if (!m_desc->columnLines || m_desc->freeForm)
        return;
    const int top = static_cast<int>(m_desc->top) + HeaderHeight();
    for (int c = 1; c < ColumnCount(); ++c) {
        const int x = ColumnLeft(c);
        m_page->Line(top, x, static_cast<int>(m_desc->bottom), x, m_desc->penWidth, print_line::Solid);
    }
}

void CPrintTable::Cell(const char *text, int row, int col, int size, int flags, int inset, bool fixed)
{
    if (row < 0 || row >= m_desc->rows || col < 0 || col >= ColumnCount())
        return;
    if (size < 1)
        size = m_desc->pointSize;
    if (fixed && m_desc->rowLines && !m_desc->freeForm && size > m_desc->pointSize) {
        size = m_desc->pointSize;
    }
    const int rowHeight = RowHeight(true);
    const int top = static_cast<int>(m_desc->top) + HeaderHeight() + row * rowHeight;
    PrintState &state = *m_cell;
    state.col = ColumnLeft(col) + inset;
    state.right = ColumnLeft(col + 1) - inset;
    state.row = top + inset;
    state.bottom = top + rowHeight - inset;
    state.pointSize = size;
    state.flags = flags;
    if (fixed && m_desc->linesPerRow == 1)
        state.flags |= 0xA00;
    state.text = text != nullptr ? text : "";
    m_page->DrawCellText(state, 2.0);
    m_page->SetNextColumn(state.colAfter);
}

void CPrintTable::PrintCell(const char *text, int row, int col, int size, int flags)
{
    Cell(text, row, col, size, flags, 2, true);
}

void CPrintTable::PrintFreeCell(const char *text, int row, int col, int size, int flags)
{
    Cell(text, row, col, size, flags, 1, false);
}
