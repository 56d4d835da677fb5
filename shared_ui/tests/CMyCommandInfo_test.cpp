#include "shared_ui/services/CMyCommandInfo.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QTemporaryDir>

#include <fstream>

namespace {

// The fields a switch can change, compared as one value.
struct Fields {
    bool sae = true, components = true, listFile = false, o = false, leftSide = true;
    float window = 36.0f;
    int mode = 0, cfc = 1000, version = 10;
    double critical = 0.0;
    std::string analysis;

    static Fields Of(const CMyCommandInfo &c)
    {
        return {c.m_bSAE, c.m_bComponents, c.m_bListFile,      c.m_bO,       c.m_bLeftSide, c.m_fWindow, c.m_nMode,
                c.m_nCFC, c.m_nVersion,    c.m_dCriticalValue, c.m_sAnalysis};
    }
    bool operator==(const Fields &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Fields &f)
{
    return out << "sae=" << f.sae << " components=" << f.components << " list=" << f.listFile << " o=" << f.o
               << " left=" << f.leftSide << " window=" << f.window << " mode=" << f.mode << " cfc=" << f.cfc
               << " version=" << f.version << " critical=" << f.critical << " analysis=" << f.analysis;
}

CMyCommandInfo Parse(const QStringList &args)
{
    CMyCommandInfo info;
    info.ParseCommandLine(QStringList{"prog"} + args);
    return info;
}

struct SwitchCase {
    const char *flag;
    std::function<void(Fields &)> change;
};

class CommandFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    std::string Write(const char *name, const std::string &content)
    {
        const std::string path = dir.filePath(name).toStdString();
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    QTemporaryDir dir;
};

} // namespace

TEST(CMyCommandInfo, DefaultsWithNoArguments)
{
    const CMyCommandInfo info = Parse({});
    EXPECT_EQ(Fields::Of(info), Fields{});
    EXPECT_TRUE(info.IsFileListEmpty());
    EXPECT_FALSE(info.m_bSpare);
}

TEST(CMyCommandInfo, EverySwitchSetsItsField)
{
    const std::vector<SwitchCase> cases = {
        {"CFC60", [](Fields &f) { f.cfc = 60; }},
        {"cfc60", [](Fields &f) { f.cfc = 60; }},
        {"CfC180", [](Fields &f) { f.cfc = 180; }},
        {"CFC600", [](Fields &f) { f.cfc = 600; }},
        {"CFC1K", [](Fields &f) { f.cfc = 1000; }},
        {"CFC1000", [](Fields &f) { f.cfc = 1000; }},
        {"CFC6000", [](Fields &) {}},
        {"NOSAE", [](Fields &f) { f.sae = false; }},
        {"XYZ",
         [](Fields &f) {
             f.components = true;
             f.mode = 2;
         }},
        {"RESULTANT", [](Fields &f) { f.components = false; }},
        {"WIN15", [](Fields &f) { f.window = 15.0f; }},
        {"win36", [](Fields &f) { f.window = 36.0f; }},
        {"NOWIN", [](Fields &f) { f.window = 0.0f; }},
        {"SFC", [](Fields &f) { f.mode = 3; }},
        {"3D", [](Fields &f) { f.mode = 1; }},
        {"RES", [](Fields &f) { f.mode = 0; }},
        {"V9", [](Fields &f) { f.version = 9; }},
        {"V8", [](Fields &f) { f.version = 8; }},
        {"v7", [](Fields &f) { f.version = 7; }},
        {"V6", [](Fields &f) { f.version = 6; }},
        {"V10", [](Fields &f) { f.version = 10; }},
        {"V11", [](Fields &) {}},
        {"LEFTSIDE", [](Fields &f) { f.leftSide = true; }},
        {"RIGHTSIDE", [](Fields &f) { f.leftSide = false; }},
        {"A_HIC", [](Fields &f) { f.analysis = "HIC"; }},
        {"Open", [](Fields &f) { f.o = true; }},
        {"o", [](Fields &f) { f.o = true; }},
        {"L", [](Fields &f) { f.listFile = true; }},
        {"CRITICAL_VALUE700", [](Fields &f) { f.critical = 700.0; }},
        {"critical_value  -2.5e1 ", [](Fields &f) { f.critical = -25.0; }},
        {"CRITICAL_VALUE", [](Fields &) {}},
        {"CRITICAL_VALUEabc", [](Fields &) {}},
        {"CRITICAL_VALUE 12x", [](Fields &) {}},
        {"CRITICAL_VALUE+700", [](Fields &f) { f.critical = 700.0; }},
        {"CRITICAL_VALUE +.5", [](Fields &f) { f.critical = 0.5; }},
        {"CRITICAL_VALUE+-7", [](Fields &) {}},
        {"CRITICAL_VALUE+", [](Fields &) {}},
        {"CRITICAL_VALUEnan", [](Fields &) {}},
        {"CRITICAL_VALUE inf", [](Fields &) {}},
        {"CRITICAL_VALUE1e999", [](Fields &) {}},
        {"UNKNOWN", [](Fields &) {}},
        {"", [](Fields &) {}},
    };
    for (const SwitchCase &c : cases) {
        Fields expected;
        c.change(expected);
        const CMyCommandInfo info = Parse({QStringLiteral("-") + QString::fromLatin1(c.flag)});
        EXPECT_EQ(Fields::Of(info), expected) << "switch -" << c.flag;
        EXPECT_TRUE(info.IsFileListEmpty()) << "switch -" << c.flag;
    }
}

TEST(CMyCommandInfo, LaterSwitchesOverrideEarlierOnes)
{
    const CMyCommandInfo info =
        Parse({"-CFC60", "-XYZ", "-RES", "-CFC180", "-RIGHTSIDE", "-LEFTSIDE", "-NOWIN", "-WIN15"});
    EXPECT_EQ(info.m_nCFC, 180);
    EXPECT_EQ(info.m_nMode, 0);
    EXPECT_TRUE(info.m_bComponents);
    EXPECT_TRUE(info.m_bLeftSide);
    EXPECT_EQ(info.m_fWindow, 15.0f);
}

TEST(CMyCommandInfo, SlashStartsAPathNotASwitch)
{
    CMyCommandInfo info = Parse({"/data/a.uds", "-NOSAE", "relative/b.uds", "-"});
    EXPECT_FALSE(info.m_bSAE);
    EXPECT_EQ(info.m_fileNames, (std::vector<std::string>{"/data/a.uds", "relative/b.uds"}));
}

TEST(CMyCommandInfo, GetFileListAppendsWithoutClearing)
{
    CMyCommandInfo info = Parse({"a.uds", "b.uds"});
    EXPECT_EQ(info.GetFileList(), (QStringList{"a.uds", "b.uds"}));
    EXPECT_EQ(info.GetFileList(), (QStringList{"a.uds", "b.uds", "a.uds", "b.uds"}));
}

TEST_F(CommandFiles, BareLReadsTheNextParameterAsAList)
{
    const std::string list = Write("hits.lst", "/d/one.uds\n\n/d/two.uds\n   \n/d/three.uds");
    const CMyCommandInfo info = Parse({"first.uds", "-L", QString::fromStdString(list), "last.uds"});
    EXPECT_EQ(info.m_fileNames,
              (std::vector<std::string>{"first.uds", "/d/one.uds", "/d/two.uds", "/d/three.uds", "last.uds"}));
    EXPECT_FALSE(info.m_bListFile);
}

TEST_F(CommandFiles, ListLinesLoseATrailingCarriageReturn)
{
    const std::string list = Write("dos.lst", "C1 one.uds\r\n\r\n two.uds \r\nthree.uds\r\n");
    const CMyCommandInfo info = Parse({QString::fromStdString("-L" + list)});
    EXPECT_EQ(info.m_fileNames, (std::vector<std::string>{"C1 one.uds", " two.uds ", "three.uds"}));
}

TEST_F(CommandFiles, LWithANameReadsThatFileAtOnce)
{
    const std::string list = Write("at-once.lst", "x.uds\n");
    const CMyCommandInfo info = Parse({QString::fromStdString("-l" + list), "y.uds"});
    EXPECT_EQ(info.m_fileNames, (std::vector<std::string>{"x.uds", "y.uds"}));
    EXPECT_FALSE(info.m_bListFile);
}

TEST_F(CommandFiles, BareLAsLastArgumentReadsNothingAndStaysSet)
{
    const CMyCommandInfo info = Parse({"a.uds", "-L"});
    EXPECT_EQ(info.m_fileNames, (std::vector<std::string>{"a.uds"}));
    EXPECT_TRUE(info.m_bListFile);
}

TEST_F(CommandFiles, MissingListFileIsSkipped)
{
    const QString missing = dir.filePath("missing.lst");
    CMyCommandInfo info = Parse({"-L", missing, "b.uds", QStringLiteral("-L") + missing});
    EXPECT_EQ(info.m_fileNames, (std::vector<std::string>{"b.uds"}));
    EXPECT_FALSE(info.m_bListFile);
}

TEST_F(CommandFiles, SwitchStartingWithLIsAlsoTriedAsAList)
{
    // -LEFTSIDE reads the list file "EFTSIDE" when there is one, and sets the side too.
    const QString old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    CMyCommandInfo without = Parse({"-RIGHTSIDE", "-LEFTSIDE"});
    Write("EFTSIDE", "side.uds\n");
    CMyCommandInfo with = Parse({"-RIGHTSIDE", "-LEFTSIDE"});
    QDir::setCurrent(old);

    EXPECT_TRUE(without.IsFileListEmpty());
    EXPECT_TRUE(without.m_bLeftSide);
    EXPECT_EQ(with.m_fileNames, (std::vector<std::string>{"side.uds"}));
    EXPECT_TRUE(with.m_bLeftSide);
}

TEST(CMyCommandInfo, ParamHookReceivesFlagsWithoutTheDash)
{
    struct Recorder : CMyCommandInfo {
        std::vector<std::pair<std::string, bool>> seen;
        void ParseParam(const std::string &text, bool isFlag, bool isLast) override
        {
            seen.emplace_back(text, isFlag);
            CMyCommandInfo::ParseParam(text, isFlag, isLast);
        }
    } info;
    const char *argv[] = {"prog", "-CFC60", "file.uds", "--x"};
    info.ParseCommandLine(4, argv);
    EXPECT_EQ(info.seen,
              (std::vector<std::pair<std::string, bool>>{{"CFC60", true}, {"file.uds", false}, {"-x", true}}));
    EXPECT_EQ(info.m_nCFC, 60);
}

// A list that is a FIFO or a device is not read (and does not block).
TEST_F(CommandFiles, SpecialListsAddNoNames)
{
    const std::string fifo = dir.filePath("pipe.lst").toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string &list : {fifo, std::string("/dev/zero")}) {
        SCOPED_TRACE(list);
        const CMyCommandInfo info = Parse({"first.uds", QString::fromStdString("-L" + list), "last.uds"});
        EXPECT_EQ(info.m_fileNames, (std::vector<std::string>{"first.uds", "last.uds"}));
        EXPECT_TRUE(info.m_errors.empty());
    }
}

