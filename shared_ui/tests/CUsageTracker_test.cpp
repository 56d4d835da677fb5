#include "shared_ui/services/CUsageTracker.h"

#include "support/KxServicesSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <cstdlib>
#include <mutex>

using kxplatform::CUsageConnection;
using kxres::COTLLogin;

namespace {

// Collects whatever Qt would print while a test runs.
class MessageCatcher {
public:
    MessageCatcher()
    {
        std::lock_guard lock(mutex());
        messages().clear();
        m_previous = qInstallMessageHandler(&MessageCatcher::Handle);
    }
    ~MessageCatcher() { qInstallMessageHandler(m_previous); }
    static QStringList Messages()
    {
        std::lock_guard lock(mutex());
        return messages();
    }

private:
    static void Handle(QtMsgType, const QMessageLogContext &, const QString &text)
    {
        std::lock_guard lock(mutex());
        messages() << text;
    }
    static std::mutex &mutex()
    {
        static std::mutex m;
        return m;
    }
    static QStringList &messages()
    {
        static QStringList list;
        return list;
    }
    QtMessageHandler m_previous = nullptr;
};

COTLLogin LoginFor(const CUsageConnection &c)
{
    COTLLogin login;
    login.SetConnection(c);
    return login;
}

} // namespace

TEST(CUsageTracker, ThreadRecordsOneStartInSQLite)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    CUsageConnection c;
    c.database = dir.filePath("usage.sqlite");

    MessageCatcher catcher;
    CUsageTracker tracker;
    tracker.Start(LoginFor(c), "Quillet", "O'Brien");
    tracker.Start(LoginFor(c), "Quillet", "second call does nothing");
    ASSERT_TRUE(tracker.Finish(std::chrono::seconds(20)));

    const auto rows = kxtest::UsageRows(c.database);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], "Quillet");
    EXPECT_EQ(rows[0][1], "O'Brien");
    EXPECT_TRUE(QRegularExpression("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d [AP]M$").match(rows[0][2]).hasMatch())
        << rows[0][2].toStdString();
    EXPECT_EQ(rows[0][3], "Track Application: Quillet");
    EXPECT_EQ(rows[0][4], "Quillet|O'Brien|" + rows[0][2]);
    EXPECT_TRUE(MessageCatcher::Messages().isEmpty()) << MessageCatcher::Messages().join('\n').toStdString();
}

TEST(CUsageTracker, WaitingForABlockedThreadIsBounded)
{
    QTemporaryDir dir;
    CUsageConnection c;
    c.database = dir.filePath("usage.sqlite");
    c.timeoutSeconds = 3;
    ASSERT_TRUE(CUsageTracker::Track(LoginFor(c), "Mirvane", "first", "t"));

    const QString name = "kxtest-locker";
    {
        QSqlDatabase locker = QSqlDatabase::addDatabase("QSQLITE", name);
        locker.setDatabaseName(c.database);
        ASSERT_TRUE(locker.open());
        QSqlQuery lock(locker);
        ASSERT_TRUE(lock.exec("BEGIN EXCLUSIVE"));

        CUsageTracker tracker;
        tracker.Start(LoginFor(c), "Mirvane", "second");
        QElapsedTimer timer;
        timer.start();
        EXPECT_FALSE(tracker.Finish(std::chrono::milliseconds(200)));
        EXPECT_LT(timer.elapsed(), 2000);

        lock.exec("COMMIT");
        lock.finish();
        EXPECT_TRUE(tracker.Finish(CUsageTracker::ExitBound));
        locker.close();
    }
    QSqlDatabase::removeDatabase(name);
    const auto rows = kxtest::UsageRows(c.database);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][1], "second");
}

TEST(CUsageTracker, MissingDriverDoesNothingAndSaysNothing)
{
    QTemporaryDir dir;
    CUsageConnection c;
    c.driver = "QNOSUCHDRIVER";
    c.database = dir.filePath("usage.sqlite");

    MessageCatcher catcher;
    kxplatform::CDbError error;
    EXPECT_FALSE(CUsageTracker::Track(LoginFor(c), "HIC", "user", "t", &error));
    EXPECT_FALSE(error.message.empty());
    {
        CUsageTracker tracker;
        tracker.Start(LoginFor(c), "HIC", "user");
        EXPECT_TRUE(tracker.Finish(std::chrono::seconds(10)));
    }
    EXPECT_FALSE(QFile::exists(c.database));
    EXPECT_TRUE(MessageCatcher::Messages().isEmpty()) << MessageCatcher::Messages().join('\n').toStdString();
}

TEST(CUsageTracker, UnreachableServerEndsQuietlyWithinItsTimeout)
{
    if (!QSqlDatabase::isDriverAvailable("QPSQL"))
        GTEST_SKIP() << "the QPSQL driver is not installed";
    CUsageConnection c;
    c.driver = "QPSQL";
    c.host = "127.0.0.1";
    c.port = 1; // nothing listens there
    c.database = "www_user";
    c.timeoutSeconds = 2;

    MessageCatcher catcher;
    QElapsedTimer timer;
    timer.start();
    CUsageTracker tracker;
    tracker.Start(LoginFor(c), "Mirvane", "user");
    EXPECT_TRUE(tracker.Finish(CUsageTracker::ExitBound));
    EXPECT_LT(timer.elapsed(), CUsageTracker::ExitBound.count());
    EXPECT_TRUE(MessageCatcher::Messages().isEmpty()) << MessageCatcher::Messages().join('\n').toStdString();
}

