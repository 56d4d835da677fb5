#include "Sorvelt/core/MadymoFile.h"

#include "signal/CNSignal.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Two parameters, three channels, two output times (1.5 ms and 3 ms); the values
// are 0 .. 11 in reading order.
const char *const kHeader = "MADYMO time-history output\n"
                            "Sled run 17, occupant 1\n"
                            "2 3\n"
                            "Head acceleration\n"
                            "Chest acceleration\n"
                            "Resultant (G)\n"
                            "X (G)\n"
                            "Y (G)\n";

const char *const kBlocks = "1.5\n"
                            "0 1 2\n"
                            "3 4 5\n"
                            "3.0\n"
                            "6 7 8\n"
                            "9 10 11\n";

std::string Replace(std::string text, const std::string &from, const std::string &to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

class MadymoFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static std::atomic<int> counter{0};
        m_dir = fs::path(::testing::TempDir()) /
                ("madymo_file_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        fs::create_directories(m_dir);
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }

    fs::path Write(const std::string &content, const std::string &name = "run.out")
    {
        const fs::path path = m_dir / name;
        std::ofstream out(path, std::ios::binary);
        out << content;
        return path;
    }

    static std::string Messages(const kx::MadymoFile &file)
    {
        std::string all;
        for (const std::string &m : file.GetMessages())
            all += m + "\n";
        return all;
    }

    static void ExpectTwoByThree(const kx::MadymoFile &file)
    {
        EXPECT_EQ(file.GetParameterNames(), (std::vector<std::string>{"Head acceleration", "Chest acceleration"}));
        EXPECT_EQ(file.GetChannelNames(), (std::vector<std::string>{"Resultant (G)", "X (G)", "Y (G)"}));
        ASSERT_EQ(file.GetTimes().size(), 2u);
        EXPECT_DOUBLE_EQ(file.GetTimes()[0], 0.0015);
        EXPECT_DOUBLE_EQ(file.GetTimes()[1], 0.003);
        std::vector<double> expected;
        for (int i = 0; i < 12; ++i)
            expected.push_back(i);
        EXPECT_EQ(file.GetValues(), expected);
    }

    fs::path m_dir;
};

TEST_F(MadymoFileTest, ReadsTheLayout)
{
    kx::MadymoFile file;
    ASSERT_TRUE(file.Read(Write(std::string(kHeader) + kBlocks))) << Messages(file);
    EXPECT_TRUE(file.IsOpen());
    EXPECT_TRUE(file.GetMessages().empty());
    ExpectTwoByThree(file);

    std::vector<double> column;
    ASSERT_TRUE(file.GetColumn(1, 2, column));
    EXPECT_EQ(column, (std::vector<double>{5, 11}));
    ASSERT_TRUE(file.GetColumn(0, 0, column));
    EXPECT_EQ(column, (std::vector<double>{0, 6}));

    EXPECT_TRUE(file.Close());
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Close());
}