// A line too long for a path is reported by its number; the other lines still name files.
TEST_F(CommandFiles, OverLongListLinesAreReportedAndTheOtherNamesKept)
{
    const std::string wide(2u << 20, 'b');
    struct Case {
        const char *what;
        std::string content;
        std::vector<std::string> names;
        std::vector<int> longLines;
    };
    const Case cases[] = {
        {"between two names", "one.uds\n" + wide + "\ntwo.uds\r\n", {"one.uds", "two.uds"}, {2}},
        {"with CR-LF, first", wide + "\r\none.uds", {"one.uds"}, {1}},
        {"last, without a line end", "one.uds\n\n" + wide, {"one.uds"}, {3}},
        {"two of them", wide + "\n" + wide + "\nthree.uds\n" + wide + "\n", {"three.uds"}, {1, 2, 4}},
        {"just within the bound", std::string(1u << 20, 'c') + "\nd.uds\n", {std::string(1u << 20, 'c'), "d.uds"}, {}},
    };
    int k = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const std::string list = Write(("long" + std::to_string(k++) + ".lst").c_str(), c.content);
        const CMyCommandInfo info = Parse({"first.uds", QString::fromStdString("-L" + list), "last.uds"});
        std::vector<std::string> names{"first.uds"};
        names.insert(names.end(), c.names.begin(), c.names.end());
        names.push_back("last.uds");
        EXPECT_EQ(info.m_fileNames, names);
        std::vector<std::string> errors;
        for (int line : c.longLines)
            errors.push_back("Line " + std::to_string(line) + " of " + list + " is longer than 1048576 characters");
        EXPECT_EQ(info.m_errors, errors);
    }
}
