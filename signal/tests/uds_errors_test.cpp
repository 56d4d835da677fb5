// Bad files and failed writes: every refusal has its exact text, nothing is
// read past the data, and a failed write never touches the file it replaces.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "UdsTestFile.h"
#include "signal/CUDSFile.h"

namespace kx {
namespace {

using test::Numbers;
using test::ReadBytes;
using test::UdsTestFile;

std::string ReadError(const std::string &path, CUDSFile *file = nullptr)
{
    CUDSFile own;
    CUDSFile &f = file ? *file : own;
    try {
        f.ReadFile(path);
    } catch (const std::logic_error &e) {
        return e.what();
    }
    return "(no error)";
}

std::string WriteError(CUDSFile &f, const std::string &path)
{
    try {
        f.WriteFile(path);
    } catch (const std::logic_error &e) {
        return e.what();
    }
    return "(no error)";
}

// A valid three-point Y file.
UdsTestFile GoodY()
{
    UdsTestFile t = UdsTestFile::Make(Numbers::Ieee, "Y", 0, 2, 0.1F, false, 1);
    t.Data(0, "Y DATA", {1.0F, 2.0F, 3.0F});
    return t;
}

struct BadFile {
    const char *what;
    std::function<UdsTestFile()> make;
    const char *message;
};

using UdsBadFileTest = test::UdsFolderTest;

TEST_F(UdsBadFileTest, EachBadFileHasItsMessage)
{
    const std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    const std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    const BadFile cases[] = {
        {"empty file", [] { return UdsTestFile(Numbers::Ieee, 0); }, nullptr},
        {"record 1 only",
         [] {
             UdsTestFile t(Numbers::Ieee, 1);
             t.Text(0, "UDS-1992", 12);
             t.Text(26, "IEEE", 5);
             return t;
         },
         "Data buffer too small"},
        {"record 2 but no room for record 3",
         [] {
             UdsTestFile t(Numbers::Ieee, 2);
             t.Text(0, "UDS-1992", 12);
             t.Text(512, "CMP-2 HDR", 12);
             return t;
         },
         "Data buffer too small"},
        {"other format version",
         [] {
             UdsTestFile t = GoodY();
             t.Text(0, "UDS-1991", 12);
             return t;
         },
         "Not a UDS-1992 Signal File"},
        {"no curve record",
         [] {
             UdsTestFile t = GoodY();
             t.Text(t.Curve(), "CURVE", 12);
             return t;
         },
         "Invalid 3rd Record Header"},
        {"NFP = NLP", [] { return UdsTestFile::Make(Numbers::Ieee, "Y", 5, 5, 0.1F, false, 1); },
         "Equal array indices, NFP = NLP in file"},
        {"blank NUMFORM reads every number as 0",
         [] {
             UdsTestFile t = UdsTestFile::Make(Numbers::Blank, "Y", 0, 2, 0.1F, false, 1);
             t.Data(0, "Y DATA", {1.0F, 2.0F, 3.0F});
             return t;
         },
         "Equal array indices, NFP = NLP in file"},
        {"unknown NUMFORM",
         [] {
             UdsTestFile t = GoodY();
             t.Text(26, "IBM", 5);
             return t;
         },
         "Equal array indices, NFP = NLP in file"},
        {"NFP > NLP", [] { return UdsTestFile::Make(Numbers::Ieee, "Y", 7, 2, 0.1F, false, 1); },
         "Crossed array indices, NFP > NLP in file"},
        {"records 1 and 3 only", [] { return UdsTestFile::Make(Numbers::Ieee, "X-Y", 0, 2, 0.1F, false, 0); },
         "File size too small - Insufficient data points"},
        {"X-Y file with the Y records only",
         [] { return UdsTestFile::Make(Numbers::Ieee, "X-Y", 0, 200, 0.1F, false, 2); },
         "File size too small - Insufficient data points"},
        {"one record too many", [] { return UdsTestFile::Make(Numbers::Ieee, "Y", 0, 2, 0.1F, true, 2); },
         "File size too large"},
        {"two billion points claimed",
         [] { return UdsTestFile::Make(Numbers::Ieee, "X-Y", 0, 2000000000, 0.1F, false, 2); },
         "File size too small - Insufficient data points"},
        {"index range beyond 32 bits", [=] { return UdsTestFile::Make(Numbers::Sun, "Y", kMin, kMax, 0.1F, false, 1); },
         "File size too small - Insufficient data points"},
        {"X DATA in a Y file",
         [] {
             UdsTestFile t = GoodY();
             t.Text(t.DataStart(), "X DATA", 12);
             return t;
         },
         "Unknown Data Block"},
        {"unknown block name",
         [] {
             UdsTestFile t = UdsTestFile::Make(Numbers::Ieee, "X-Y", 0, 2, 0.1F, false, 2);
             t.Data(0, "Y DATA", {1.0F, 2.0F, 3.0F});
             t.Data(1, "Z DATA", {1.0F, 2.0F, 3.0F});
             return t;
         },
         "Unknown Data Block"},
        {"X-Y file whose records are all Y DATA",
         [] {
             UdsTestFile t = UdsTestFile::Make(Numbers::Ieee, "X-Y", 0, 2, 0.1F, false, 2);
             t.Data(0, "Y DATA", {1.0F, 2.0F, 3.0F});
             t.Data(1, "Y DATA", {4.0F, 5.0F, 6.0F});
             return t;
         },
         "Unknown Data Block"},
        {"X-Y file with three Y records and one X record",
         [] {
             UdsTestFile t = UdsTestFile::Make(Numbers::Ieee, "X-Y", 0, 129, 0.1F, false, 4);
             t.Data(0, "Y DATA", std::vector<float>(125, 1.0F));
             t.Data(1, "X DATA", std::vector<float>(125, 1.0F));
             t.Data(2, "Y DATA", {1.0F});
             t.Data(3, "Y DATA", {1.0F});
             return t;
         },
         "Unknown Data Block"},
        {"unknown FILEFORM", [] { return UdsTestFile::Make(Numbers::Ieee, "XY", 0, 2, 0.1F, false, 2); },
         "Format is not known."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = PathOf("bad.uds");
        c.make().Save(path);
        CUDSFile f;
        // A null message: the file is empty, and the text names it.
        EXPECT_EQ(ReadError(path, &f), c.message ? std::string(c.message) : path + " is empty");
        EXPECT_TRUE(f.GetPoints().empty());
        EXPECT_TRUE(f.GetSampleX().empty());
        EXPECT_TRUE(f.GetSampleY().empty());
    }
}

TEST_F(UdsBadFileTest, YFileNeedsAPositiveTimeStep)
{
    const float kInf = std::numeric_limits<float>::infinity();
    const struct {
        float del;
        bool refused;
    } cases[] = {{std::numeric_limits<float>::quiet_NaN(), true},
                 {kInf, true},
                 {-kInf, true},
                 {0.0F, true},
                 {-0.0F, true},
                 {-0.0001F, true},
                 {0.0001F, false}};
    const std::string path = PathOf("step.uds");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.del);
        UdsTestFile t = UdsTestFile::Make(Numbers::Ieee, "Y", 0, 2, c.del, false, 1);
        t.Data(0, "Y DATA", {1.0F, 2.0F, 3.0F});
        t.Save(path);
        CUDSFile f;
        if (c.refused) {
            EXPECT_EQ(ReadError(path, &f),
                      "Invalid time step DEL in file: " + path + " (it must be a positive number)");
            EXPECT_TRUE(f.GetSampleY().empty());
        } else {
            EXPECT_EQ(ReadError(path, &f), "(no error)");
            EXPECT_EQ(f.GetSampleX().back(), static_cast<double>(2 * 0.0001F));
        }
    }
    // An X-Y file carries its own times: its DEL is not looked at.
    UdsTestFile t = UdsTestFile::Make(Numbers::Ieee, "X-Y", 0, 2, -1.0F, false, 2);
    t.Data(0, "Y DATA", {1.0F, 2.0F, 3.0F});
    t.Data(1, "X DATA", {0.0F, 0.1F, 0.2F});
    t.Save(path);
    EXPECT_EQ(ReadError(path), "(no error)");
}

TEST_F(UdsBadFileTest, PathsThatCannotBeRead)
{
    EXPECT_EQ(ReadError(""), "Failure read file due to empty path and file name.");
    const std::string missing = PathOf("missing.uds");
    EXPECT_EQ(ReadError(missing), "Failure to open file: " + missing + " for reading.");
    const std::string folder = m_Folder.string();
    EXPECT_EQ(ReadError(folder), "Failure to open file: " + folder + " for reading.");

    const std::string odd = PathOf("odd.uds");
    UdsTestFile t = GoodY();
    t.Bytes().resize(1000);
    t.Save(odd);
    EXPECT_EQ(ReadError(odd), "File size not a multiple of 512 bytes.");
}

TEST_F(UdsBadFileTest, HugeFilesAreJudgedByTheirHeader)
{
    // 4 GiB files with nothing behind the header (sparse on disk): refused
    // from the header alone, before anything of that size is allocated.
    const std::string path = PathOf("huge.uds");
    struct Case {
        const char *what;
        UdsTestFile header;
        const char *message;
    } cases[] = {
        {"not a signal file",
         [] {
             UdsTestFile t = GoodY();
             t.Text(0, "SOMETHING", 12);
             return t;
         }(),
         "Not a UDS-1992 Signal File"},
        {"three points", GoodY(), "File size too large"},
    };
    for (auto &c : cases) {
        SCOPED_TRACE(c.what);
        c.header.Save(path);
        std::filesystem::resize_file(path, std::uintmax_t{4} << 30);
        EXPECT_EQ(ReadError(path), c.message);
    }
}

TEST_F(UdsBadFileTest, FieldsReadBeforeAFailureStay)
{
    UdsTestFile t = GoodY();
    t.Text(test::kTitle, "barrier 40 kph", 70);
    t.Text(t.DataStart(), "BAD", 12);
    t.Save(PathOf("f.uds"));
    CUDSFile f;
    EXPECT_EQ(ReadError(PathOf("f.uds"), &f), "Unknown Data Block");
    EXPECT_EQ(f.GetTitle(), "BARRIER 40 KPH");
    EXPECT_EQ(f.GetNLP(), 2);
}

// --- writing ----------------------------------------------------------------

using UdsWriteFailureTest = test::UdsFolderTest;

// Ten points for NFP 0 ... NLP 9.
void TenPoints(CUDSFile &f)
{
    f.SetNFP(0);
    f.SetNLP(9);
    f.SetDel(0.01F);
    CUDSFile::PointList points;
    for (int i = 0; i < 10; ++i) {
        points.push_back(std::make_shared<CPoint<double>>(0.01 * i, 1.0 * i));
    }
    f.SetPoints(points);
}

TEST_F(UdsWriteFailureTest, RefusalsBeforeAnythingIsWritten)
{
    CUDSFile f;
    TenPoints(f);
    EXPECT_EQ(WriteError(f, ""), "Failure to write file due to empty path and file name.");
    f.SetNFP(12);
    EXPECT_EQ(WriteError(f, PathOf("a.uds")), "Crossed array indices, NFP > NLP");
    f.SetNFP(9);
    EXPECT_EQ(WriteError(f, PathOf("a.uds")), "Equal array indices, NFP = NLP");
    f.SetNFP(0);
    EXPECT_EQ(WriteError(f, PathOf("no/such/folder/a.uds")), "Failure to open file for writing.");
    // A folder that is a file cannot hold the new file, not even for root.
    GoodY().Save(PathOf("plain"));
    EXPECT_EQ(WriteError(f, PathOf("plain/a.uds")), "Failure to open file for writing.");
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"plain"});
}

