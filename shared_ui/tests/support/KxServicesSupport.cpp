#include "KxServicesSupport.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTimer>
#include <QVariant>

#include <cstdlib>
#include <fstream>
#include <memory>

namespace kxtest {

void UseOffscreenUnlessSet()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

void WhenModal(std::function<void(QWidget *)> handle, int timeoutMs)
{
    auto timer = new QTimer(qApp);
    auto waited = std::make_shared<int>(0);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, waited, handle, timeoutMs] {
        QWidget *modal = QApplication::activeModalWidget();
        *waited += 20;
        if (modal && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            handle(modal);
            // A dialog the handler failed to end is rejected, so that no test hangs.
            QPointer<QWidget> left(modal);
            QTimer::singleShot(3000, qApp, [left] {
                if (left && left->isVisible()) {
                    if (auto *dialog = qobject_cast<QDialog *>(left.data()))
                        dialog->reject();
                    else
                        left->close();
                }
            });
        } else if (*waited > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

std::vector<std::vector<QString>> UsageRows(const QString &sqlitePath)
{
    std::vector<std::vector<QString>> rows;
    const QString name = QStringLiteral("kxtest-usage-reader");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(sqlitePath);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=5000"));
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral(
                    "SELECT application, user_name, started, event, details FROM usage_log ORDER BY id"))) {
                while (q.next()) {
                    std::vector<QString> row;
                    for (int i = 0; i < 5; ++i)
                        row.push_back(q.value(i).toString());
                    rows.push_back(row);
                }
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

std::map<std::string, std::string> PostgresFacts()
{
    std::map<std::string, std::string> facts;
    for (const char *key :
         {"KX_PG_STATUS", "KX_PG_HOST", "KX_PG_PORT", "KX_PG_DATABASE", "KX_PG_USER", "KX_PG_PASSWORD"}) {
        if (const char *v = std::getenv(key))
            facts[key] = v;
    }
    if (facts.count("KX_PG_HOST"))
        return facts;
    facts.clear();
    const char *file = std::getenv("KX_PG_ENV_FILE");
    std::ifstream in(file && *file ? file : "/tmp/kx-pg.env");
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        std::string value = line.substr(eq + 1);
        // Values written with printf %q may carry backslash escapes.
        std::string plain;
        for (std::size_t i = 0; i < value.size(); ++i) {
            if (value[i] == '\\' && i + 1 < value.size())
                ++i;
            plain += value[i];
        }
        facts[line.substr(0, eq)] = plain;
    }
    return facts;
}

} // namespace kxtest
