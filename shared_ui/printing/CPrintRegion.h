#pragma once
// A rectangular part of a page: a border, a title band and text placed relative to it.

class CPage;

class CPrintRegion {
public:
    CPrintRegion() = default;
    virtual ~CPrintRegion();
    CPrintRegion(const CPrintRegion &) = delete;
    CPrintRegion &operator=(const CPrintRegion &) = delete;

    // Refused (false) when the region does not lie on the page; clipped to the page's edges.
    virtual bool Create(CPage *page, int top, int left, int right, int bottom);
    // Title in the region's top band; the first usable row moves below it.
    virtual void PrintTitle(const char *text, int size, int flags, int fill);
    virtual void DrawBorder();

    int GetFirstRow() const { return m_firstRow; }
    int GetFirstCol() const { return m_firstCol; }
    int GetTop() const { return m_top; }
    int GetLeft() const { return m_left; }
    int GetRight() const { return m_right; }
    int GetBottom() const { return m_bottom; }

private:
    friend class CPage;
    int m_firstRow = 0;
    int m_firstCol = 0;
    int m_top = 0;
    int m_left = 0;
    int m_right = 0;
    int m_bottom = 0;
    CPage *m_page = nullptr;
};
