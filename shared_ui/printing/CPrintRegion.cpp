#include "shared_ui/printing/CPrintRegion.h"

#include <algorithm>

#include "shared_ui/printing/CPage.h"

CPrintRegion::~CPrintRegion() = default;

bool CPrintRegion::Create(CPage *page, int top, int left, int right, int bottom)
{
    if (page == nullptr)
        return false;
    if (top < 0 || left < 0 || right > page->GetPageWidth() || bottom > page->GetPageHeight()) {
        return false;
    }
    m_page = page;
    m_top = top;
    m_left = left;
    m_right = std::min(right, page->GetRightEdge());
    m_bottom = std::min(bottom, page->GetBottomEdge());
    m_firstRow = top + 1;
    m_firstCol = left + 1;
    return true;
}

void CPrintRegion::PrintTitle(const char *text, int size, int flags, int fill)
{
    if (m_page == nullptr)
        return;
    m_page->SaveState();
    PrintState &state = m_page->m_state;
    if (size > 0)
        state.pointSize = size;
    if (flags != print_flags::Keep)
        state.flags = flags;
    if (fill != print_flags::Keep)
        state.fill = fill;
    state.text = text != nullptr ? text : "";
    state.col = m_left;
    state.row = m_top;
    state.right = m_right;
    state.bottom = m_bottom;
    int band = 0;
    if (state.flags & print_flags::Frame) {
        m_page->m_printer.MeasureText(state, 1.0);
        band = state.textHeight;
    } else {
        band = m_page->InchesToUnitsY(2.0 * state.pointSize / 72.0);
    }
    state.bottom = std::min(m_top + band, m_bottom);
    m_page->m_printer.DrawText(state, 1.0);
    m_page->RestoreState();
    m_firstRow = m_top + band + 1;
}

void CPrintRegion::DrawBorder()
{
    if (m_page == nullptr)
        return;
    m_page->Box(m_top, m_left, m_bottom, m_right, 1, 0, print_line::Solid);
}
