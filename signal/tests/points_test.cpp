// Points text files: what each layout of numbers reads as, and what is refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "signal/CPoints.h"

namespace {

namespace fs = std::filesystem;
using kx::CPoints;

struct P {
    double x, y, z;
    bool operator==(const P &) const = default;
};

std::vector<P> PointsOf(const CPoints &points)
{
    std::vector<P> out;
    for (const auto &p : points.GetPoints())
        out.push_back({p->GetX(), p->GetY(), p->GetZ()});
    return out;
}

void PrintTo(const P &p, std::ostream *os)
{
    *os << "(" << p.x << ", " << p.y << ", " << p.z << ")";
}

class PointsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device rd;
        dir_ = fs::temp_directory_path() / ("kx_points_" + std::to_string(rd()));
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    std::string Write(const std::string &text)
    {
        const std::string path = (dir_ / ("p" + std::to_string(count_++) + ".txt")).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    fs::path dir_;
    int count_ = 0;
};

struct Case {
    const char *name;
    std::string text;
    std::vector<P> expected; // read as these points
};

const Case kReadable[] = {
    {"one column", "1.5\n2.5\n-3\n", {{0, 1.5, 0}, {0, 2.5, 0}, {0, -3, 0}}},
    {"one blank", "0.001 1.5\n", {{0.001, 1.5, 0}}},
    {"comma", "0.001,1.5\n", {{0.001, 1.5, 0}}},
    {"comma and blank", "0.001, 1.5\n", {{0.001, 1.5, 0}}},
    {"tab", "0.001\t1.5\n", {{0.001, 1.5, 0}}},
    {"three columns", "0 1 2\n3,4,5\n", {{0, 1, 2}, {3, 4, 5}}},
    {"right-aligned columns",
     "   0.000     1.5\n   0.001   -22.5\n  10.002   333.0\n",
     {{0, 1.5, 0}, {0.001, -22.5, 0}, {10.002, 333, 0}}},
    {"leading tabs", "\t0\t\t1\n\t1\t\t2\n", {{0, 1, 0}, {1, 2, 0}}},
    {"trailing blanks and tabs", "0 1   \n1 2\t\n2 3 ,\n", {{0, 1, 0}, {1, 2, 0}, {2, 3, 0}}},
    {"CR-LF", "0 1\r\n1 2\r\n", {{0, 1, 0}, {1, 2, 0}}},
    {"CR only", "0 1\r1 2\r", {{0, 1, 0}, {1, 2, 0}}},
    {"trailing blank line", "0 1\n1 2\n\n", {{0, 1, 0}, {1, 2, 0}}},
    {"CR-LF trailing blank line", "0 1\r\n1 2\r\n\r\n", {{0, 1, 0}, {1, 2, 0}}},
    {"no final line end", "0 1\n1 2", {{0, 1, 0}, {1, 2, 0}}},
    // A blank line ends the points: a second block is never merged into the first.
    {"numbers after a blank line", "1 2\n3 4\n\n5 6", {{1, 2, 0}, {3, 4, 0}}},
    {"numbers after a CR-LF blank line", "0 1\r\n\r\n  1 2\r\n", {{0, 1, 0}}},
    {"numbers after a line of blanks", "0 1\n \t\n1 2\n", {{0, 1, 0}}},
    {"blank line first", "\n0 1\n", {}},
    // Runs of one, two and three values, in that order.
    {"one column then two", "1\n2\n0 1\n", {{0, 1, 0}, {0, 2, 0}, {0, 1, 0}}},
    {"one, two, three columns", "7\n1 2\n3 4 5\n", {{0, 7, 0}, {1, 2, 0}, {3, 4, 5}}},
    {"one column then three", "7\n3,4,5\n", {{0, 7, 0}, {3, 4, 5}}},
    {"comment block after a blank line", "0 1\n1 2\n\nSled test 12, run 3\n4 5 6 7\n", {{0, 1, 0}, {1, 2, 0}}},
    {"signs and exponents", "-1.5e-3 +2E2\n.5 7.\n", {{-0.0015, 200, 0}, {0.5, 7, 0}}},
    {"decimal values correctly rounded",
     "0.1 0.3\n1.0000000000000002 2.2250738585072014e-308\n",
     {{0.1, 0.3, 0}, {1.0000000000000002, 2.2250738585072014e-308, 0}}},
    {"empty file", "", {}},
    {"blank lines only", "\n  \n\t\n", {}},
};

TEST_F(PointsFile, ReadsEveryLayoutPointForPoint)
{
    for (const Case &c : kReadable) {
        SCOPED_TRACE(c.name);
        CPoints points;
        ASSERT_NO_THROW(points.ReadFile(Write(c.text)));
        EXPECT_EQ(PointsOf(points), c.expected);
        EXPECT_EQ(points.GetCount(), c.expected.size());
    }
}

TEST_F(PointsFile, RefusesLinesThatWouldLoseOrMixPoints)
{
    const std::pair<const char *, std::string> cases[] = {
        {"two columns then one", "0 1\n2\n"},
        {"three columns then one", "0 1 2\n3\n"},
        {"one, two, then one column", "1\n0 1\n2\n"},
        {"three columns then two", "0 1 2\n0 1\n"},
        {"four numbers", "1 2 3 4\n"},
        {"word", "0 1\nabc\n"},
        {"header line", "Time Accel\n0 1\n"},
        {"number with letters", "0 1x\n"},
        {"two decimal points", "1.2.3\n"},
        {"no separator", "1.5-2\n"},
        {"semicolon", "1;2\n"},
        {"commas only", "0 1\n,\n"},
        {"leading comma", ",0 1\n"},
        {"nan", "0 nan\n"},
        {"infinity", "0 inf\n"},
        {"beyond double", "0 1e999\n"},
        {"exponent without digits", "0 1e\n"},
        {"text after the last number line", "0 1\n1 2\nend\n"},
        {"binary", std::string("0 1\n\0\1\2\n", 9)},
    };
    for (const auto &[name, text] : cases) {
        SCOPED_TRACE(name);
        const std::string path = Write(text);
        CPoints points;
        try {
            points.ReadFile(path);
            ADD_FAILURE() << "read " << points.GetCount() << " points";
        } catch (const std::logic_error &e) {
            EXPECT_EQ(std::string(e.what()), "Failure to parse the file: " + path + " for reading.");
        }
        EXPECT_EQ(points.GetCount(), 0U);
    }
}

TEST_F(PointsFile, OpenFailureNamesThePath)
{
    CPoints points;
    const std::string missing = (dir_ / "missing.txt").string();
    try {
        points.ReadFile(missing);
        FAIL();
    } catch (const std::logic_error &e) {
        EXPECT_EQ(std::string(e.what()), "Failure to open file: " + missing + " for reading.");
    }
    EXPECT_THROW(points.ReadFile(dir_.string()), std::logic_error);
}

TEST(PointsParse, RefusalTextAndNoPartialPoints)
{
    CPoints points;
    points.Parse("1 2\n3 4\n");
    EXPECT_EQ(points.GetCount(), 2U);
    try {
        points.Parse("1 2\n3 4\nx\n");
        FAIL();
    } catch (const std::logic_error &e) {
        EXPECT_EQ(std::string(e.what()), "Failure to parse the data.");
    }
    EXPECT_EQ(points.GetCount(), 0U);

    // Parse itself does not cut at a gap: a comment block is refused.
    EXPECT_THROW(points.Parse("1 2\n\ncomment\n"), std::logic_error);
}

TEST(PointsParse, CutAtGapRemovesOnlyTheTrailer)
{
    const std::pair<std::string, std::string> cases[] = {
        {"1 2\n\ncomment\n3 4\n", "1 2\n\n"}, {"1 2\r\n\r\nNotes\r\n", "1 2\r\n\r\n"},
        {"1 2\n\n3 4\n", "1 2\n\n"},          {"1 2\n3 4", "1 2\n3 4"},
        {"header\n1 2\n", "header\n1 2\n"},   {"1 2\r\n \r\n3 4\r\n", "1 2\r\n \r\n"},
        {"1 2\r\r3 4\r", "1 2\r\r"},
    };
    for (const auto &[text, cut] : cases) {
        std::string t = text;
        CPoints::CutAtGap(t);
        EXPECT_EQ(t, cut) << text;
    }
}

TEST(PointsParse, LargeTextKeepsEveryPoint)
{
    std::string text;
    for (int i = 0; i < 5000; ++i)
        text += "  " + std::to_string(i) + "\t" + std::to_string(i * 0.5) + "\r\n";
    CPoints points;
    points.Parse(text);
    ASSERT_EQ(points.GetCount(), 5000U);
    EXPECT_EQ(points.GetPoints()[4999]->GetX(), 4999.0);
    EXPECT_EQ(points.GetPoints()[4999]->GetY(), 2499.5);
}

} // namespace
