#include "shared_ui/printing/PageSetup.h"

#include <QPageSetupDialog>
#include <QPrinter>

#include <optional>

namespace kxres {

namespace {

std::optional<QPageLayout> &Stored()
{
    static std::optional<QPageLayout> layout;
    return layout;
}

} // namespace

QPageLayout ProgramPageLayout()
{
    if (!Stored()) {
        QPrinter printer(QPrinter::HighResolution);
        Stored() = printer.pageLayout();
    }
    return *Stored();
}

void SetProgramPageLayout(const QPageLayout &layout)
{
    if (layout.isValid())
        Stored() = layout;
}

void ApplyProgramPageSetup(QPrinter &printer)
{
    printer.setPageLayout(ProgramPageLayout());
}

bool EditProgramPageSetup(QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    ApplyProgramPageSetup(printer);
    QPageSetupDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    SetProgramPageLayout(printer.pageLayout());
    return true;
}

} // namespace kxres
