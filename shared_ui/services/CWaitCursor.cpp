#include "shared_ui/services/CWaitCursor.h"

#include <QApplication>
#include <QCursor>

namespace kxres {

CWaitCursor::CWaitCursor()
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        m_active = true;
    }
}

CWaitCursor::~CWaitCursor()
{
    Restore();
}

void CWaitCursor::Restore()
{
    if (m_active) {
        QApplication::restoreOverrideCursor();
        m_active = false;
    }
}

} // namespace kxres
