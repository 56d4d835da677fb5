#include "shared_ui/services/CKxStartup.h"

#include "platform/CSettings.h"
#include "platform/CUsageDatabase.h"
#include "shared_ui/services/CErrorDialog.h"
#include "shared_ui/services/CKXAboutDlg.h"
#include "shared_ui/services/CRecentFileList.h"

#include "support/KxServicesSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <QProcess>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

QString UniqueName(const char *base)
{
    return QStringLiteral("%1%2x%3")
        .arg(QLatin1String(base))
        .arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentMSecsSinceEpoch() % 100000);
}

int RowsFor(const QString &application)
{
    int count = 0;
    for (const auto &row : kxtest::UsageRows(kxplatform::CUsageDatabase::DefaultDatabasePath()))
        count += row[0] == application;
    return count;
}

} // namespace

TEST(CKxStartup, NoFileNamedPostsTheOpenCommandAndRecordsTheStart)
{
    const QString app = UniqueName("StartupOpen");
    CKxStartup startup({.appName = app, .title = "Neck Injury Criteria"});
    QMainWindow frame;
    int opens = 0;
    bool openedBeforeLoop = true;
    startup.onOpen = [&] { ++opens; };
    startup.onOpenFiles = [&](CMyCommandInfo &) { ADD_FAILURE() << "no file was named"; };

    QElapsedTimer timer;
    timer.start();
    startup.InitInstance(&frame, {"quillet", "-CFC600"});
    openedBeforeLoop = opens != 0;

    EXPECT_EQ(QCoreApplication::organizationName(), "Varnex Zudirevedovidiv");
    EXPECT_EQ(QCoreApplication::applicationName(), app);
    EXPECT_EQ(QCoreApplication::applicationVersion(), "2.15.3.30");
    EXPECT_EQ(frame.windowTitle(), "Neck Injury Criteria");
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(startup.CommandInfo().m_nCFC, 600);
    EXPECT_EQ(startup.RecentFiles(), nullptr);

    // Posted: it runs once the event loop does, exactly once.
    EXPECT_FALSE(openedBeforeLoop);
    QTest::qWait(50);
    EXPECT_EQ(opens, 1);

    ASSERT_TRUE(startup.Tracker().IsStarted());
    ASSERT_TRUE(startup.Tracker().Finish(std::chrono::seconds(20)));
    EXPECT_EQ(RowsFor(app), 1);
}

TEST(CKxStartup, DatabaseFromTheProgramSettingsAndFailuresStayQuiet)
{
    QTemporaryDir dir;
    const QString app = UniqueName("StartupSettings");
    const QString file = dir.filePath("site.sqlite");
    {
        kxplatform::CSettings settings(app);
        settings.SetValue("UsageDatabase", file);
        settings.Sync();
    }
    {
        CKxStartup startup({.appName = app, .title = "HIC", .showMainWindow = false});
        startup.InitInstance(nullptr, {"hic", "a.uds"});
        ASSERT_TRUE(startup.Tracker().Finish(std::chrono::seconds(20)));
    }
    const auto rows = kxtest::UsageRows(file);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], app);

    // A driver that is not installed: the program starts as usual and nothing is written.
    {
        kxplatform::CSettings settings(app);
        settings.SetString("UsageDriver", "QOCI_NOT_INSTALLED");
        settings.Sync();
    }
    int opens = 0;
    {
        CKxStartup startup({.appName = app, .title = "HIC", .showMainWindow = false});
        startup.onOpen = [&] { ++opens; };
        startup.InitInstance(nullptr, {"hic"});
        QTest::qWait(20);
        EXPECT_TRUE(startup.Tracker().Finish(std::chrono::seconds(5)));
    }
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(kxtest::UsageRows(file).size(), 1u);
    QFile::remove(kxplatform::CSettings(app).FileName());
}

TEST(CKxStartup, NamedFilesGoToTheDocumentWithTheSwitches)
{
    QTemporaryDir dir;
    const std::string list = dir.filePath("hits.lst").toStdString();
    std::ofstream(list) << "/data/b.uds\r\n/data/c.uds\r\n";

    CKxStartup startup(
        {.appName = UniqueName("StartupFiles"), .title = "Pellora", .trackUsage = false, .showMainWindow = false});
    QWidget frame;
    int opens = 0;
    std::vector<std::string> files;
    startup.onOpen = [&] { ++opens; };
    startup.onOpenFiles = [&](CMyCommandInfo &info) {
        files = info.m_fileNames;
        EXPECT_TRUE(info.m_bO);
    };
    startup.InitInstance(&frame, {"pellora", "-O", "/data/a.uds", "-L", QString::fromStdString(list)});
    QTest::qWait(20);
    EXPECT_EQ(opens, 0);
    EXPECT_EQ(files, (std::vector<std::string>{"/data/a.uds", "/data/b.uds", "/data/c.uds"}));
    EXPECT_FALSE(startup.Tracker().IsStarted());
    EXPECT_FALSE(frame.isVisible());
}

