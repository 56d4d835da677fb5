#include "platform/CSettings.h"
#include "platform/BuildVersion.h"
#include "platform/CUsageDatabase.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVariant>

using namespace kxplatform;

namespace {

struct Row {
    QString application, user, started, event, details;
};

std::vector<Row> ReadRows(const QString &path)
{
    std::vector<Row> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "reader");
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q("SELECT application, user_name, started, event, details FROM usage_log ORDER BY id", db);
            while (q.next())
                rows.push_back({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                q.value(3).toString(), q.value(4).toString()});
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("reader");
    return rows;
}

class UsageDatabase : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        connection.database = dir.filePath("sub/usage.sqlite");
    }

    QTemporaryDir dir;
    CUsageConnection connection;
};

} // namespace

TEST_F(UsageDatabase, MakesTheTableOnFirstUseAndCommitsOneRowPerStart)
{
    const CUsageRecord first{"Pellora", "O'Brien", "12/09/2026 09:05:01 PM"};
    CDbError error;
    ASSERT_TRUE(CUsageDatabase::Record(connection, first, &error)) << error.message;
    ASSERT_TRUE(CUsageDatabase::Record(connection, {"HIC", "x'); DROP TABLE usage_log; --", "t"}, &error))
        << error.message;

    const auto rows = ReadRows(connection.database);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].application, "Pellora");
    EXPECT_EQ(rows[0].user, "O'Brien");
    EXPECT_EQ(rows[0].started, "12/09/2026 09:05:01 PM");
    EXPECT_EQ(rows[0].event, "Track Application: Pellora");
    EXPECT_EQ(rows[0].details, "Pellora|O'Brien|12/09/2026 09:05:01 PM");
    EXPECT_EQ(rows[1].user, "x'); DROP TABLE usage_log; --");
}

TEST_F(UsageDatabase, DriverNotInstalledFailsQuietly)
{
    connection.driver = "QNOSUCHDRIVER";
    CDbError error;
    EXPECT_FALSE(CUsageDatabase::Record(connection, {"Pellora", "user", "t"}, &error));
    EXPECT_NE(error.message.find("QNOSUCHDRIVER"), std::string::npos);
    EXPECT_FALSE(QFile::exists(connection.database));
}

TEST_F(UsageDatabase, UnreadableFileFailsQuietly)
{
    // A folder where the database file should be.
    QDir().mkpath(connection.database);
    CDbError error;
    EXPECT_FALSE(CUsageDatabase::Record(connection, {"Pellora", "user", "t"}, &error));
    EXPECT_FALSE(error.message.empty());
}

TEST_F(UsageDatabase, LockedFileGivesUpWithinTheTimeout)
{
    ASSERT_TRUE(CUsageDatabase::Record(connection, {"Pellora", "first", "t"}));
    {
        QSqlDatabase locker = QSqlDatabase::addDatabase("QSQLITE", "locker");
        locker.setDatabaseName(connection.database);
        ASSERT_TRUE(locker.open());
        QSqlQuery lock(locker);
        ASSERT_TRUE(lock.exec("BEGIN EXCLUSIVE"));

        connection.timeoutSeconds = 1;
        QElapsedTimer timer;
        timer.start();
        CDbError error;
        EXPECT_FALSE(CUsageDatabase::Record(connection, {"Pellora", "second", "t"}, &error));
        EXPECT_LT(timer.elapsed(), 10000);
        EXPECT_FALSE(error.message.empty());
        lock.exec("ROLLBACK");
        lock.finish();
        locker.close();
    }
    QSqlDatabase::removeDatabase("locker");
    const auto rows = ReadRows(connection.database);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].user, "first");
}

TEST(UsageDatabaseDefaults, EmbeddedFileInTheUserDataFolder)
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    EXPECT_EQ(CUsageDatabase::DefaultDatabasePath(), data + "/Varnex Zudirevedovidiv/usage.sqlite");
    const CUsageConnection c;
    EXPECT_EQ(c.driver, "QSQLITE");
    EXPECT_EQ(c.user, "www_user");
}

TEST(UsageDatabaseDefaults, ServerCallsTheTrackingProcedureWithPlaceholders)
{
    EXPECT_EQ(CUsageDatabase::ProcedureCall("QOCI", "www_user.OracleTracker.counter"),
              "call www_user.OracleTracker.counter( ?, ? )");
    EXPECT_EQ(CUsageDatabase::ProcedureCall("QODBC", "p"), "{call p( ?, ? )}");
    EXPECT_EQ(CUsageDatabase::ProcedureCall("QPSQL", "p"), "SELECT p( ?, ? )");
}

TEST(UsageDatabaseDefaults, ConnectionComesFromTheSettings)
{
    const QString program = QStringLiteral("UsageSettings-%1").arg(QCoreApplication::applicationPid());
    {
        CSettings settings(program);
        settings.SetString("UsageDriver", "QPSQL");
        settings.SetString("UsageDatabase", "tracking");
        settings.SetString("UsageHost", "db.example");
        settings.SetInt("UsagePort", 5433);
        settings.SetString("UsageUser", "tracker");
        settings.SetString("UsagePassword", "secret");
        settings.Sync();
    }
    CSettings settings(program);
    const CUsageConnection c = CUsageConnection::FromSettings(settings);
    EXPECT_EQ(c.driver, "QPSQL");
    EXPECT_EQ(c.database, "tracking");
    EXPECT_EQ(c.host, "db.example");
    EXPECT_EQ(c.port, 5433);
    EXPECT_EQ(c.user, "tracker");
    EXPECT_EQ(c.password, "secret");
    EXPECT_EQ(c.procedure, "www_user.OracleTracker.counter");
    QFile::remove(settings.FileName());
}

TEST(UsageDatabaseDefaults, BuildVersionIsTheProjectVersion)
{
    EXPECT_STREQ(BuildVersion(), "2.15.3.30");
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
