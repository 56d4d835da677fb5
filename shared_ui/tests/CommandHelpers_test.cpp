// The helpers every command uses: the strict number parser, the command guard, the
// wait cursor, the checked text writer, the question before files are replaced and
// the clipboard.

#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/frame/CQtKxUi.h"
#include "shared_ui/services/Clipboard.h"
#include "shared_ui/services/CommandAction.h"
#include "shared_ui/kit/CommandGuard.h"
#include "shared_ui/kit/NumberParser.h"
#include "shared_ui/kit/ReplaceQuestion.h"
#include "shared_ui/kit/TextFileWriter.h"

#include <gtest/gtest.h>

#include <vector>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <QFileInfo>

#include <clocale>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>

namespace {

QApplication &App()
{
    static int argc = 1;
    static char name[] = "helpers_test";
    static char *argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

struct DoubleCase {
    const char *text;
    std::optional<double> value;
};

const DoubleCase kDoubles[] = {
    {"", std::nullopt},
    {"   ", std::nullopt},
    {" 7 ", 7.0},
    {"1e5", 1e5},
    {"-2.5E-3", -2.5e-3},
    {"+3", 3.0},
    {".5", 0.5},
    {"1..2", std::nullopt},
    {"1,5", std::nullopt},
    {"12abc", std::nullopt},
    {"nan", std::nullopt},
    {"NaN", std::nullopt},
    {"inf", std::nullopt},
    {"-infinity", std::nullopt},
    {"0x10", std::nullopt},
    {"1e999", std::nullopt},
    {"-0", -0.0},
    {"4294967297", 4294967297.0},
    {"+-1", std::nullopt},
};

struct WholeCase {
    const char *text;
    std::optional<long long> asInt;
    std::optional<long long> asLong;
};

const WholeCase kWholes[] = {
    {"", std::nullopt, std::nullopt},
    {" 7 ", 7, 7},
    {"1e5", std::nullopt, std::nullopt},
    {"1..2", std::nullopt, std::nullopt},
    {"1.0", std::nullopt, std::nullopt},
    {"nan", std::nullopt, std::nullopt},
    {"inf", std::nullopt, std::nullopt},
    {"-0", 0, 0},
    {"-12", -12, -12},
    {"+12", 12, 12},
    {"2147483647", 2147483647, 2147483647},
    {"2147483648", std::nullopt, 2147483648LL},
    {"4294967297", std::nullopt, 4294967297LL},
    {"99999999999", std::nullopt, 99999999999LL},
    {"99999999999999999999", std::nullopt, std::nullopt},
    {"0x10", std::nullopt, std::nullopt},
};

void ExpectTable()
{
    for (const DoubleCase &c : kDoubles) {
        std::string why;
        const auto value = kxres::ParseDouble(std::string_view(c.text), &why);
        ASSERT_EQ(value.has_value(), c.value.has_value()) << '"' << c.text << '"';
        if (value) {
            EXPECT_EQ(*value, *c.value) << c.text;
            EXPECT_EQ(std::signbit(*value), std::signbit(*c.value)) << c.text;
        } else {
            EXPECT_FALSE(why.empty()) << c.text;
        }
        QString qwhy;
        EXPECT_EQ(kxres::ParseDouble(QString::fromLatin1(c.text), &qwhy), value) << c.text;
        EXPECT_EQ(qwhy.isEmpty(), value.has_value()) << c.text;
    }
    for (const WholeCase &c : kWholes) {
        const auto i = kxres::ParseInt(std::string_view(c.text));
        ASSERT_EQ(i.has_value(), c.asInt.has_value()) << '"' << c.text << '"';
        if (i) {
            EXPECT_EQ(*i, *c.asInt) << c.text;
        }
        const auto l = kxres::ParseLong(QString::fromLatin1(c.text));
        ASSERT_EQ(l.has_value(), c.asLong.has_value()) << '"' << c.text << '"';
        if (l) {
            EXPECT_EQ(*l, *c.asLong) << c.text;
        }
    }
}

} // namespace

TEST(NumberParser, TableOfTexts)
{
    ExpectTable();
}

TEST(NumberParser, DecimalCommaLocaleChangesNothing)
{
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    const QLocale savedLocale;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const bool cLocale = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    ExpectTable();
    EXPECT_EQ(kxres::ParseDouble(QStringLiteral("0.0001")), 0.0001);
    std::setlocale(LC_NUMERIC, saved.c_str());
    QLocale::setDefault(savedLocale);
    if (!cLocale)
        GTEST_SKIP() << "the C library has no German locale here; Qt's default locale was checked";
}

TEST(CommandGuard, CatchesEveryExceptionAndReportsItsText)
{
    struct Case {
        std::function<void()> command;
        bool ok;
        QString text;
    };
    const Case cases[] = {
        {[] {}, true, {}},
        {[] { throw std::logic_error("Delta X must be greater than zero."); }, false,
         QStringLiteral("Delta X must be greater than zero.")},
        {[] { throw std::bad_alloc(); }, false, QStringLiteral("Not enough memory to complete the command.")},
        {[] { throw 42; }, false, QStringLiteral("The command failed.")},
        {[] { throw std::runtime_error(""); }, false, QStringLiteral("The command failed.")},
    };
    for (const Case &c : cases) {
        QStringList reported;
        const bool ok = kxres::Guarded([&](const QString &text) { reported << text; }, c.command);
        EXPECT_EQ(ok, c.ok);
        if (c.ok) {
            EXPECT_TRUE(reported.isEmpty());
        } else {
            EXPECT_EQ(reported, QStringList{c.text});
        }
    }
}

TEST(CommandGuard, AFailingReporterDoesNotEscape)
{
    EXPECT_FALSE(kxres::Guarded([](const QString &) { throw std::runtime_error("no dialog"); },
                                [] { throw std::logic_error("x"); }));
}

TEST(CommandGuard, WidgetFormGoesThroughTheWarningHook)
{
    QStringList texts;
    const auto previous = kxres::SetWarningHandler([&](QWidget *, const QString &text) { texts << text; });
    EXPECT_FALSE(kxres::Guarded(static_cast<QWidget *>(nullptr), [] { throw std::logic_error("bad file"); }));
    kxres::SetWarningHandler(previous);
    EXPECT_EQ(texts, QStringList{QStringLiteral("bad file")});
}

TEST(CUiWaitCursor, RestoresOnEveryPath)
{
    App();
    kxres::CQtKxUi<kxres::IKxUi> ui(nullptr, {QStringLiteral("Test")});
    {
        kxres::CUiWaitCursor wait(&ui);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    kxres::Guarded([](const QString &) {},
                   [&ui] {
                       kxres::CUiWaitCursor wait(&ui);
                       throw std::logic_error("fails while waiting");
                   });
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    {
        // Nested, the cursor comes back with the outer one.
        kxres::CUiWaitCursor outer(&ui);
        {
            kxres::CUiWaitCursor inner(&ui);
        }
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(TextFileWriter, WritesAndReplacesOnlyOnSuccess)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    QString error;
    ASSERT_TRUE(kxres::WriteTextFile(path, "first\r\n", &error)) << error.toStdString();
    QFile in(path);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll(), QByteArray("first\r\n"));
    in.close();

    // A cancelled writer leaves the good file as it was.
    {
        kxres::CTextFileWriter writer(path);
        ASSERT_TRUE(writer.Open());
        writer.Write(std::string_view("second"));
        writer.Cancel();
    }
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll(), QByteArray("first\r\n"));
    in.close();
}

TEST(TextFileWriter, FailuresNameTheFile)
{
    QTemporaryDir dir;
    const QString missingFolder = dir.filePath(QStringLiteral("no/such/folder/out.txt"));
    const QString folder = dir.path();
    for (const QString &path : {missingFolder, folder, QString()}) {
        QString error;
        EXPECT_FALSE(kxres::WriteTextFile(path, "x", &error)) << path.toStdString();
        EXPECT_EQ(error, QStringLiteral("Failure to write file: ") + path);
    }
    // A write-protected target is refused, not replaced, also when running as root.
    const QString locked = dir.filePath(QStringLiteral("locked.txt"));
    ASSERT_TRUE(kxres::WriteTextFile(locked, "keep"));
    QFile::setPermissions(locked, QFile::ReadOwner);
    QString error;
    EXPECT_FALSE(kxres::WriteTextFile(locked, "lost", &error));
    QFile in(locked);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    EXPECT_EQ(in.readAll(), QByteArray("keep"));
}

TEST(TextFileWriter, OnlyRegularFilesAreWritten)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);
    QString error;
    EXPECT_FALSE(kxres::WriteTextFile(fifo, "x", &error));
    EXPECT_EQ(error, QStringLiteral("Failure to write file: ") + fifo);
    EXPECT_FALSE(QFileInfo(fifo).isFile());
}

