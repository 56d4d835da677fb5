// Readers open regular files only and read lines of bounded length.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "signal/CData.h"
#include "signal/CPoints.h"
#include "signal/CTextLineReader.h"
#include "signal/CUDSFile.h"

namespace {

namespace fs = std::filesystem;
using kx::CTextLineReader;

class SpecialFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::path(::testing::TempDir()) / ("kx_special_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        fifo_ = (dir_ / "pipe").string();
        ASSERT_EQ(::mkfifo(fifo_.c_str(), 0600), 0);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Write(const std::string &name, const std::string &text)
    {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // Special files that exist on every Linux machine, read only, plus our FIFO.
    std::vector<std::string> Specials() const { return {fifo_, "/dev/zero", "/dev/urandom", "/dev/null"}; }

    fs::path dir_;
    std::string fifo_;
};

std::string ErrorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const std::exception &e) {
        return e.what();
    }
    return "(no error)";
}

TEST_F(SpecialFiles, EveryReaderRefusesThemWithoutWaiting)
{
    for (const std::string &path : Specials()) {
        SCOPED_TRACE(path);
        const std::string text = path + " is not a regular file";
        EXPECT_TRUE(CTextLineReader::IsSpecialFile(path));
        EXPECT_EQ(ErrorOf([&] { CTextLineReader::OpenRegular(path); }), text);
        EXPECT_EQ(ErrorOf([&] { kx::CUDSFile().ReadFile(path); }), text);
        EXPECT_EQ(ErrorOf([&] { kx::CData().LoadUDSFile(path); }), text);
        kx::CPoints points;
        EXPECT_EQ(ErrorOf([&] { points.ReadFile(path); }), text);
        EXPECT_EQ(points.GetCount(), 0u);
    }
    // Regular files, folders and missing names are not special; a folder does not open.
    EXPECT_FALSE(CTextLineReader::IsSpecialFile(Write("plain.txt", "1 2\n")));
    EXPECT_FALSE(CTextLineReader::IsSpecialFile(dir_.string()));
    EXPECT_FALSE(CTextLineReader::IsSpecialFile((dir_ / "missing").string()));
    EXPECT_EQ(CTextLineReader::OpenRegular(dir_.string()), nullptr);
    EXPECT_EQ(CTextLineReader::OpenRegular((dir_ / "missing").string()), nullptr);
}

std::vector<std::string> ReadAll(const std::string &path, std::size_t max)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(CTextLineReader::OpenRegular(path), &std::fclose);
    EXPECT_NE(file, nullptr);
    CTextLineReader reader(file.get(), path, max);
    std::vector<std::string> lines;
    std::string line;
    while (reader.Next(line)) {
        lines.push_back(line);
        EXPECT_EQ(reader.LineNumber(), lines.size());
    }
    EXPECT_FALSE(reader.Failed());
    return lines;
}

TEST_F(SpecialFiles, LinesEndAtLfOrCrLfAndTheLastNeedsNoEnd)
{
    const std::string path = Write("lines.txt", "a\r\nbb\n\n  c \r\nlast");
    EXPECT_EQ(ReadAll(path, 10), (std::vector<std::string>{"a", "bb", "", "  c ", "last"}));
    EXPECT_TRUE(ReadAll(Write("empty.txt", ""), 10).empty());
    // Lines far longer than the first buffer are read whole across refills.
    const std::string wide(300000, 'x');
    EXPECT_EQ(ReadAll(Write("wide.txt", "1\n" + wide + "\r\n2"), 300000), (std::vector<std::string>{"1", wide, "2"}));
}

TEST_F(SpecialFiles, ALineLongerThanTheBoundIsRefusedWithItsNumber)
{
    struct Case {
        std::string text;
        std::size_t max;
        std::string message; // empty: read without refusal
    };
    const Case cases[] = {
        {"12345\n1234567890\r\nok\n", 10, ""},
        {"12345\n12345678901\nok\n", 10, "Line 2 of {} is longer than 10 characters"},
        {"12345\n12345678901", 10, "Line 2 of {} is longer than 10 characters"},
        {std::string(5000, '7'), 4096, "Line 1 of {} is longer than 4096 characters"},
        {"1\n" + std::string(2u << 20, '0'), CTextLineReader::kDefaultMaxLineLength,
         "Line 2 of {} is longer than 1048576 characters"},
    };
    int k = 0;
    for (const Case &c : cases) {
        const std::string path = Write("long" + std::to_string(k++) + ".txt", c.text);
        SCOPED_TRACE(path);
        std::string expected = c.message;
        if (!expected.empty())
            expected.replace(expected.find("{}"), 2, path);
        EXPECT_EQ(ErrorOf([&] { ReadAll(path, c.max); }), expected.empty() ? "(no error)" : expected);
    }
}

// After refusing a line the reader goes on with the next one, at any length of the
// refused line (within the buffered part, across refills, at the end of the file).
TEST_F(SpecialFiles, ReadingGoesOnAfterALineTooLong)
{
    struct Case {
        std::string text;
        std::size_t max;
        std::vector<std::string> read; // lines, "!<n>" where line n was refused
    };
    const std::string wide(3u << 20, 'w');
    const Case cases[] = {
        {"12345\n12345678901\nok\n", 10, {"12345", "!2", "ok"}},
        {"12345678901\r\n\nok", 10, {"!1", "", "ok"}},
        {"a\n" + wide + "\nb\n" + wide, CTextLineReader::kDefaultMaxLineLength, {"a", "!2", "b", "!4"}},
        {wide + "\r\n" + wide + "\nlast", 4096, {"!1", "!2", "last"}},
    };
    int k = 0;
    for (const Case &c : cases) {
        const std::string path = Write("goes-on" + std::to_string(k++) + ".txt", c.text);
        SCOPED_TRACE(path);
        std::unique_ptr<std::FILE, int (*)(std::FILE *)> file(CTextLineReader::OpenRegular(path), &std::fclose);
        ASSERT_NE(file, nullptr);
        CTextLineReader reader(file.get(), path, c.max);
        std::vector<std::string> read;
        for (;;) {
            std::string line;
            try {
                if (!reader.Next(line))
                    break;
                read.push_back(line);
            } catch (const std::logic_error &e) {
                read.push_back("!" + std::to_string(reader.LineNumber()));
                EXPECT_EQ(e.what(), "Line " + std::to_string(reader.LineNumber()) + " of " + path + " is longer than " +
                                        std::to_string(c.max) + " characters");
            }
            ASSERT_LT(read.size(), 10u);
        }
        EXPECT_EQ(read, c.read);
        EXPECT_FALSE(reader.Failed());
    }
}

} // namespace