TEST_F(UdsWriteFailureTest, CountMismatchKeepsTheOldFile)
{
    const std::string path = PathOf("good.uds");
    GoodY().Save(path);
    const auto before = ReadBytes(path);

    CUDSFile f;
    TenPoints(f);
    f.SetNLP(10);
    EXPECT_EQ(WriteError(f, path), "NLP - NFP + 1: 11 does not equal to array size: 10");
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"good.uds"});

    // A new target is not created either.
    EXPECT_EQ(WriteError(f, PathOf("new.uds")), "NLP - NFP + 1: 11 does not equal to array size: 10");
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"good.uds"});

    // A header claiming far more points than given is refused before a buffer of
    // the claimed size is made.
    f.SetNFP(std::numeric_limits<std::int32_t>::min());
    f.SetNLP(std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(WriteError(f, path), "NLP - NFP + 1: 4294967296 does not equal to array size: 10");
    f.SetFileForm("Y");
    f.SetNFP(0);
    f.SetNLP(2000000000);
    EXPECT_EQ(WriteError(f, path), "NLP - NFP + 1: 2000000001 does not equal to array size: 10");
    EXPECT_EQ(ReadBytes(path), before);

    // Samples: X must match Y in an X-Y file.
    CUDSFile s;
    s.SetNFP(0);
    s.SetNLP(2);
    s.SetSamples({0.0, 1.0}, {5.0, 6.0, 7.0});
    EXPECT_EQ(WriteError(s, path), "NLP - NFP + 1: 3 does not equal to array size: 2");
    EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(UdsWriteFailureTest, FullDiskIsAnErrorAndKeepsTheOldFile)
{
    const std::string path = PathOf("good.uds");
    GoodY().Save(path);
    const auto before = ReadBytes(path);

    CUDSFile f;
    f.SetNFP(0);
    f.SetNLP(999);
    f.SetSamples(std::vector<double>(1000, 1.0), std::vector<double>(1000, 2.0));

    // Files may not grow past 1 KiB: writes fail as on a full disk.
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old_limit{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    rlimit limit = old_limit;
    limit.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    const std::string error = WriteError(f, path);
    ::setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);

    EXPECT_EQ(error, "Failure to write file: " + path);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"good.uds"});

    // With room again the same object writes the whole file.
    f.WriteFile(path);
    EXPECT_EQ(ReadBytes(path).size(), 512U * (2 + 16));
}

