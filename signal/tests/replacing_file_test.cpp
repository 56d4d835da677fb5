// The one file writer: new file beside the target, renamed over it when whole.

#include "signal/CReplacingFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace {

class ReplacingFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("kx_replacing_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir_, ec);
    }
    std::string Path(const std::string &name) const { return (dir_ / name).string(); }
    static std::string Read(const std::string &path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    static void Put(const std::string &path, const std::string &text) { std::ofstream(path, std::ios::binary) << text; }
    // Files of the folder other than the ones named: left-over temporary files.
    std::size_t Entries() const
    {
        std::size_t n = 0;
        for ([[maybe_unused]] const auto &entry : fs::directory_iterator(dir_))
            ++n;
        return n;
    }

    fs::path dir_;
};

TEST_F(ReplacingFileTest, WritesNewAndReplacesOldKeepingModeAndLink)
{
    const std::string target = Path("a.uds");
    kx::ReplaceFile(target, "first", 5);
    EXPECT_EQ(Read(target), "first");

    ::chmod(target.c_str(), 0640);
    // Many small writes and one larger than the buffer arrive in order.
    kx::CReplacingFile file(target);
    ASSERT_TRUE(file.Open());
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        const std::string line = "line " + std::to_string(i) + "\n";
        file.Write(line);
        expected += line;
    }
    const std::string big(200000, 'x');
    file.Write(big);
    expected += big;
    EXPECT_EQ(Read(target), "first"); // nothing replaced before Commit
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(Read(target), expected);
    struct stat state {};
    ASSERT_EQ(::stat(target.c_str(), &state), 0);
    EXPECT_EQ(state.st_mode & 07777, 0640u);

    // Through a link: the file it names is replaced, the link stays a link.
    const std::string link = Path("link.uds");
    fs::create_symlink(target, link);
    kx::ReplaceFile(link, "linked", 6);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Read(target), "linked");
    EXPECT_EQ(Entries(), 2u);
}

TEST_F(ReplacingFileTest, RefusedTargetsStayAsTheyWere)
{
    const std::string folder = Path("folder");
    fs::create_directory(folder);
    const std::string fifo = Path("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::string locked = Path("locked.uds");
    Put(locked, "keep");
    ::chmod(locked.c_str(), 0444); // refused by its mode bits, also for root

    for (const std::string &target : {folder, fifo, locked, Path("missing/x.uds"), Path("")}) {
        SCOPED_TRACE(target);
        kx::CReplacingFile file(target);
        EXPECT_FALSE(file.Open());
        EXPECT_FALSE(file.Commit());
        EXPECT_THROW(kx::ReplaceFile(target, "new", 3), std::logic_error);
    }
    try {
        kx::ReplaceFile(folder, "new", 3);
    } catch (const std::logic_error &e) {
        EXPECT_EQ(std::string(e.what()), "Failure to write file: " + folder);
    }
    EXPECT_EQ(Read(locked), "keep");
    EXPECT_EQ(Entries(), 3u);
    try {
        kx::ReplaceFile(locked, "new", 3);
    } catch (const std::logic_error &e) {
        EXPECT_STREQ(e.what(), "Failure to open file for writing.");
    }
}

TEST_F(ReplacingFileTest, AFileTheUserMayNotWriteIsNotReplacedThroughItsFolder)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    // A folder everyone may write, holding a file only its owner (root) may write.
    const std::string shared = Path("shared");
    fs::create_directory(shared);
    ::chmod(shared.c_str(), 01777 & ~01000);
    ::chmod(dir_.c_str(), 0755);
    const std::string theirs = shared + "/theirs.uds";
    Put(theirs, "keep");
    ::chmod(theirs.c_str(), 0644);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Another user: the folder would let the rename through.
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        kx::CReplacingFile file(theirs);
        ::_exit(file.Open() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the other user's replace was not refused";
    EXPECT_EQ(Read(theirs), "keep");
}

TEST_F(ReplacingFileTest, AFailedOrCancelledWriteLeavesTheOldFileAndNoTemporary)
{
    const std::string target = Path("plot.pdf");
    Put(target, "old");

    // A writer by name that fails, or throws, changes nothing.
    EXPECT_FALSE(kx::ReplaceFileVia(target, [](const std::string &temp) {
        Put(temp, "half");
        return false;
    }));
    EXPECT_FALSE(kx::ReplaceFileVia(target, [](const std::string &) -> bool { throw std::runtime_error("x"); }));
    EXPECT_EQ(Read(target), "old");

    {
        kx::CReplacingFile file(target);
        ASSERT_TRUE(file.Open());
        file.Write("dropped");
    } // never committed
    kx::CReplacingFile cancelled(target);
    ASSERT_TRUE(cancelled.Open());
    cancelled.Write("dropped");
    cancelled.Cancel();
    EXPECT_FALSE(cancelled.Commit());
    EXPECT_EQ(Read(target), "old");
    EXPECT_EQ(Entries(), 1u);

    EXPECT_TRUE(kx::ReplaceFileVia(target, [](const std::string &temp) {
        Put(temp, "new by name");
        return true;
    }));
    EXPECT_EQ(Read(target), "new by name");
    EXPECT_EQ(Entries(), 1u);
}

} // namespace
