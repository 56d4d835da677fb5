#include "platform/CSingleInstance.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QUuid>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

using kxplatform::CSingleInstance;

namespace {

QString UniqueKey()
{
    return QStringLiteral("test-") + QUuid::createUuid().toString(QUuid::Id128).left(12);
}

// Runs the event loop until pred holds or the time is up.
template <typename Pred>
bool WaitFor(Pred pred, int ms = 5000)
{
    QDeadlineTimer deadline(ms);
    while (!pred() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return pred();
}

} // namespace

TEST(CSingleInstance, SecondListenerIsRefusedWhileTheFirstRuns)
{
    const QString key = UniqueKey();
    CSingleInstance first(key);
    ASSERT_TRUE(first.Listen());
    EXPECT_TRUE(first.IsListening());
    CSingleInstance second(key);
    EXPECT_FALSE(second.Listen());
    EXPECT_FALSE(second.IsListening());
}

TEST(CSingleInstance, NobodyRunningMeansSendFails)
{
    EXPECT_FALSE(CSingleInstance::SendToRunning(UniqueKey(), {QStringLiteral("x")}, 300));
}

TEST(CSingleInstance, MessagesArriveWholeAndInOrder)
{
    const QString key = UniqueKey();
    CSingleInstance server(key);
    ASSERT_TRUE(server.Listen());
    QStringList got;
    QObject::connect(&server, &CSingleInstance::MessageReceived, [&](const QString &m) { got << m; });

    const QStringList sent{QStringLiteral("[DataFile(/tmp/a b.uds)]"), QStringLiteral("[HitList(/tmp/ü.lst)]"),
                           QString(5000, QLatin1Char('x'))};
    ASSERT_TRUE(CSingleInstance::SendToRunning(key, sent));
    ASSERT_TRUE(WaitFor([&] { return got.size() >= 3; }));
    EXPECT_EQ(got, sent);

    // A second client on the same server.
    ASSERT_TRUE(CSingleInstance::SendToRunning(key, {QStringLiteral("again")}));
    ASSERT_TRUE(WaitFor([&] { return got.size() >= 4; }));
    EXPECT_EQ(got.last(), "again");
}

TEST(CSingleInstance, LineBreaksInsideAMessageDoNotSplitIt)
{
    const QString key = UniqueKey();
    CSingleInstance server(key);
    ASSERT_TRUE(server.Listen());
    QStringList got;
    QObject::connect(&server, &CSingleInstance::MessageReceived, [&](const QString &m) { got << m; });
    ASSERT_TRUE(CSingleInstance::SendToRunning(key, {QStringLiteral("a\nb")}));
    ASSERT_TRUE(WaitFor([&] { return !got.isEmpty(); }));
    EXPECT_EQ(got, QStringList{"a b"});
}

TEST(CSingleInstance, StaleSocketIsTakenOver)
{
    // A socket file that nobody listens on, as a crashed instance leaves it.
    const QString key = UniqueKey();
    QString path = CSingleInstance::ServerName(key);
    if (!QDir::isAbsolutePath(path))
        path = QDir(QDir::tempPath()).filePath(path);
    const QByteArray native = QFile::encodeName(path);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<std::size_t>(native.size()), sizeof(addr.sun_path));
    std::memcpy(addr.sun_path, native.constData(), static_cast<std::size_t>(native.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof(addr)), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(path));

    EXPECT_FALSE(CSingleInstance::SendToRunning(key, {QStringLiteral("x")}, 300));
    CSingleInstance next(key);
    EXPECT_TRUE(next.Listen());
    QStringList got;
    QObject::connect(&next, &CSingleInstance::MessageReceived, [&](const QString &m) { got << m; });
    ASSERT_TRUE(CSingleInstance::SendToRunning(key, {QStringLiteral("hello")}));
    ASSERT_TRUE(WaitFor([&] { return !got.isEmpty(); }));
    EXPECT_EQ(got, QStringList{"hello"});
}

TEST(CSingleInstance, ServerNameIsPerUserAndKey)
{
    EXPECT_NE(CSingleInstance::ServerName("Pellora"), CSingleInstance::ServerName("Quillet"));
    EXPECT_TRUE(
        CSingleInstance::ServerName("Pellora").contains(QString::number(static_cast<unsigned long>(::getuid()))));
}

namespace {

// Sets DISPLAY and WAYLAND_DISPLAY for one scope and puts the old values back.
class DisplayScope {
public:
    DisplayScope(const char *x, const char *wayland)
        : m_x(qgetenv("DISPLAY"))
        , m_wayland(qgetenv("WAYLAND_DISPLAY"))
        , m_hadX(qEnvironmentVariableIsSet("DISPLAY"))
        , m_hadWayland(qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
    {
        Set("DISPLAY", x);
        Set("WAYLAND_DISPLAY", wayland);
    }
    ~DisplayScope()
    {
        Set("DISPLAY", m_hadX ? m_x.constData() : nullptr);
        Set("WAYLAND_DISPLAY", m_hadWayland ? m_wayland.constData() : nullptr);
    }

private:
    static void Set(const char *name, const char *value)
    {
        if (value)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    QByteArray m_x, m_wayland;
    bool m_hadX, m_hadWayland;
};

} // namespace

TEST(CSingleInstance, EachDisplayHasItsOwnInstance)
{
    struct Case {
        const char *x1, *w1, *x2, *w2;
        bool same;
    };
    const Case cases[] = {
        {":1", nullptr, ":2", nullptr, false},
        {":1", nullptr, ":1.0", nullptr, true},
        {"host:1.0", nullptr, "host:1.1", nullptr, true},
        {":1", "wayland-0", ":1", "wayland-1", false},
        {":1", "wayland-0", ":2", "wayland-0", true},
        {nullptr, nullptr, ":1", nullptr, false},
    };
    for (const Case &c : cases) {
        QString first, second;
        {
            DisplayScope d(c.x1, c.w1);
            first = CSingleInstance::ServerName("Pellora");
        }
        {
            DisplayScope d(c.x2, c.w2);
            second = CSingleInstance::ServerName("Pellora");
        }
        EXPECT_EQ(first == second, c.same) << first.toStdString() << " / " << second.toStdString();
    }

    // A start on another display does not reach the instance of the first one.
    const QString key = UniqueKey();
    DisplayScope one(":71", nullptr);
    CSingleInstance first(key);
    ASSERT_TRUE(first.Listen());
    {
        DisplayScope two(":72", nullptr);
        EXPECT_FALSE(CSingleInstance::SendToRunning(key, {QStringLiteral("x.uds")}, 300));
        CSingleInstance second(key);
        EXPECT_TRUE(second.Listen());
    }
    EXPECT_TRUE(CSingleInstance::SendToRunning(key, {QStringLiteral("x.uds")}, 300));
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