TEST_F(UdsWriteFailureTest, ReplacingKeepsPermissionsAndLeavesNoTemporaryFile)
{
    const std::string path = PathOf("keep.uds");
    GoodY().Save(path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    CUDSFile f;
    TenPoints(f);
    f.WriteFile(path);
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms::owner_read |
                                                               std::filesystem::perms::owner_write |
                                                               std::filesystem::perms::group_read);
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"keep.uds"});
    CUDSFile r;
    r.ReadFile(path);
    EXPECT_EQ(r.GetSampleY().size(), 10U);
}

TEST_F(UdsWriteFailureTest, ALinkKeepsPointingAtTheNewFile)
{
    std::filesystem::create_directory(PathOf("data"));
    const std::string real = PathOf("data/real.uds");
    GoodY().Save(real);
    std::filesystem::create_symlink("data/real.uds", PathOf("link.uds"));
    CUDSFile f;
    TenPoints(f);
    f.WriteFile(PathOf("link.uds"));
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf("link.uds")));
    CUDSFile r;
    r.ReadFile(real);
    EXPECT_EQ(r.GetSampleY().size(), 10U);
}

TEST_F(UdsWriteFailureTest, AFolderInTheWayIsNotReplaced)
{
    std::filesystem::create_directory(PathOf("taken.uds"));
    CUDSFile f;
    TenPoints(f);
    EXPECT_EQ(WriteError(f, PathOf("taken.uds")), "Failure to write file: " + PathOf("taken.uds"));
    EXPECT_TRUE(std::filesystem::is_directory(PathOf("taken.uds")));
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"taken.uds"});
}