TEST(CUsageTracker, TrackTimeIsTwelveHourLocalTime)
{
    const char *old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    setenv("TZ", "UTC", 1);
    tzset();
    EXPECT_EQ(CUsageTracker::TrackTime(0), "01/01/1970 12:00:00 AM");
    EXPECT_EQ(CUsageTracker::TrackTime(13 * 3600 + 5 * 60 + 9), "01/01/1970 01:05:09 PM");
    EXPECT_EQ(CUsageTracker::TrackTime(12 * 3600), "01/01/1970 12:00:00 PM");
    EXPECT_EQ(CUsageTracker::TrackTime(1765314301), "12/09/2025 09:05:01 PM");
    if (old)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

TEST(CUsageTracker, RecordsThroughTheProcedureOnPostgreSQL)
{
    const auto facts = kxtest::PostgresFacts();
    if (facts.empty())
        GTEST_SKIP() << "PostgreSQL server not started: no facts in /tmp/kx-pg.env "
                        "(scripts/services/postgres.sh starts it)";
    if (facts.count("KX_PG_STATUS") && facts.at("KX_PG_STATUS") != "ready") {
        const std::string reason = facts.count("KX_PG_REASON") ? facts.at("KX_PG_REASON") : "unknown reason";
        GTEST_SKIP() << "PostgreSQL server could not be started: " << reason;
    }
    ASSERT_TRUE(QSqlDatabase::isDriverAvailable("QPSQL")) << "the QPSQL driver is not installed";

    CUsageConnection c;
    c.driver = "QPSQL";
    c.host = QString::fromStdString(facts.at("KX_PG_HOST"));
    c.port = std::stoi(facts.at("KX_PG_PORT"));
    c.database = QString::fromStdString(facts.at("KX_PG_DATABASE"));
    c.user = QString::fromStdString(facts.at("KX_PG_USER"));
    c.password = QString::fromStdString(facts.at("KX_PG_PASSWORD"));

    // The site's tracking routine: schema OracleTracker, routine counter.
    const QString admin = "kxtest-pg-admin";
    const QString marker = QStringLiteral("O'Brien-%1-%2")
                               .arg(QCoreApplication::applicationPid())
                               .arg(QDateTime::currentMSecsSinceEpoch());
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", admin);
        db.setHostName(c.host);
        db.setPort(c.port);
        db.setDatabaseName(c.database);
        db.setUserName(c.user);
        db.setPassword(c.password);
        ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
        QSqlQuery q(db);
        for (const char *sql : {
                 "SET client_min_messages = warning",
                 "CREATE SCHEMA IF NOT EXISTS oracletracker",
                 "CREATE TABLE IF NOT EXISTS oracletracker.usage_log (id serial PRIMARY KEY, "
                 "event text NOT NULL, details text NOT NULL, recorded timestamptz NOT NULL DEFAULT now())",
                 "CREATE OR REPLACE FUNCTION oracletracker.counter(event text, details text) RETURNS void "
                 "LANGUAGE sql AS $$ INSERT INTO oracletracker.usage_log (event, details) VALUES (event, details) $$",
             })
            ASSERT_TRUE(q.exec(sql)) << sql << ": " << q.lastError().text().toStdString();
        q.finish();
        q = QSqlQuery();
        db.close();
    }

    MessageCatcher catcher;
    kxplatform::CDbError error;
    const bool recorded =
        CUsageTracker::Track(LoginFor(c), "Sorvelt", marker.toStdString(), "12/09/2026 09:05:01 PM", &error);
    EXPECT_TRUE(recorded) << COTLLogin::FormatError(error);
    EXPECT_TRUE(MessageCatcher::Messages().isEmpty()) << MessageCatcher::Messages().join('\n').toStdString();

    {
        QSqlDatabase db = QSqlDatabase::database(admin);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.prepare("SELECT event, details FROM oracletracker.usage_log WHERE details LIKE ?"));
        q.addBindValue("%" + marker + "%");
        ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
        ASSERT_TRUE(q.next()) << "no row for " << marker.toStdString();
        EXPECT_EQ(q.value(0).toString(), "Track Application: Sorvelt");
        EXPECT_EQ(q.value(1).toString(), "Sorvelt|" + marker + "|12/09/2026 09:05:01 PM");
        EXPECT_FALSE(q.next());
        q.finish();
        q = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(admin);
}

TEST(PostgresService, StopLeavesAFolderTheScriptDidNotMake)
{
    // The facts file lies in a shared folder; a data path written there by someone else
    // must not be removed.
    QTemporaryDir victim;
    QTemporaryDir factsDir;
    ASSERT_TRUE(victim.isValid() && factsDir.isValid());
    ASSERT_TRUE(QDir(victim.path()).mkpath("data"));
    const QString keep = victim.filePath("data/keep.txt");
    {
        QFile f(keep);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("keep");
    }
    const QString facts = factsDir.filePath("pg.env");
    {
        QFile f(facts);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(("KX_PG_STATUS=ready\nKX_PG_DATA=" + victim.filePath("data") + "\n").toUtf8());
    }

    QProcess script;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("KX_PG_ENV_FILE", facts);
    script.setProcessEnvironment(env);
    script.start("bash", {QStringLiteral(KX_SOURCE_DIR "/scripts/services/postgres.sh"), "--stop"});
    ASSERT_TRUE(script.waitForFinished(60000));
    EXPECT_EQ(script.exitCode(), 0);
    EXPECT_TRUE(QFile::exists(keep)) << script.readAllStandardOutput().toStdString();
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
