#pragma once

// The usage database: one row per program start. An embedded SQLite file by
// default; any Qt SQL driver (QPSQL, QOCI, QODBC, ...) when a site configures one,
// where the start is recorded by calling the tracking procedure.
// Nothing here throws or prints: every failure comes back as a CDbError.

#include <QString>

#include <string>

namespace kxplatform {

class CSettings;

// A database failure in the words of the database and its client.
struct CDbError {
    std::string message;   // the database's text, may be empty
    int code = 0;          // the native error code (e.g. 1017 for ORA-01017), 0 if none
    std::string statement; // the SQL text that failed, if any
    std::string variables; // the bound values, if any
};

struct CUsageConnection {
    QString driver = QStringLiteral("QSQLITE");
    QString database; // SQLite: file path (empty: DefaultDatabasePath()); else service or database name
    QString host;
    int port = -1; // -1: the driver's default
    QString user = QStringLiteral("www_user");
    QString password = QStringLiteral("trackusage");
    QString procedure = QStringLiteral("www_user.OracleTracker.counter");
    int timeoutSeconds = 3; // bounds connecting and waiting for a locked file

    // Reads the Usage* values of the section; missing values keep the defaults.
    static CUsageConnection FromSettings(const CSettings &settings);
    void Save(CSettings &settings) const;
};

struct CUsageRecord {
    std::string application;
    std::string user;
    std::string time; // "%m/%d/%Y %I:%M:%S %p", local time
};

class CUsageDatabase {
public:
    static constexpr const char *TableName = "usage_log";

    // <user's data folder>/Varnex Zudirevedovidiv/usage.sqlite
    static QString DefaultDatabasePath();

    // Records one start and commits it. False (with the reason in error) on any failure.
    static bool Record(const CUsageConnection &connection, const CUsageRecord &record,
                       CDbError *error = nullptr) noexcept;

    // The statement used on a database server, with two positional placeholders.
    static QString ProcedureCall(const QString &driver, const QString &procedure);

    // Arguments of the tracking procedure.
    static std::string EventText(const CUsageRecord &record);
    static std::string DetailText(const CUsageRecord &record);

    static bool IsEmbedded(const QString &driver);
};

// The user's log-on name; empty when it cannot be found.
std::string LogonUserName();

} // namespace kxplatform