TEST_F(UdsWriteFailureTest, WriteProtectedFileIsNotReplaced)
{
    // Refused by its mode bits, so also when running as root.
    const std::string path = PathOf("locked.uds");
    GoodY().Save(path);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    const auto before = ReadBytes(path);
    CUDSFile f;
    TenPoints(f);
    EXPECT_EQ(WriteError(f, path), "Failure to open file for writing.");
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"locked.uds"});
}

TEST_F(UdsWriteFailureTest, LongestFileNameCanBeWritten)
{
    // 255 bytes is the longest name a Linux file system takes; the temporary
    // file beside it must fit as well.
    const std::string name = std::string(251, 'n') + ".uds";
    CUDSFile f;
    TenPoints(f);
    EXPECT_EQ(WriteError(f, PathOf(name)), "(no error)");
    EXPECT_EQ(FolderContents(), std::vector<std::string>{name});
    CUDSFile r;
    r.ReadFile(PathOf(name));
    EXPECT_EQ(r.GetSampleY().size(), 10U);
}

TEST_F(UdsWriteFailureTest, RelativePathWritesIntoTheCurrentFolder)
{
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(m_Folder);
    CUDSFile f;
    TenPoints(f);
    const std::string error = WriteError(f, "here.uds");
    std::filesystem::current_path(previous);
    EXPECT_EQ(error, "(no error)");
    EXPECT_EQ(FolderContents(), std::vector<std::string>{"here.uds"});
}

} // namespace
} // namespace kx
