#pragma once

// The login of the usage database: the connection facts (settings of the program,
// with the suite's defaults) and the texts shown for a failed log-on.

#include "platform/CUsageDatabase.h"

#include <string>

namespace kxplatform {
class CSettings;
}

namespace kxres {

class COTLLogin {
public:
    COTLLogin() = default;
    explicit COTLLogin(const kxplatform::CSettings &settings);
    virtual ~COTLLogin() = default;

    // The database: a file for the embedded database, else a service or database name.
    std::string GetDatabaseName() const;
    const kxplatform::CUsageConnection &GetConnection() const { return m_connection; }
    void SetConnection(const kxplatform::CUsageConnection &connection) { m_connection = connection; }

    // The text to show for a failed log-on.
    static std::string LoginErrorText(const kxplatform::CDbError &error);

    // The failure as lines: the message, then the statement and the bound values when present.
    static std::string FormatError(const kxplatform::CDbError &error);

private:
    kxplatform::CUsageConnection m_connection;
};

} // namespace kxres
