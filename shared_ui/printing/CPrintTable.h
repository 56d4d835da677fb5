#pragma once
// A grid table on a page, described by the caller's TableDescription.

#include <array>
#include <memory>
#include <string>

class CPrintTable;
class ITableSurface;
struct PrintState;

struct TableColumn {
    double width = 0.0;
    std::string title; // empty: "Col %d"
};

// Made, filled and destroyed by the caller; destroying it deletes its CPrintTable.
struct TableDescription {
    static constexpr int MaxColumns = 20;

    TableDescription();
    ~TableDescription();
    TableDescription(const TableDescription &) = delete;
    TableDescription &operator=(const TableDescription &) = delete;

    int inInches = 0;   // 1: positions and widths are inches
    int autoWidth = 1;  // 1: every column gets (right - left) / columns
    int headerFill = 0; // fill pattern of the header; 2 or more makes its text white
    int pointSize = 10;
    int penWidth = 1;
    int columns = 2;
    int rows = 2;
    int frame = 1;
    int columnLines = 1;
    int rowLines = 1;
    int freeForm = 0;
    int noHeader = 0;
    int headerLines = 1;
    int linesPerRow = 1;
    double top = 0.0;
    double left = 0.0;
    double right = 0.0;
    double bottom = 0.0; // set by the table: top + its height
    std::array<TableColumn, MaxColumns> column;
    std::unique_ptr<CPrintTable> table;
    bool converted = false; // positions already in logical units
};

class CPrintTable {
public:
    CPrintTable(PrintState *cell, TableDescription *description, ITableSurface *page);
    virtual ~CPrintTable();
    CPrintTable(const CPrintTable &) = delete;
    CPrintTable &operator=(const CPrintTable &) = delete;

    virtual void PrintTable();
    virtual void PrintCell(const char *text, int row, int col, int size, int flags);
    virtual void PrintFreeCell(const char *text, int row, int col, int size, int flags);
    virtual void PrintHeader();
    virtual void PrintFrame();
    virtual void PrintRowLines();
    virtual void PrintColumnLines();
    // Height of a data row (true) or of a header line (false), logical units.
    virtual int RowHeight(bool dataRow);

    int HeaderHeight();
    int ColumnLeft(int col) const;
    int ColumnCount() const;

private:
    void Cell(const char *text, int row, int col, int size, int flags, int inset, bool fixed);

    PrintState *m_cell;
    TableDescription *m_desc;
    ITableSurface *m_page;
};
