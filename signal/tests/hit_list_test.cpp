// Hit lists: one path per line, empty lines skipped, regular files only.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "signal/HitList.h"

namespace {

namespace fs = std::filesystem;
using kx::HitListRead;

class HitList : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::path(::testing::TempDir()) / ("kx_hitlist_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Write(const std::string &name, const std::string &text)
    {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    fs::path dir_;
};

TEST_F(HitList, LinesAndRefusals)
{
    struct Case {
        const char *name;
        std::string text;
        std::vector<std::string> lines;
        HitListRead result;
        std::string error; // the start of the error text
    };
    const std::vector<Case> cases = {
        {"lf", "a.uds\nb.uds\n", {"a.uds", "b.uds"}, HitListRead::kRead, ""},
        {"crlf and no last line end", "a.uds\r\nb.uds", {"a.uds", "b.uds"}, HitListRead::kRead, ""},
        {"empty lines skipped, blanks kept", "\n\na.uds\n\r\n   \n", {"a.uds", "   "}, HitListRead::kRead, ""},
        {"empty file", "", {}, HitListRead::kRead, ""},
        {"line too long keeps the lines before",
         "a.uds\n" + std::string(40, 'x') + "\nb.uds\n",
         {"a.uds"},
         HitListRead::kRefused,
         "Line 2 of "},
    };
    for (const Case &c : cases) {
        const std::string path = Write("list.hit", c.text);
        std::vector<std::string> lines{"kept"};
        std::string error;
        EXPECT_EQ(kx::ReadHitList(path, lines, error, 32), c.result) << c.name;
        std::vector<std::string> expected{"kept"};
        expected.insert(expected.end(), c.lines.begin(), c.lines.end());
        EXPECT_EQ(lines, expected) << c.name;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.name << ": " << error;
        if (c.error.empty())
            EXPECT_TRUE(error.empty()) << c.name;
        else
            EXPECT_NE(error.find("longer than 32 characters"), std::string::npos) << c.name;
    }
}

TEST_F(HitList, FilesThatAreNotRead)
{
    std::vector<std::string> lines;
    std::string error;
    EXPECT_EQ(kx::ReadHitList((dir_ / "missing.hit").string(), lines, error), HitListRead::kNotOpened);
    EXPECT_EQ(kx::ReadHitList(dir_.string(), lines, error), HitListRead::kNotOpened);
    EXPECT_TRUE(error.empty());
    const std::string fifo = (dir_ / "pipe").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(kx::ReadHitList(fifo, lines, error), HitListRead::kRefused);
    EXPECT_EQ(error, kx::CTextLineReader::NotRegularText(fifo));
    EXPECT_TRUE(lines.empty());
}

} // namespace

TEST_F(HitList, RelativeNamesAreLookedUpBesideTheListFirst)
{
    const std::string list = Write("series.hit", "a.uds\n");
    Write("a.uds", "x");
    fs::create_directories(dir_ / "sub");
    Write("sub/b.uds", "x");
    const std::string beside = (dir_ / "a.uds").string();
    struct Case {
        std::string line, expected;
    };
    const Case cases[] = {
        {"a.uds", beside},
        {"./sub/../a.uds", beside},
        {"sub/b.uds", (dir_ / "sub" / "b.uds").string()},
        {"missing.uds", "missing.uds"}, // stays relative to the working folder
        {"sub", "sub"},                 // a folder is no file
        {beside, beside},               // absolute names as written
        {"/elsewhere/a.uds", "/elsewhere/a.uds"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(kx::ResolveHitListLine(list, c.line), c.expected) << c.line;
}
