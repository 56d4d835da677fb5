#include "platform/CUsageDatabase.h"

#include "platform/CSettings.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QVariant>

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace kxplatform {

namespace {

QAtomicInteger<quint64> g_connectionSerial;

int NativeCode(const QSqlError &e)
{
    // Native codes come as "1017", "ORA-01017", "28P01", ...: take the first run of digits.
    const QString text = e.nativeErrorCode();
    QString digits;
    for (QChar c : text) {
        if (c.isDigit())
            digits.append(c);
        else if (!digits.isEmpty())
            break;
    }
    bool ok = false;
    const int code = digits.toInt(&ok);
    return ok ? code : 0;
}

void Fill(CDbError *error, const QSqlError &e, const QString &statement, const QString &variables)
{
    if (!error)
        return;
    QString text = e.databaseText().trimmed();
    if (text.isEmpty())
        text = e.driverText().trimmed();
    error->message = text.toStdString();
    error->code = NativeCode(e);
    error->statement = statement.toStdString();
    error->variables = variables.toStdString();
}

void Fill(CDbError *error, const std::string &message)
{
    if (!error)
        return;
    *error = CDbError{};
    error->message = message;
}

QString ConnectOptions(const QString &driver, int timeoutSeconds)
{
    const int seconds = timeoutSeconds > 0 ? timeoutSeconds : 1;
    if (driver.startsWith(QLatin1String("QSQLITE")))
        return QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(seconds * 1000);
    if (driver == QLatin1String("QPSQL"))
        return QStringLiteral("connect_timeout=%1").arg(seconds);
    if (driver == QLatin1String("QODBC"))
        return QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=%1;SQL_ATTR_CONNECTION_TIMEOUT=%1").arg(seconds);
    if (driver == QLatin1String("QMYSQL") || driver == QLatin1String("QMARIADB"))
        return QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1").arg(seconds);
    return {};
}

// Runs the work on a connection of its own and removes the connection afterwards.
bool RecordOn(QSqlDatabase &db, const CUsageConnection &c, const CUsageRecord &record, CDbError *error)
{
    const bool embedded = CUsageDatabase::IsEmbedded(c.driver);
    QString path = c.database;
    if (embedded) {
        if (path.isEmpty())
            path = CUsageDatabase::DefaultDatabasePath();
        const QFileInfo info(path);
        if (!QDir().mkpath(info.absolutePath())) {
            Fill(error, "Cannot create the folder " + info.absolutePath().toStdString());
            return false;
        }
    } else {
        db.setHostName(c.host);
        if (c.port > 0)
            db.setPort(c.port);
        db.setUserName(c.user);
        db.setPassword(c.password);
    }
    db.setDatabaseName(path);
    db.setConnectOptions(ConnectOptions(c.driver, c.timeoutSeconds));

    if (!db.open()) {
        Fill(error, db.lastError(), {}, {});
        return false;
    }

    const bool transactions = db.driver()->hasFeature(QSqlDriver::Transactions);
    QSqlQuery query(db);
    QString statement;
    std::vector<QString> values;
    if (embedded) {
        statement = QStringLiteral("CREATE TABLE IF NOT EXISTS %1 ("
                                   "id INTEGER PRIMARY KEY AUTOINCREMENT, "
                                   "application TEXT NOT NULL, user_name TEXT NOT NULL, "
                                   "started TEXT NOT NULL, event TEXT NOT NULL, details TEXT NOT NULL)")
                        .arg(QLatin1String(CUsageDatabase::TableName));
        if (!query.exec(statement)) {
            Fill(error, query.lastError(), statement, {});
            return false;
        }
        statement = QStringLiteral("INSERT INTO %1 (application, user_name, started, event, details) "
                                   "VALUES (?, ?, ?, ?, ?)")
                        .arg(QLatin1String(CUsageDatabase::TableName));
        values = {QString::fromStdString(record.application), QString::fromStdString(record.user),
                  QString::fromStdString(record.time), QString::fromStdString(CUsageDatabase::EventText(record)),
                  QString::fromStdString(CUsageDatabase::DetailText(record))};
    } else {
        statement = CUsageDatabase::ProcedureCall(c.driver, c.procedure);
        values = {QString::fromStdString(CUsageDatabase::EventText(record)),
                  QString::fromStdString(CUsageDatabase::DetailText(record))};
    }

    QString variables;
    for (const QString &v : values)
        variables += (variables.isEmpty() ? QString() : QStringLiteral(", ")) + v;

    if (transactions && !db.transaction()) {
        Fill(error, db.lastError(), statement, variables);
        return false;
    }
    bool ok = query.prepare(statement);
    if (ok) {
        for (const QString &v : values)
            query.addBindValue(v);
        ok = query.exec();
    }
    if (!ok) {
        Fill(error, query.lastError(), statement, variables);
        query.finish();
        if (transactions)
            db.rollback();
        return false;
    }
    query.finish();
    if (transactions && !db.commit()) {
        Fill(error, db.lastError(), statement, variables);
        db.rollback();
        return false;
    }
    return true;
}

} // namespace

CUsageConnection CUsageConnection::FromSettings(const CSettings &settings)
{
    CUsageConnection c;
    c.driver = settings.GetValue("UsageDriver", c.driver).toString();
    c.database = settings.GetValue("UsageDatabase", c.database).toString();
    c.host = settings.GetValue("UsageHost", c.host).toString();
    c.port = settings.GetInt("UsagePort", c.port);
    c.user = settings.GetValue("UsageUser", c.user).toString();
    c.password = settings.GetValue("UsagePassword", c.password).toString();
    c.procedure = settings.GetValue("UsageProcedure", c.procedure).toString();
    c.timeoutSeconds = settings.GetInt("UsageTimeout", c.timeoutSeconds);
    return c;
}

void CUsageConnection::Save(CSettings &settings) const
{
    settings.SetValue("UsageDriver", driver);
    settings.SetValue("UsageDatabase", database);
    settings.SetValue("UsageHost", host);
    settings.SetInt("UsagePort", port);
    settings.SetValue("UsageUser", user);
    settings.SetValue("UsagePassword", password);
    settings.SetValue("UsageProcedure", procedure);
    settings.SetInt("UsageTimeout", timeoutSeconds);
}

QString CUsageDatabase::DefaultDatabasePath()
{
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QLatin1Char('/') + QLatin1String(CSettings::Organisation) + QStringLiteral("/usage.sqlite");
}

bool CUsageDatabase::IsEmbedded(const QString &driver)
{
    return driver.startsWith(QLatin1String("QSQLITE"));
}

QString CUsageDatabase::ProcedureCall(const QString &driver, const QString &procedure)
{
    // PostgreSQL cannot prepare CALL: the tracking routine there is a function.
    if (driver == QLatin1String("QPSQL"))
        return QStringLiteral("SELECT %1( ?, ? )").arg(procedure);
    if (driver == QLatin1String("QODBC"))
        return QStringLiteral("{call %1( ?, ? )}").arg(procedure);
    return QStringLiteral("call %1( ?, ? )").arg(procedure);
}

std::string CUsageDatabase::EventText(const CUsageRecord &record)
{
    return "Track Application: " + record.application;
}

std::string CUsageDatabase::DetailText(const CUsageRecord &record)
{
    return record.application + "|" + record.user + "|" + record.time;
}

bool CUsageDatabase::Record(const CUsageConnection &connection, const CUsageRecord &record, CDbError *error) noexcept
{
    try {
        if (!QSqlDatabase::isDriverAvailable(connection.driver)) {
            Fill(error, "The database driver " + connection.driver.toStdString() + " is not available");
            return false;
        }
        const QString name = QStringLiteral("kx-usage-%1").arg(++g_connectionSerial);
        bool ok = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(connection.driver, name);
            ok = RecordOn(db, connection, record, error);
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        return ok;
    } catch (const std::exception &e) {
        Fill(error, e.what());
    } catch (...) {
        Fill(error, "Unknown failure");
    }
    return false;
}

std::string LogonUserName()
{
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd *found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name)
        return found->pw_name;
    for (const char *name : {"USER", "LOGNAME"}) {
        if (const char *v = std::getenv(name); v && *v)
            return v;
    }
    return {};
}

} // namespace kxplatform
