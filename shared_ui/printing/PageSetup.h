#pragma once

// The program's one page setup (paper, orientation, margins): every print job of
// the program starts from it, and Page Orientation Setup edits it.

#include <QPageLayout>

class QPrinter;
class QWidget;

namespace kxres {

QPageLayout ProgramPageLayout();
void SetProgramPageLayout(const QPageLayout &layout);
// Gives printer the program's paper, orientation and margins.
void ApplyProgramPageSetup(QPrinter &printer);
// The page setup dialog on the program's setup; false on Cancel.
bool EditProgramPageSetup(QWidget *parent);

} // namespace kxres
