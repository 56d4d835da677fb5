#include "shared_ui/dialogs/DialogWarning.h"

#include <QApplication>
#include <QMessageBox>

namespace kxres {

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
        QMessageBox::warning(parent, QApplication::applicationName(), text);
}

bool Guarded(QWidget *parent, const std::function<void()> &command)
{
    return Guarded([parent](const QString &text) { Warn(parent, text); }, command);
}

void WarnError(QWidget *parent, const QString &text)
{
    if (Handler())
        Handler()(parent, text);
    else
        QMessageBox::critical(parent, QStringLiteral("Error"), text);
}

WarningHandler SetWarningHandler(WarningHandler handler)
{
    WarningHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

} // namespace kxres
