#include "platform/CSingleInstance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLockFile>
#include <QLocalSocket>
#include <QStandardPaths>

#include <unistd.h>

namespace kxplatform {

namespace {

constexpr char Separator = '\n';

QString SafeKey(const QString &key)
{
    QString safe;
    for (const QChar c : key)
        safe += (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_')) ? c : QLatin1Char('_');
    return safe.isEmpty() ? QStringLiteral("kx") : safe;
}

} // namespace

QString CSingleInstance::DisplayName()
{
    // A Wayland socket names the session; else the X display without its screen number.
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if (!wayland.isEmpty())
        return QStringLiteral("wl-") + wayland;
    QString x = qEnvironmentVariable("DISPLAY");
    const qsizetype colon = x.lastIndexOf(QLatin1Char(':'));
    const qsizetype dot = x.indexOf(QLatin1Char('.'), colon < 0 ? 0 : colon);
    if (colon >= 0 && dot > colon)
        x.truncate(dot);
    return x.isEmpty() ? QStringLiteral("none") : x;
}

CSingleInstance::CSingleInstance(const QString &key, QObject *parent)
    : QObject(parent)
    , m_key(key)
{}

CSingleInstance::~CSingleInstance()
{
    if (m_server)
        m_server->close();
}

QString CSingleInstance::ServerName(const QString &key)
{
    const QString name = QStringLiteral("kx-%1-%2-%3")
                             .arg(SafeKey(key))
                             .arg(static_cast<unsigned long>(::getuid()))
                             .arg(SafeKey(DisplayName()));
    // The user's runtime folder keeps the socket private; the temporary folder otherwise.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(name + QStringLiteral(".socket"));
    return name;
}

bool CSingleInstance::SendToRunning(const QString &key, const QStringList &messages, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(ServerName(key));
    if (!socket.waitForConnected(timeoutMs))
        return false;
    QByteArray data;
    for (const QString &message : messages) {
        QString line = message;
        line.replace(QLatin1Char(Separator), QLatin1Char(' '));
        data += line.toUtf8() + Separator;
    }
    if (!data.isEmpty()) {
        socket.write(data);
        while (socket.bytesToWrite() > 0) {
            if (!socket.waitForBytesWritten(timeoutMs))
                return false;
        }
    }
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(timeoutMs);
    return true;
}

bool CSingleInstance::Listen()
{
    if (IsListening())
        return true;
    const QString name = ServerName(m_key);
    // Two instances starting at once take turns, so that neither removes the other's socket.
    QLockFile turn(QDir(QDir::tempPath()).filePath(name + QStringLiteral(".lock")));
    turn.setStaleLockTime(10000);
    turn.tryLock(3000);
    // Someone answers: another instance runs.
    {
        QLocalSocket probe;
        probe.connectToServer(name);
        if (probe.waitForConnected(500)) {
            probe.disconnectFromServer();
            return false;
        }
    }
    auto *server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(name)) {
        // Nobody answered: a socket left behind.
        QLocalServer::removeServer(name);
        if (!server->listen(name)) {
            delete server;
            return false;
        }
    }
    m_server = server;
    connect(m_server, &QLocalServer::newConnection, this, &CSingleInstance::OnNewConnection);
    return true;
}

bool CSingleInstance::IsListening() const
{
    return m_server && m_server->isListening();
}

void CSingleInstance::OnNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadLines(socket, false); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            ReadLines(socket, true);
            socket->deleteLater();
        });
        if (socket->bytesAvailable() > 0)
            ReadLines(socket, false);
        if (socket->state() == QLocalSocket::UnconnectedState) {
            ReadLines(socket, true);
            socket->deleteLater();
        }
    }
}

void CSingleInstance::ReadLines(QLocalSocket *socket, bool flushRest)
{
    QByteArray buffer = socket->property("kxPending").toByteArray() + socket->readAll();
    QStringList messages;
    qsizetype start = 0;
    for (qsizetype end = buffer.indexOf(Separator); end >= 0; end = buffer.indexOf(Separator, start)) {
        messages << QString::fromUtf8(buffer.mid(start, end - start));
        start = end + 1;
    }
    buffer.remove(0, start);
    if (flushRest && !buffer.isEmpty()) {
        messages << QString::fromUtf8(buffer);
        buffer.clear();
    }
    socket->setProperty("kxPending", buffer);
    // Handed on from the event loop, once this read has returned: a handler may run
    // a nested loop (a dialog) in which the socket goes away.
    for (const QString &message : messages)
        QMetaObject::invokeMethod(
            this, [this, message] { emit MessageReceived(message); }, Qt::QueuedConnection);
}

} // namespace kxplatform
