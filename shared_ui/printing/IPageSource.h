#pragma once
// What the preview and the printer ask of a document they show page by page.

class QPainter;
struct CPrintInfo;

class IPageSource {
public:
    virtual ~IPageSource() = default;

    // A job starts: pages laid out for an earlier one are built again.
    virtual void BeginJob() = 0;
    // Never less than one page.
    virtual int GetPageCount() const = 0;
    // Draws page info->m_nCurPage on the painter.
    virtual void OnPrint(QPainter *dc, CPrintInfo *info) = 0;
};