// The same file with other separators and line ends reads the same.
TEST_F(MadymoFileTest, SeparatorAndLineEndVariants)
{
    const std::string plain = std::string(kHeader) + kBlocks;
    const struct {
        const char *name;
        std::string content;
    } cases[] = {
        {"crlf", Replace(plain, "\n", "\r\n")},
        {"no final line end", plain.substr(0, plain.size() - 1)},
        {"crlf, no final line end", Replace(plain.substr(0, plain.size() - 1), "\n", "\r\n")},
        {"tab after the first number", std::string(kHeader) + "1.5\t\n0\t1 2\n3\t4 5\n3.0\t\n6\t7 8\n9\t10 11\n"},
        {"padded Fortran style",
         std::string(kHeader) +
             "   1.500000E+00\n  0.0000E+00  1.0000E+00  2.0000E+00\n  3.0000E+00  4.0000E+00  5.0000E+00  \n"
             "   3.000000E+00\n  6.0000E+00  7.0000E+00  8.0000E+00\n  9.0000E+00  1.0000E+01  1.1000E+01\t\n"},
        {"blank lines between blocks and at the end", Replace(plain, "3.0\n", "\n\n3.0\n") + "\n  \n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        kx::MadymoFile file;
        ASSERT_TRUE(file.Read(Write(c.content))) << Messages(file);
        EXPECT_TRUE(file.GetMessages().empty()) << Messages(file);
        ExpectTwoByThree(file);
    }
}

TEST_F(MadymoFileTest, NumbersAreSinglePrecision)
{
    const std::string content = "a\nb\n1 2\np\nc1\nc2\n0.1\n0.1 -2.5e-3\n";
    kx::MadymoFile file;
    ASSERT_TRUE(file.Read(Write(content))) << Messages(file);
    ASSERT_EQ(file.GetValues().size(), 2u);
    EXPECT_EQ(file.GetValues()[0], static_cast<double>(0.1f));
    EXPECT_EQ(file.GetValues()[1], static_cast<double>(-2.5e-3f));
    EXPECT_EQ(file.GetTimes()[0], static_cast<double>(0.1f) / 1000.0);

    // The forms "%f" accepts, with single-precision overflow and underflow.
    ASSERT_TRUE(file.Read(Write("a\nb\n1 8\np\n1\n2\n3\n4\n5\n6\n7\n8\n+2\n"
                                ".5 5. -.5 +1 1.E-3 1e39 -1e400 1e-400\n")))
        << Messages(file);
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(file.GetValues(), (std::vector<double>{0.5, 5, -0.5, 1, static_cast<double>(1e-3f), inf, -inf, 0}));
    EXPECT_EQ(file.GetTimes(), (std::vector<double>{0.002}));
}

// Names and records far longer than any fixed line buffer are read whole, and the
// values keep their places.
TEST_F(MadymoFileTest, LongLinesAreReadWhole)
{
    const int channels = 400;
    const std::string longName(500, 'n');
    std::string content = "first\nsecond\n1 " + std::to_string(channels) + "\n" + longName + "\n";
    for (int c = 0; c < channels; ++c)
        content += "channel " + std::to_string(c) + " (kN)\n";
    for (int t = 0; t < 2; ++t) {
        content += std::to_string(t) + "\n";
        for (int c = 0; c < channels; ++c)
            content += "  " + std::to_string(t * 1000 + c) + ".000000E+00";
        content += "\n";
    }
    kx::MadymoFile file;
    ASSERT_TRUE(file.Read(Write(content))) << Messages(file);
    ASSERT_EQ(file.GetParameterNames().size(), 1u);
    EXPECT_EQ(file.GetParameterNames()[0], longName);
    ASSERT_EQ(file.GetChannelNames().size(), static_cast<std::size_t>(channels));
    EXPECT_EQ(file.GetChannelNames()[399], "channel 399 (kN)");
    std::vector<double> column;
    ASSERT_TRUE(file.GetColumn(0, 399, column));
    EXPECT_EQ(column, (std::vector<double>{399, 1399}));
}

// A file much larger than the read buffer, with one line larger than it too.
TEST_F(MadymoFileTest, LinesAcrossBufferRefills)
{
    const int blocks = 60000;
    std::string content = std::string(kHeader);
    for (int t = 0; t < blocks; ++t) {
        content += std::to_string(t) + "\n";
        content += std::to_string(t) + " 1 2\n3 4 " + std::to_string(-t) + "\n";
    }
    kx::MadymoFile file;
    ASSERT_TRUE(file.Read(Write(content))) << Messages(file);
    ASSERT_EQ(file.GetTimes().size(), static_cast<std::size_t>(blocks));
    std::vector<double> first;
    std::vector<double> last;
    ASSERT_TRUE(file.GetColumn(0, 0, first));
    ASSERT_TRUE(file.GetColumn(1, 2, last));
    for (int t = 0; t < blocks; ++t) {
        ASSERT_EQ(first[t], t);
        ASSERT_EQ(last[t], -t);
    }

    const int channels = 300000;
    std::string wide = "a\nb\n1 " + std::to_string(channels) + "\np\n";
    for (int c = 0; c < channels; ++c)
        wide += "c\n";
    wide += "0\n";
    for (int c = 0; c < channels; ++c)
        wide += std::to_string(c % 7) + ".5 ";
    wide += "\n";
    ASSERT_TRUE(file.Read(Write(wide, "wide.out"))) << Messages(file);
    ASSERT_EQ(file.GetValues().size(), static_cast<std::size_t>(channels));
    EXPECT_EQ(file.GetValues()[channels - 1], (channels - 1) % 7 + 0.5);
}

// The values are sized from the file before they are read: their store holds at most
// one block more than the file gives (a dropped last block), never a doubling's slack.
TEST_F(MadymoFileTest, ValuesAreSizedFromTheFile)
{
    const int blocks = 11; // 66 values: grown by doubling the store would hold 128
    std::string plain = kHeader;
    std::string fortran = kHeader;
    for (int t = 0; t < blocks; ++t) {
        plain += std::to_string(t) + ".5\n";
        fortran += "   " + std::to_string(t) + ".500000E+00\n";
        for (int p = 0; p < 2; ++p) {
            for (int c = 0; c < 3; ++c) {
                const std::string number = std::to_string(t * 6 + p * 3 + c);
                plain += (c == 0 ? "" : " ") + number;
                fortran += "  " + number + ".0000E+00";
            }
            plain += "\n";
            fortran += "\n";
        }
    }
    const struct {
        const char *name;
        std::string content;
        std::size_t times;
    } cases[] = {
        {"plain", plain, blocks},
        {"crlf", Replace(plain, "\n", "\r\n"), blocks},
        {"no final line end", plain.substr(0, plain.size() - 1), blocks},
        {"padded Fortran style", fortran, blocks},
        {"last block cut short", plain.substr(0, plain.size() - 4), blocks - 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        kx::MadymoFile file;
        ASSERT_TRUE(file.Read(Write(c.content))) << Messages(file);
        ASSERT_EQ(file.GetTimes().size(), c.times);
        ASSERT_EQ(file.GetValues().size(), c.times * 6);
        EXPECT_EQ(file.GetValues().back(), double(c.times * 6 - 1));
        EXPECT_LE(file.GetValues().capacity(), file.GetValues().size() + 6);
        EXPECT_LE(file.GetTimes().capacity(), file.GetTimes().size() + 1);
    }
}

// A file cut short inside its last block keeps the complete blocks and says that
// the incomplete one was dropped.
TEST_F(MadymoFileTest, TruncatedLastBlockIsDropped)
{
    const std::string full = std::string(kHeader) + kBlocks;
    const struct {
        const char *name;
        std::string content;
    } cases[] = {
        {"one record of two", std::string(kHeader) + "1.5\n0 1 2\n3 4 5\n3.0\n6 7 8\n"},
        {"record cut after a number", full.substr(0, full.size() - 4)},
        {"record cut inside a number", std::string(kHeader) + "1.5\n0 1 2\n3 4 5\n3.0\n6 7 8\n9 10 1.1e"},
        {"cut, then blank lines", std::string(kHeader) + "1.5\n0 1 2\n3 4 5\n3.0\n6 7\n\n\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        kx::MadymoFile file;
        ASSERT_TRUE(file.Read(Write(c.content))) << Messages(file);
        ASSERT_EQ(file.GetTimes().size(), 1u);
        EXPECT_DOUBLE_EQ(file.GetTimes()[0], 0.0015);
        EXPECT_EQ(file.GetValues(), (std::vector<double>{0, 1, 2, 3, 4, 5}));
        ASSERT_EQ(file.GetMessages().size(), 1u);
        EXPECT_NE(file.GetMessages()[0].find("time 3 ms"), std::string::npos) << Messages(file);
        EXPECT_NE(file.GetMessages()[0].find("dropped"), std::string::npos) << Messages(file);
        std::vector<double> column;
        ASSERT_TRUE(file.GetColumn(1, 2, column));
        EXPECT_EQ(column, (std::vector<double>{5}));
    }
}

// A last time line with no record after it is how such a file ends: no word about it.
// A block with a record missing still is reported.
TEST_F(MadymoFileTest, ATimeLineWithNoRecordsEndsTheFile)
{
    const std::string blocks = std::string(kHeader) + "1.5\n0 1 2\n3 4 5\n";
    const struct {
        const char *name;
        std::string content;
        const char *message; // empty: none
    } cases[] = {
        {"time line and line end", blocks + "3.0\n", ""},
        {"time line without line end", blocks + "3.0", ""},
        {"time line, then blank lines", blocks + "3.0\n\n  \n\t\n", ""},
        {"one record of two", blocks + "3.0\n6 7 8\n", "(1 of 2 records complete)"},
        {"one record of two, then blank lines", blocks + "3.0\n6 7 8\n\n\n", "(1 of 2 records complete)"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        kx::MadymoFile file;
        ASSERT_TRUE(file.Read(Write(c.content))) << Messages(file);
        EXPECT_EQ(file.GetTimes(), (std::vector<double>{0.0015}));
        EXPECT_EQ(file.GetValues(), (std::vector<double>{0, 1, 2, 3, 4, 5}));
        if (*c.message == '\0') {
            EXPECT_TRUE(file.GetMessages().empty()) << Messages(file);
        } else {
            ASSERT_EQ(file.GetMessages().size(), 1u);
            EXPECT_NE(file.GetMessages()[0].find(c.message), std::string::npos) << Messages(file);
        }
    }
    // A blank line between a time line and its records is still a defect.
    kx::MadymoFile file;
    EXPECT_FALSE(file.Read(Write(blocks + "3.0\n\n6 7 8\n9 10 11\n")));
}

// Defects before the end of the file refuse the whole file, with the line named.
TEST_F(MadymoFileTest, MalformedRecordsAreRefused)
{
    const struct {
        const char *name;
        std::string blocks;
        const char *message;
    } cases[] = {
        {"short record", "1.5\n0 1\n3 4 5\n3.0\n6 7 8\n9 10 11\n", "Line 10: 2 values found, 3 expected"},
        {"long record", "1.5\n0 1 2 2.5\n3 4 5\n3.0\n6 7 8\n9 10 11\n", "Line 10: 4 or more values found, 3 expected"},
        {"tab between later numbers", "1.5\n0 1\t2\n3 4 5\n3.0\n6 7 8\n9 10 11\n", "Line 10: \"1\t2\" is not a number"},
        {"word in a record", "1.5\n0 1 2\n3 four 5\n3.0\n6 7 8\n9 10 11\n", "Line 11: \"four\" is not a number"},
        {"missing time line", "1.5\n0 1 2\n3 4 5\nTIME\n6 7 8\n9 10 11\n", "Line 12: the time line \"TIME\""},
        {"blank record", "1.5\n0 1 2\n\n3.0\n6 7 8\n9 10 11\n", "Line 11: 0 values found, 3 expected"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        kx::MadymoFile file;
        EXPECT_FALSE(file.Read(Write(std::string(kHeader) + c.blocks)));
        EXPECT_FALSE(file.IsOpen());
        EXPECT_TRUE(file.GetTimes().empty());
        EXPECT_TRUE(file.GetValues().empty());
        EXPECT_TRUE(file.GetParameterNames().empty());
        ASSERT_EQ(file.GetMessages().size(), 1u);
        EXPECT_EQ(file.GetMessages()[0].rfind(c.message, 0), 0u) << Messages(file);
    }
}

TEST_F(MadymoFileTest, FilesOfAnotherLayoutAreRefused)
{
    const struct {
        const char *name;
        std::string content;
        const char *message;
    } cases[] = {
        {"empty", "", "the file ends before the line with the numbers"},
        {"two lines", "a\nb\n", "the file ends before the line with the numbers"},
        {"no counts", "a\nb\nparameters channels\n", "line 3 does not hold the numbers"},
        {"one count", "a\nb\n2\n", "line 3 does not hold the numbers"},
        {"zero channels", "a\nb\n2 0\np\nq\n", "line 3 gives 2 parameters and 0 channels"},
        {"negative parameters", "a\nb\n-2 3\n", "line 3 gives -2 parameters and 3 channels"},
        {"huge counts", "a\nb\n100000 100000\n", "line 3 gives 100000 parameters and 100000 channels"},
        {"missing parameter names", "a\nb\n3 1\np\nq\n", "the file ends after 2 of 3 parameter names"},
        {"missing channel names", "a\nb\n1 3\np\nc\n", "the file ends after 1 of 3 channel names"},
        {"binary", std::string("\x01\x02\x00\x00\x00\x10UDS\n\xff\xfe\n\x00\x00\x80\x3f", 17),
         "line 3 does not hold the numbers"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        kx::MadymoFile file;
        EXPECT_FALSE(file.Read(Write(c.content)));
        EXPECT_FALSE(file.IsOpen());
        EXPECT_TRUE(file.GetChannelNames().empty());
        ASSERT_EQ(file.GetMessages().size(), 1u);
        EXPECT_EQ(file.GetMessages()[0].rfind(std::string("Not a MADYMO time-history file: ") + c.message, 0), 0u)
            << Messages(file);
    }
}

TEST_F(MadymoFileTest, UnopenableFileAndRereading)
{
    kx::MadymoFile file;
    ASSERT_TRUE(file.Read(Write(std::string(kHeader) + kBlocks)));
    EXPECT_FALSE(file.Read(m_dir / "missing.out"));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_TRUE(file.GetValues().empty());
    EXPECT_TRUE(file.GetParameterNames().empty());
    ASSERT_EQ(file.GetMessages().size(), 1u);
    EXPECT_NE(file.GetMessages()[0].find("missing.out"), std::string::npos);

    // A second file replaces the first, even while the first is open.
    ASSERT_TRUE(file.Read(Write(std::string(kHeader) + kBlocks)));
    ASSERT_TRUE(file.Read(Write("x\ny\n1 1\np\nc\n7\n42\n", "other.out")));
    EXPECT_TRUE(file.IsOpen());
    EXPECT_EQ(file.GetValues(), (std::vector<double>{42}));
    EXPECT_EQ(file.GetTimes(), (std::vector<double>{0.007}));
}

// Special files are refused at once (a FIFO would block, /dev/zero never ends a line),
// and a line beyond the bound is refused with its number instead of exhausting memory.
TEST_F(MadymoFileTest, SpecialFilesAndEndlessLinesAreRefused)
{
    const std::string fifo = (m_dir / "pipe").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string &path : {fifo, std::string("/dev/zero"), std::string("/dev/urandom")}) {
        SCOPED_TRACE(path);
        kx::MadymoFile file;
        EXPECT_FALSE(file.Read(path));
        EXPECT_FALSE(file.IsOpen());
        EXPECT_EQ(file.GetMessages(), std::vector<std::string>{path + " is not a regular file"});
    }
    kx::MadymoFile file;
    const fs::path endless = Write(std::string(kHeader) + "1.5\n" + std::string(3u << 20, '1'), "endless.out");
    EXPECT_FALSE(file.Read(endless));
    EXPECT_EQ(file.GetMessages(),
              std::vector<std::string>{"Line 10 of " + endless.string() + " is longer than 1048576 characters"});
    EXPECT_TRUE(file.GetValues().empty());
    EXPECT_TRUE(file.GetChannelNames().empty());
}

TEST_F(MadymoFileTest, GetSignal)
{
    kx::MadymoFile file;
    kx::CNSignal signal;
    EXPECT_THROW(
        {
            try {
                file.GetSignal(0, 0, signal);
            } catch (const std::logic_error &e) {
                EXPECT_STREQ(e.what(), "No Signal Data in Vector vy");
                throw;
            }
        },
        std::logic_error);

    ASSERT_TRUE(file.Read(Write(std::string(kHeader) + kBlocks)));
    ASSERT_TRUE(file.GetSignal(1, 2, signal));
    EXPECT_EQ(signal.GetX(), (std::vector<double>{0.0015, 0.003}));
    EXPECT_EQ(signal.GetY(), (std::vector<double>{5, 11}));
    EXPECT_EQ(signal.GetNFP(), 0);
    EXPECT_EQ(signal.GetNLP(), 1);
    EXPECT_EQ(signal.GetNumberOfPoints(), 2);
    EXPECT_DOUBLE_EQ(signal.GetYMax(), 11.0);

    for (const auto &[p, c] : std::vector<std::pair<int, int>>{{2, 0}, {0, 3}, {-1, 0}, {0, -1}}) {
        kx::CNSignal untouched;
        EXPECT_FALSE(file.GetSignal(p, c, untouched)) << p << "," << c;
        EXPECT_TRUE(untouched.GetY().empty());
    }

    // A file with names but no output time has no curve.
    ASSERT_TRUE(file.Read(Write(kHeader, "empty.out")));
    EXPECT_THROW(file.GetSignal(0, 0, signal), std::logic_error);

    // A single stored time gives a one-point curve (not a header counting no point).
    ASSERT_TRUE(file.Read(Write(std::string(kHeader) + "2\n0 1 2\n3 4 5\n", "one.out")));
    kx::CNSignal one;
    ASSERT_TRUE(file.GetSignal(0, 1, one));
    EXPECT_EQ(one.GetY(), (std::vector<double>{1}));
    EXPECT_EQ(one.GetX(), (std::vector<double>{0.002}));
    EXPECT_EQ(one.GetNumberOfPoints(), 1);
    EXPECT_EQ(one.GetNFP(), one.GetNLP());
}

} // namespace