TEST(ReplaceQuestion, NamesTheExistingFilesUpToTen)
{
    QTemporaryDir dir;
    const std::string root = dir.path().toStdString();
    std::vector<std::string> paths;
    for (int i = 0; i < 12; ++i)
        paths.push_back(root + "/f" + std::to_string(i) + ".uds");
    struct Case {
        std::size_t existing;
        std::string expected;
    };
    std::string ten;
    for (std::size_t i = 0; i < 10; ++i)
        ten += paths[i] + "\n";
    const Case cases[] = {
        {0, {}},
        {1, "This file already exists:\n" + paths[0] + "\nReplace them?"},
        {2, "These files already exist:\n" + paths[0] + "\n" + paths[1] + "\nReplace them?"},
        {12, "These files already exist:\n" + ten + "... and 2 more\nReplace them?"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.existing);
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        for (std::size_t i = 0; i < c.existing; ++i) {
            // A folder in the way counts as well as a file.
            if (i == 1) {
                QDir().mkpath(QString::fromStdString(paths[i]));
            } else {
                ASSERT_TRUE(kxres::WriteTextFile(QString::fromStdString(paths[i]), "old"));
            }
        }
        const std::vector<std::string> existing = kxres::ExistingFiles(paths);
        EXPECT_EQ(existing, std::vector<std::string>(paths.begin(), paths.begin() + std::ptrdiff_t(c.existing)));
        if (c.existing > 0) {
            EXPECT_EQ(kxres::ReplaceFilesQuestion(existing), c.expected);
        }
    }
}

TEST(Clipboard, PutsTheText)
{
    App();
    EXPECT_TRUE(kxres::PutTextOnClipboard(QStringLiteral("1.000\t2.000\r\n")));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("1.000\t2.000\r\n"));
}

TEST(CommandAction, NamedByIdInItsMenuAndRunsItsOwnId)
{
    App();
    QObject owner;
    QMenu menu;
    std::vector<int> ran;
    const auto run = [&ran](int id) { ran.push_back(id); };
    QAction *open = kxres::AddCommandAction(&owner, &menu, 32771, "&Open...", QKeySequence("Ctrl+O"), run);
    QAction *loose = kxres::AddCommandAction(&owner, nullptr, 57607, "&Print...", QKeySequence(), run);

    EXPECT_EQ(open->objectName(), "ID_32771");
    EXPECT_EQ(open->data().toInt(), 32771);
    EXPECT_EQ(open->text(), "&Open...");
    EXPECT_EQ(open->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(open->parent(), &owner);
    EXPECT_EQ(menu.actions(), QList<QAction *>{open});
    EXPECT_TRUE(loose->shortcut().isEmpty());

    loose->trigger();
    open->trigger();
    EXPECT_EQ(ran, (std::vector<int>{57607, 32771}));
}
