#pragma once

// Shows the wait cursor for its lifetime and restores the cursor on every path,
// exceptions included. Does nothing without a GUI application.

namespace kxres {

class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor &) = delete;
    CWaitCursor &operator=(const CWaitCursor &) = delete;

    // Restores the cursor early; the destructor then does nothing.
    void Restore();

private:
    bool m_active = false;
};

} // namespace kxres
