#include "shared_ui/services/COTLLogin.h"

#include "platform/CSettings.h"

#include <sstream>

namespace kxres {

COTLLogin::COTLLogin(const kxplatform::CSettings &settings)
    : m_connection(kxplatform::CUsageConnection::FromSettings(settings))
{}

std::string COTLLogin::GetDatabaseName() const
{
    if (kxplatform::CUsageDatabase::IsEmbedded(m_connection.driver) && m_connection.database.isEmpty())
        return kxplatform::CUsageDatabase::DefaultDatabasePath().toStdString();
    return m_connection.database.toStdString();
}

std::string COTLLogin::LoginErrorText(const kxplatform::CDbError &error)
{
    const std::size_t start = error.message.find_first_not_of(' ');
    if (start != std::string::npos)
        return error.message.substr(start);
    switch (error.code) {
    case 1017:
        return "ORA-01017: Login fails: please check your username/password.";
    case 12560:
        return "ORA-12560: TNS incorrect";
    case 28001:
        return "ORA-28001: The password has expired. Please call the DBA.";
    case 28002:
        return "ORA-28002: The password will expire within days.";
    default:
        return "Login fails: please check your username/password/database-tns.";
    }
}

std::string COTLLogin::FormatError(const kxplatform::CDbError &error)
{
    std::ostringstream out;
    out << error.message << '\n';
    if (!error.statement.empty())
        out << error.statement << '\n';
    if (!error.variables.empty())
        out << error.variables << '\n';
    return out.str();
}

} // namespace kxres