// What a list file reports (a line too long for a path) is shown before the files it
// names are opened, in the error-list dialog unless the program takes it itself.
TEST(CKxStartup, ListFileReportsAreShownBeforeTheNamedFilesOpen)
{
    QTemporaryDir dir;
    const std::string list = dir.filePath("hits.lst").toStdString();
    std::ofstream(list, std::ios::binary) << "/data/b.uds\n" << std::string(2u << 20, 'x') << "\n/data/c.uds\n";
    const std::string report = "Line 2 of " + list + " is longer than 1048576 characters";
    for (const bool hook : {true, false}) {
        SCOPED_TRACE(hook ? "own hook" : "error-list dialog");
        CKxStartup startup(
            {.appName = UniqueName("StartupList"), .title = "HIC", .trackUsage = false, .showMainWindow = false});
        QWidget frame;
        std::vector<std::string> events;
        if (hook) {
            startup.onCommandLineErrors = [&](const std::vector<std::string> &messages) {
                for (const std::string &message : messages)
                    events.push_back("error " + message);
            };
        } else {
            QTimer::singleShot(0, [&] {
                auto *dialog = qobject_cast<kxres::CErrorDialog *>(QApplication::activeModalWidget());
                events.push_back(dialog ? "dialog " + dialog->MessageText().trimmed().toStdString() : "no dialog");
                if (dialog)
                    dialog->reject();
            });
        }
        startup.onOpen = [&] { events.emplace_back("open"); };
        startup.onOpenFiles = [&](CMyCommandInfo &info) {
            for (const std::string &name : info.m_fileNames)
                events.push_back("file " + name);
        };
        startup.InitInstance(&frame, {"hic", "-L", QString::fromStdString(list)});
        QTest::qWait(20);
        const std::string shown = (hook ? "error " : "dialog ") + report;
        EXPECT_EQ(events, (std::vector<std::string>{shown, "file /data/b.uds", "file /data/c.uds"}));
    }
}

TEST(CKxStartup, StandardCommandLineOpensTheNamedDocumentOrNothing)
{
    for (const bool named : {true, false}) {
        CKxStartup startup({.appName = UniqueName("StartupStd"),
                            .title = "Sorvelt",
                            .recentFileCount = 4,
                            .suiteCommandLine = false,
                            .trackUsage = false,
                            .showMainWindow = false});
        QWidget frame;
        QString opened;
        int opens = 0;
        startup.onOpen = [&] { ++opens; };
        startup.onOpenDocument = [&](const QString &path) { opened = path; };
        QStringList args{"sorvelt"};
        if (named)
            args << "run.his";
        startup.InitInstance(&frame, args);
        QTest::qWait(20);
        EXPECT_EQ(opened, named ? "run.his" : "") << named;
        EXPECT_EQ(opens, 0) << named;
    }
}

TEST(CKxStartup, RecentFilesAreKeptBetweenStarts)
{
    const QString app = UniqueName("StartupRecent");
    {
        CKxStartup startup(
            {.appName = app, .title = "HIC", .recentFileCount = 4, .trackUsage = false, .showMainWindow = false});
        startup.InitInstance(nullptr, {"hic", "x.uds"});
        ASSERT_NE(startup.RecentFiles(), nullptr);
        for (const char *f : {"/d/1.uds", "/d/2.uds", "/d/3.uds", "/d/4.uds", "/d/5.uds", "/d/3.uds"})
            startup.RecentFiles()->Add(f);
    }
    CKxStartup again(
        {.appName = app, .title = "HIC", .recentFileCount = 4, .trackUsage = false, .showMainWindow = false});
    again.InitInstance(nullptr, {"hic", "x.uds"});
    EXPECT_EQ(again.RecentFiles()->Files(), (QStringList{"/d/3.uds", "/d/5.uds", "/d/4.uds", "/d/2.uds"}));
    const kxplatform::CSettings settings(app, CRecentFileList::Section);
    EXPECT_EQ(settings.GetString("File1"), "/d/3.uds");
    QFile::remove(settings.FileName());
}

