// File paths: folder, file name and the path composed of the two.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>

#include "MessageOf.h"
#include "signal/CFile.h"

namespace {

namespace fs = std::filesystem;
using kx::CFile;

using kx::test::MessageOf;

class FilePath : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device rd;
        dir_ = (fs::temp_directory_path() / ("kx_file_path_" + std::to_string(rd()))).string();
        fs::create_directories(dir_);
        std::ofstream(dir_ + "/a.uds") << "x";
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::current_path(oldCwd_, ec);
        fs::remove_all(dir_, ec);
    }

    std::string dir_; // no final "/"
    fs::path oldCwd_ = fs::current_path();
};

TEST_F(FilePath, DirectoryGetsOneFinalSeparator)
{
    CFile f;
    f.SetDirectory(dir_);
    EXPECT_EQ(f.GetDirectory(), dir_ + "/");
    f.SetDirectory(dir_ + "/");
    EXPECT_EQ(f.GetDirectory(), dir_ + "/");
    EXPECT_TRUE(f.DirectoryExists());
}

TEST_F(FilePath, MissingDirectoryIsNamedAndStaysStored)
{
    CFile f;
    const std::string missing = dir_ + "/missing";
    EXPECT_EQ(MessageOf([&] { f.SetDirectory(missing); }), "Invalid Directory: " + missing + "/");
    EXPECT_EQ(f.GetDirectory(), missing + "/");
    EXPECT_FALSE(f.DirectoryExists());

    // A regular file is no folder.
    EXPECT_EQ(MessageOf([&] { f.SetDirectory(dir_ + "/a.uds"); }), "Invalid Directory: " + dir_ + "/a.uds/");
}

TEST_F(FilePath, EmptyPartsAreRefused)
{
    CFile f;
    EXPECT_FALSE(f.DirectoryExists());
    EXPECT_EQ(MessageOf([&] { f.ComposePathName(); }), "Empty path");
    EXPECT_EQ(MessageOf([&] { f.SetDirectory(""); }), "Path is empty.");
    EXPECT_EQ(MessageOf([&] { f.SetFileName(""); }), "File Name is empty.");
    EXPECT_EQ(MessageOf([&] { f.SetPathName(""); }), "Path and File Name is empty.");
    f.SetDirectory(dir_);
    EXPECT_EQ(MessageOf([&] { f.ComposePathName(); }), "Empty file name");
    f.SetFileName("a.uds");
    f.ComposePathName();
    EXPECT_EQ(f.GetPathName(), dir_ + "/a.uds");
}

TEST_F(FilePath, PathNameSplitsAtTheLastComponent)
{
    CFile f;
    f.SetPathName(dir_ + "/a.uds");
    EXPECT_EQ(f.GetDirectory(), dir_ + "/");
    EXPECT_EQ(f.GetFileName(), "a.uds");
    EXPECT_EQ(f.GetPathName(), dir_ + "/a.uds");

    // The leaf's text also ends the folder's names.
    fs::create_directories(dir_ + "/a.uds.d/a.uds");
    f.SetPathName(dir_ + "/a.uds.d/a.uds/a.uds");
    EXPECT_EQ(f.GetDirectory(), dir_ + "/a.uds.d/a.uds/");
    EXPECT_EQ(f.GetFileName(), "a.uds");
}

TEST_F(FilePath, RelativePathIsCompletedAgainstTheWorkingFolder)
{
    fs::create_directories(dir_ + "/sub");
    fs::current_path(dir_);
    const std::string cwd = fs::current_path().string();
    CFile f;
    f.SetPathName("sub/b.uds");
    EXPECT_EQ(f.GetDirectory(), cwd + "/sub/");
    EXPECT_EQ(f.GetFileName(), "b.uds");
    EXPECT_EQ(f.GetPathName(), cwd + "/sub/b.uds");

    CFile g;
    g.SetDirectory("sub");
    EXPECT_EQ(g.GetDirectory(), "sub/");
    EXPECT_TRUE(g.DirectoryExists());
}

TEST_F(FilePath, RefusedPathNameLeavesTheObjectAsItWas)
{
    CFile f;
    f.SetPathName(dir_ + "/a.uds");
    EXPECT_EQ(MessageOf([&] { f.SetPathName(dir_ + "/missing/b.uds"); }), "Invalid Directory: " + dir_ + "/missing/");
    EXPECT_EQ(MessageOf([&] { f.SetPathName(dir_ + "/"); }), "File Name is empty.");
    EXPECT_EQ(f.GetDirectory(), dir_ + "/");
    EXPECT_EQ(f.GetFileName(), "a.uds");
    EXPECT_EQ(f.GetPathName(), dir_ + "/a.uds");
}

} // namespace
