#pragma once

// One running instance per user, program and display: the first start listens on a
// local socket, a later start on the same display hands its messages (one text each)
// to it and ends.

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;
class QLocalSocket;

namespace kxplatform {

class CSingleInstance : public QObject {
    Q_OBJECT
public:
    // key: the program's name; the socket is private to the user.
    explicit CSingleInstance(const QString &key, QObject *parent = nullptr);
    ~CSingleInstance() override;

    // The socket name (or path) of key for the current user and display.
    static QString ServerName(const QString &key);

    // The display this process shows its windows on: the Wayland socket, else the X
    // display (":1.0" and ":1" are one display), else "none".
    static QString DisplayName();

    // Hands the messages to a running instance; false when none answers.
    static bool SendToRunning(const QString &key, const QStringList &messages, int timeoutMs = 3000);

    // Starts listening; false when another instance listens already or the socket
    // cannot be made. A socket left behind by a crashed instance is taken over.
    bool Listen();
    bool IsListening() const;
    QString Key() const { return m_key; }

signals:
    // One message of a later start, in the order sent.
    void MessageReceived(const QString &message);

private:
    void OnNewConnection();
    void ReadLines(QLocalSocket *socket, bool flushRest);

    QString m_key;
    QLocalServer *m_server = nullptr;
};

} // namespace kxplatform