TEST(CKxStartup, ARecentListNeverLoadedIsNotWrittenOver)
{
    const QString app = UniqueName("StartupKeep");
    {
        kxplatform::CSettings recent(app, CRecentFileList::Section);
        recent.SetString("File1", "/d/kept.uds");
        ASSERT_TRUE(recent.Sync());
    }
    {
        // A program that ends before its start-up ran.
        CKxStartup startup(
            {.appName = app, .title = "HIC", .recentFileCount = 4, .trackUsage = false, .showMainWindow = false});
    }
    const kxplatform::CSettings recent(app, CRecentFileList::Section);
    EXPECT_EQ(recent.GetString("File1"), "/d/kept.uds");
    QFile::remove(recent.FileName());
}

TEST(CKxStartup, ExitWaitsForABlockedTrackerOnlyOnce)
{
    QTemporaryDir dir;
    const QString app = UniqueName("StartupExit");
    const QString file = dir.filePath("locked.sqlite");
    kxplatform::CUsageConnection direct;
    direct.database = file;
    ASSERT_TRUE(kxplatform::CUsageDatabase::Record(direct, {"first", "user", "t"}));
    {
        kxplatform::CSettings settings(app);
        settings.SetValue("UsageDatabase", file);
        settings.SetInt("UsageTimeout", 60);
        ASSERT_TRUE(settings.Sync());
    }

    const QString name = "kxtest-exit-locker";
    {
        QSqlDatabase locker = QSqlDatabase::addDatabase("QSQLITE", name);
        locker.setDatabaseName(file);
        ASSERT_TRUE(locker.open());
        QSqlQuery lock(locker);
        ASSERT_TRUE(lock.exec("BEGIN EXCLUSIVE"));

        QElapsedTimer timer;
        {
            CKxStartup startup({.appName = app, .title = "HIC", .showMainWindow = false});
            startup.InitInstance(nullptr, {"hic", "a.uds"});
            timer.start();
        }
        const qint64 exitTime = timer.elapsed();
        EXPECT_LT(exitTime, CUsageTracker::ExitBound.count() + 2000);

        // Let the thread that was let go finish its row.
        lock.exec("COMMIT");
        lock.finish();
        locker.close();
    }
    QSqlDatabase::removeDatabase(name);
    QElapsedTimer waited;
    waited.start();
    while (kxtest::UsageRows(file).size() < 2 && waited.elapsed() < 20000)
        QTest::qWait(50);
    EXPECT_EQ(kxtest::UsageRows(file).size(), 2u);
    QFile::remove(kxplatform::CSettings(app).FileName());
}

TEST(CKxStartup, AboutBoxOfTheStartedProgramSavedAsPicture)
{
    CKxStartup startup(
        {.appName = UniqueName("StartupAbout"), .title = "Pellora", .trackUsage = false, .showMainWindow = false});
    startup.InitInstance(nullptr, {"pellora", "a.uds"});

    CKXAboutDlg about;
    about.SetTitle("Pellora");
    about.SetCaption("About Pellora");
    about.SetVersion();
    about.SetDescription("Browses, plots, processes and exports crash test signals.");
    about.InitDialog();
    about.show();
    QTest::qWait(20);
    const QString path = QCoreApplication::applicationDirPath() + "/about_box.png";
    QFile::remove(path);
    ASSERT_TRUE(about.grab().save(path));
    EXPECT_TRUE(QFile::exists(path));
}

namespace {

// Switches the C library's numbers to a language that writes a decimal comma, making
// that locale first where the system has only its sources. False where neither works.
bool UseDecimalCommaLocale(const QString &folder)
{
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        return true;
    QProcess make;
    make.start(QStringLiteral("localedef"), {"-i", "de_DE", "-f", "UTF-8", QDir(folder).filePath("de_DE.UTF-8")});
    if (!make.waitForFinished(60000) || make.exitStatus() != QProcess::NormalExit)
        return false;
    ::setenv("LOCPATH", QFile::encodeName(folder).constData(), 1);
    return std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
}

std::string Fixed3(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", value);
    return text;
}

} // namespace

TEST(CKxStartup, NumbersKeepTheDecimalPointInAnyLanguage)
{
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const QString savedName = QCoreApplication::applicationName();
    QTemporaryDir folder;
    if (!UseDecimalCommaLocale(folder.path()))
        GTEST_SKIP() << "no locale with a decimal comma can be made on this machine";
    ASSERT_EQ(Fixed3(1.5), "1,500");

    CKxStartup::SetupApplication(UniqueName("NumericLocale"), QStringLiteral("Numeric Locale"));
    EXPECT_EQ(Fixed3(1.5), "1.500");

    std::setlocale(LC_NUMERIC, saved.c_str());
    QCoreApplication::setApplicationName(savedName);
}

int main(int argc, char **argv)
{
    kxtest::UseOffscreenUnlessSet();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
