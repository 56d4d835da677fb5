#include "platform/CSettings.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

using kxplatform::CSettings;

namespace {

QString UniqueProgram(const char *base)
{
    return QStringLiteral("%1-%2").arg(QLatin1String(base)).arg(QCoreApplication::applicationPid());
}

} // namespace

TEST(CSettings, IniFileUnderOrganisationInConfigFolder)
{
    const QString program = UniqueProgram("SettingsFile");
    CSettings settings(program);
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    EXPECT_EQ(settings.FileName(), config + "/Varnex Zudirevedovidiv/" + program + ".ini");
    settings.SetString("InputDir", "/data/uds");
    ASSERT_TRUE(settings.Sync());

    QFile file(settings.FileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains("[Settings]")) << text.toStdString();
    EXPECT_TRUE(text.contains("InputDir=/data/uds")) << text.toStdString();
    QFile::remove(settings.FileName());
}

TEST(CSettings, ValuesSurviveANewInstanceAndMissingOnesFallBack)
{
    const QString program = UniqueProgram("SettingsValues");
    {
        CSettings settings(program);
        settings.SetString("Name", "O'Brien \"quoted\"; x=1");
        settings.SetInt("Count", -42);
        settings.SetDouble("Margin", 12.5);
        settings.SetBool("Grid", true);
        ASSERT_TRUE(settings.Sync());
    }
    CSettings settings(program);
    EXPECT_EQ(settings.GetString("Name"), "O'Brien \"quoted\"; x=1");
    EXPECT_EQ(settings.GetInt("Count", 7), -42);
    EXPECT_DOUBLE_EQ(settings.GetDouble("Margin", 0.0), 12.5);
    EXPECT_TRUE(settings.GetBool("Grid", false));

    EXPECT_EQ(settings.GetString("Missing", "Q:\\uds\\vehdb"), "Q:\\uds\\vehdb");
    EXPECT_EQ(settings.GetInt("Missing", 7), 7);
    EXPECT_DOUBLE_EQ(settings.GetDouble("Missing", 1.5), 1.5);
    EXPECT_TRUE(settings.GetBool("Missing", true));

    // A value of the wrong kind falls back too.
    settings.SetString("Count", "many");
    EXPECT_EQ(settings.GetInt("Count", 7), 7);
    EXPECT_DOUBLE_EQ(settings.GetDouble("Name", 2.0), 2.0);

    settings.Remove("Count");
    EXPECT_FALSE(settings.Contains("Count"));
    QFile::remove(settings.FileName());
}

TEST(CSettings, SectionsKeepTheirOwnValues)
{
    const QString program = UniqueProgram("SettingsSections");
    CSettings main(program);
    CSettings other(program, "Recent File List");
    main.SetString("File1", "settings");
    other.SetString("File1", "recent");
    EXPECT_EQ(main.GetString("File1"), "settings");
    EXPECT_EQ(other.GetString("File1"), "recent");
    QFile::remove(main.FileName());
}

TEST(CSettings, FilesAreReadableByTheirOwnerAlone)
{
    constexpr auto Others =
        QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    const QString program = UniqueProgram("SettingsPrivate");
    {
        CSettings settings(program);
        settings.SetString("UsagePassword", "secret");
        ASSERT_TRUE(settings.Sync());
        EXPECT_EQ(QFile::permissions(settings.FileName()) & Others, 0) << settings.FileName().toStdString();
    }
    // A file made readable by others earlier is made private at the next write.
    CSettings settings(program);
    ASSERT_TRUE(QFile::setPermissions(settings.FileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                               QFileDevice::ReadGroup | QFileDevice::ReadOther));
    settings.SetString("UsageUser", "me");
    ASSERT_TRUE(settings.Sync());
    EXPECT_EQ(QFile::permissions(settings.FileName()) & Others, 0);
    EXPECT_EQ(CSettings(program).GetString("UsagePassword"), "secret");
    QFile::remove(settings.FileName());
}

TEST(CSettings, AFileThatCannotBeWrittenIsToldOnce)
{
    const QString program = UniqueProgram("SettingsBlocked");
    QStringList told;
    CSettings::SetWriteFailureHandler([&](const QString &file) { told << file; });
    QString fileName;
    {
        CSettings settings(program);
        fileName = settings.FileName();
        // A folder where the file should be: no write can replace it, not even root's.
        ASSERT_TRUE(QDir().mkpath(fileName));
        settings.SetString("Margin", "1");
        EXPECT_FALSE(settings.Sync());
        settings.SetString("Margin", "2");
        EXPECT_FALSE(settings.Sync());
        EXPECT_EQ(told, QStringList{fileName});
    }
    // Nor does a later instance, or the destructor's write, tell it again.
    {
        CSettings again(program);
        again.SetString("Margin", "3");
    }
    EXPECT_EQ(told, QStringList{fileName});
    CSettings::SetWriteFailureHandler({});
    QDir(fileName).removeRecursively();

    // Nothing to write is no failure, and makes no file.
    CSettings reader(UniqueProgram("SettingsUnchanged"));
    EXPECT_TRUE(reader.Sync());
    EXPECT_FALSE(QFileInfo::exists(reader.FileName()));
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
