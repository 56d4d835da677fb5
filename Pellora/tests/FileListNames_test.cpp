#include "Pellora/app/DdeCommand.h"
#include "Pellora/document/FileListNames.h"

#include "support/PelloraTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace pellora;

using namespace pellora;
using pelloratest::TempFolder;
using pelloratest::WriteText;

TEST(FileListNames, ExclusionListIsCaseSensitiveAndMatchesAnywhere)
{
    const std::pair<const char *, bool> cases[] = {
        {"a.dll", true},     {"a.DLL", true}, {"a.Dll", false},    {"report.pdf.uds", true},
        {"b.txt", false},    {"x.log", true}, {"movie.avi", true}, {"setup.msi", true},
        {"v.exe.uds", true}, {"a.zip", true}, {"p.jpg", true},     {"m.mpg", true},
        {"d.doc", true},     {"c.ini", true}, {"c.xml", true},     {"v12345001x.uds", false},
    };
    for (const auto &[name, excluded] : cases)
        EXPECT_EQ(IsExcludedName(name), excluded) << name;
}

TEST(FileListNames, ListDirectorySkipsFoldersAndExcludedNames)
{
    TempFolder folder;
    WriteText(folder.File("a.dll"), "");
    WriteText(folder.File("b.txt"), "");
    WriteText(folder.File("report.pdf.uds"), "");
    WriteText(folder.File(".hidden.uds"), "");
    std::filesystem::create_directory(folder.Path() / "dir.uds");
    std::vector<std::string> names = ListDirectory(folder.Str());
    SortFileNames(names, false);
    EXPECT_EQ(names, (std::vector<std::string>{".hidden.uds", "b.txt"}));
    EXPECT_EQ(ListDirectory(folder.Str(), "*.uds"), std::vector<std::string>{".hidden.uds"});
    EXPECT_TRUE(ListDirectory(folder.File("nowhere")).empty());
}

TEST(FileListNames, SortByCurveNumber)
{
    // Characters 8 to 10 (positions 7..9) are the curve code.
    std::vector<std::string> names{"v123456xyz.uds", "v123456012.uds", "short.uds",
                                   "v999999001.uds", "abcdefg-12.uds", "v123456-a0.uds"};
    SortFileNames(names, true);
    EXPECT_EQ(names, (std::vector<std::string>{"abcdefg-12.uds", "v999999001.uds", "v123456012.uds", "short.uds",
                                               "v123456-a0.uds", "v123456xyz.uds"}));
    EXPECT_EQ(CurveCode("v123456012.uds"), "012");
    EXPECT_EQ(CurveCode("123456789"), "");
    SortFileNames(names, false);
    EXPECT_EQ(names.front(), "abcdefg-12.uds");
    EXPECT_EQ(names.back(), "v999999001.uds");
}

TEST(FileListNames, PastedTextIsCutAtLineEnds)
{
    EXPECT_EQ(SplitPastedText("/a/b.uds\r\n/c d.uds\r\n\r\n/e.uds"),
              (std::vector<std::string>{"/a/b.uds", "/c d.uds", "/e.uds"}));
    EXPECT_EQ(SplitPastedText("/x.uds\n/y.uds\n"), (std::vector<std::string>{"/x.uds", "/y.uds"}));
    EXPECT_TRUE(SplitPastedText("\r\n \r\n").empty());
    EXPECT_TRUE(SplitPastedText("").empty());
}

TEST(FileListNames, ExpandFileLine)
{
    TempFolder folder;
    WriteText(folder.File("a1.uds"), "");
    WriteText(folder.File("a2.uds"), "");
    WriteText(folder.File("b1.txt"), "");
    std::filesystem::create_directory(folder.Path() / "a3.uds");
    bool matched = false;
    EXPECT_EQ(ExpandFileLine(folder.File("a*.uds"), "", &matched),
              (std::vector<std::string>{folder.File("a1.uds"), folder.File("a2.uds")}));
    EXPECT_TRUE(matched);
    EXPECT_EQ(ExpandFileLine("b1.txt\r", folder.Str(), &matched), std::vector<std::string>{folder.File("b1.txt")});
    EXPECT_TRUE(ExpandFileLine(folder.File("a3.uds"), "", &matched).empty());
    EXPECT_TRUE(matched); // a folder: skipped, but found
    EXPECT_TRUE(ExpandFileLine("zz*.uds", folder.Str(), &matched).empty());
    EXPECT_FALSE(matched);
    // A file whose own name holds pattern characters is found as written.
    WriteText(folder.File("run[1].uds"), "");
    WriteText(folder.File("run1.uds"), "");
    EXPECT_EQ(ExpandFileLine("run[1].uds", folder.Str(), &matched),
              std::vector<std::string>{folder.File("run[1].uds")});
    EXPECT_TRUE(matched);
    EXPECT_EQ(JoinPath("/a", "b"), "/a/b");
    EXPECT_EQ(JoinPath("/a/", "b"), "/a/b");
}

TEST(DdeCommand, RecognisedByTheLeadingName)
{
    struct Case {
        const char *text;
        DdeCommand::Kind kind;
        const char *path;
    };
    const Case cases[] = {
        {"[DataFile(/data/a.uds)]", DdeCommand::Kind::DataFile, "/data/a.uds"},
        {"[HitList(/data/list.txt)]", DdeCommand::Kind::HitList, "/data/list.txt"},
        // A hit list in a folder named DataFile is a hit list.
        {"[HitList(/DataFile/list.txt)]", DdeCommand::Kind::HitList, "/DataFile/list.txt"},
        {"[HitList(/x/DataFile(1).txt)]", DdeCommand::Kind::HitList, "/x/DataFile(1).txt"},
        {"  [DataFile(/a b/c.uds)]\n", DdeCommand::Kind::DataFile, "/a b/c.uds"},
        // An empty path is no command.
        {"[DataFile()]", DdeCommand::Kind::None, ""},
        {"[HitList()]", DdeCommand::Kind::None, ""},
        {"[open(\"/a.uds\")]", DdeCommand::Kind::None, ""},
        {"DataFile(/a.uds)", DdeCommand::Kind::None, ""},
        {"[DataFile(/a.uds)", DdeCommand::Kind::None, ""},
        {"[datafile(/a.uds)]", DdeCommand::Kind::None, ""},
        {"", DdeCommand::Kind::None, ""},
    };
    for (const Case &c : cases) {
        const DdeCommand command = ParseDdeCommand(c.text);
        EXPECT_EQ(command.kind, c.kind) << c.text;
        EXPECT_EQ(command.path, c.path) << c.text;
    }
    EXPECT_EQ(MakeDdeCommand(DdeCommand::Kind::DataFile, "/p.uds"), "[DataFile(/p.uds)]");
    EXPECT_EQ(ParseDdeCommand(MakeDdeCommand(DdeCommand::Kind::HitList, "/h")).path, "/h");
}
