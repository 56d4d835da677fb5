#pragma once

// Every command handler runs inside a guard: an exception that reached Qt's event
// loop would end the program, so each one is caught here and its text reported.

#include <QString>

#include <functional>

namespace kxres {

using ErrorReporter = std::function<void(const QString &text)>;

// Runs command. Any exception (std::bad_alloc included) is caught and its text handed
// to report; returns false then, true when the command ran through.
bool Guarded(const ErrorReporter &report, const std::function<void()> &command);

// The text reported for the exception being handled (call only inside a catch block).
QString CurrentExceptionText();

} // namespace kxres
