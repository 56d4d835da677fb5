#include "shared_ui/services/COTLLogin.h"

#include <gtest/gtest.h>

using kxplatform::CDbError;
using kxres::COTLLogin;

TEST(COTLLogin, LoginErrorTextByCodeWhenTheMessageIsEmpty)
{
    const std::vector<std::pair<int, std::string>> cases = {
        {1017, "ORA-01017: Login fails: please check your username/password."},
        {12560, "ORA-12560: TNS incorrect"},
        {28001, "ORA-28001: The password has expired. Please call the DBA."},
        {28002, "ORA-28002: The password will expire within days."},
        {0, "Login fails: please check your username/password/database-tns."},
        {12541, "Login fails: please check your username/password/database-tns."},
    };
    for (const auto &[code, text] : cases) {
        CDbError e;
        e.code = code;
        EXPECT_EQ(COTLLogin::LoginErrorText(e), text) << code;
    }
}

TEST(COTLLogin, LoginErrorTextPrefersTheMessageWithoutLeadingBlanks)
{
    CDbError e;
    e.code = 28002;
    e.message = "   ORA-00942: table or view does not exist  ";
    EXPECT_EQ(COTLLogin::LoginErrorText(e), "ORA-00942: table or view does not exist  ");
}

TEST(COTLLogin, FormatErrorWritesMessageStatementAndValues)
{
    CDbError e;
    e.message = "bad";
    EXPECT_EQ(COTLLogin::FormatError(e), "bad\n");
    e.statement = "call p( ?, ? )";
    e.variables = "a, b";
    EXPECT_EQ(COTLLogin::FormatError(e), "bad\ncall p( ?, ? )\na, b\n");
}

TEST(COTLLogin, DefaultDatabaseIsTheEmbeddedFile)
{
    const COTLLogin login;
    EXPECT_EQ(login.GetDatabaseName(), kxplatform::CUsageDatabase::DefaultDatabasePath().toStdString());
}
