#pragma once

// Helpers for the tests of the start-up services: modal dialogs, the usage database
// and the PostgreSQL server of the test run.

#include <QString>
#include <QWidget>

#include <functional>
#include <ostream>
#include <map>
#include <string>
#include <vector>

namespace kxtest {

// Test programs also run outside ctest's environment (test discovery): without a
// platform chosen they use the offscreen one. Call before creating the application.
void UseOffscreenUnlessSet();

// Calls handle with the next modal widget once it is shown (polled from the event loop).
void WhenModal(std::function<void(QWidget *)> handle, int timeoutMs = 10000);

// Rows of the usage table of an SQLite file: application, user_name, started, event, details.
std::vector<std::vector<QString>> UsageRows(const QString &sqlitePath);

// The facts written by scripts/services/postgres.sh (KX_PG_* from the environment first,
// then from KX_PG_ENV_FILE or /tmp/kx-pg.env). Empty when neither is there.
std::map<std::string, std::string> PostgresFacts();

} // namespace kxtest

// Readable QString values in test failure messages.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}
