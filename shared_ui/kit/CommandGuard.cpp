#include "shared_ui/kit/CommandGuard.h"

#include <exception>
#include <new>
#include <stdexcept>

namespace kxres {

QString CurrentExceptionText()
{
    try {
        throw;
    } catch (const std::bad_alloc &) {
        return QStringLiteral("Not enough memory to complete the command.");
    } catch (const std::exception &e) {
        const QString text = QString::fromUtf8(e.what());
        return text.isEmpty() ? QStringLiteral("The command failed.") : text;
    } catch (...) {
        return QStringLiteral("The command failed.");
    }
}

bool Guarded(const ErrorReporter &report, const std::function<void()> &command)
{
    QString text;
    try {
        command();
        return true;
    } catch (...) {
        text = CurrentExceptionText();
    }
    // Reporting may itself fail (no memory for a dialog); that must not escape either.
    try {
        if (report)
            report(text);
    } catch (...) {}
    return false;
}

} // namespace kxres
