#include "Pellora/DialogWarning.h"

#include <QMessageBox>

namespace pellora {

namespace {
WarningHandler &Handler()
{
    static WarningHandler handler;
    return handler;
}
} // namespace

void Warn(QWidget *parent, const QString &text)
{
    if (Handler())
        Handler()(parent, text);
    else
        QMessageBox::warning(parent, QStringLiteral("Pellora"), text);
}

WarningHandler SetWarningHandler(WarningHandler handler)
{
    WarningHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

} // namespace pellora
