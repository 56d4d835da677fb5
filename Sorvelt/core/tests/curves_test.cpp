#include "Sorvelt/core/CSignal.h"
#include "Sorvelt/core/CurveBuilder.h"
#include "Sorvelt/core/MadymoFile.h"
#include "Sorvelt/core/MadymoWriter.h"
#include "Sorvelt/core/UdsConversion.h"
#include "signal/CNSignal.h"
#include "signal/CUDSFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace sorvelt;

class CurvesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static std::atomic<int> counter{0};
        m_dir = fs::path(::testing::TempDir()) /
                ("sorvelt_curves_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
        fs::create_directories(m_dir);
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(m_dir / "locked", fs::perms::owner_all, ignored);
        fs::remove_all(m_dir, ignored);
    }
    // Parameters x channels, value p * 100 + c * 10 + t; times in ms.
    std::string Write(const std::string &name, std::size_t parameters, std::size_t channels,
                      std::vector<double> timesMs)
    {
        MadymoContent content;
        for (std::size_t p = 0; p < parameters; ++p)
            content.parameters.push_back("  Body " + std::to_string(p + 1) + " ");
        for (std::size_t c = 0; c < channels; ++c)
            content.channels.push_back(c == 0 ? "Res (G) acc" : "Chan " + std::to_string(c + 1) + " (N)");
        content.timesMs = std::move(timesMs);
        content.value = [](std::size_t t, std::size_t p, std::size_t c) { return double(p * 100 + c * 10 + t); };
        const std::string path = (m_dir / name).string();
        EXPECT_TRUE(WriteMadymoFile(path, content));
        return path;
    }
    fs::path m_dir;
};

TEST(CurveBuilder, YUnitOfChannelNames)
{
    const std::pair<const char *, const char *> cases[] = {
        {"Acc (G) x", "G"},     {"Acc", "Unknown"},        {"Force ( N  per m) (kN)", "N"},
        {"Open (G", "Unknown"}, {"Empty () x", "Unknown"}, {"(m/s**2)", "m/s**2"},
    };
    for (const auto &[name, unit] : cases)
        EXPECT_EQ(YUnitOf(name), unit) << name;
}

TEST_F(CurvesTest, BuildCurveAndUniformStep)
{
    // Output times with an irregular gap: the smallest step wins.
    kx::MadymoFile reader;
    ASSERT_TRUE(reader.Read(Write("a.dat", 2, 3, {0.0, 1.0, 2.0, 4.0, 5.0})));
    kx::CNSignal s;
    ASSERT_TRUE(BuildCurve(reader, 1, 2, s));
    EXPECT_EQ(s.GetVehicle1Description(), "Body 2");
    EXPECT_EQ(s.GetYUnits(), "N");
    EXPECT_EQ(s.GetXUnits(), "SECONDS");
    EXPECT_EQ(s.GetNumberOfPoints(), 5);
    EXPECT_FALSE(BuildCurve(reader, 2, 0, s));

    ASSERT_TRUE(MakeUniformStep(s));
    EXPECT_NEAR(s.GetDel(), 0.001, 1e-9);
    EXPECT_EQ(s.GetNumberOfPoints(), 6);
    // Halfway in the gap: the line between 2 ms (122) and 4 ms (123).
    EXPECT_NEAR(s.GetY().at(3), 122.5, 1e-6);
}

TEST_F(CurvesTest, UniformStepRefusals)
{
    kx::CNSignal one;
    one.SetXYData({0.0}, {1.0});
    EXPECT_FALSE(MakeUniformStep(one));

    // Times that never increase leave the signal as it was.
    kx::CNSignal flat;
    flat.SetXYData({0.001, 0.001, 0.0005}, {1.0, 2.0, 3.0});
    flat.SetNLP(2);
    EXPECT_FALSE(MakeUniformStep(flat));
    EXPECT_EQ(flat.GetY().size(), 3u);

    // A finer step than 0.1 ms is raised to it.
    kx::CNSignal fine;
    fine.SetXYData({0.0, 0.00001, 0.00002, 0.001}, {0.0, 0.0, 0.0, 1.0});
    fine.SetNLP(3);
    ASSERT_TRUE(MakeUniformStep(fine));
    EXPECT_DOUBLE_EQ(fine.GetDel(), 0.0001);

    // A first step that is not positive starts the search below every later step,
    // so the smallest step allowed is taken.
    kx::CNSignal repeated;
    repeated.SetXYData({0.0, 0.0, 0.001, 0.002}, {0.0, 0.0, 1.0, 2.0});
    repeated.SetNLP(3);
    ASSERT_TRUE(MakeUniformStep(repeated));
    EXPECT_DOUBLE_EQ(repeated.GetDel(), 0.0001);
}

TEST(CSignalTest, CopyOwnsItsSignalAndMatchesItsNumber)
{
    auto source = std::make_shared<kx::CNSignal>();
    source->SetXYData({0.0, 1.0}, {5.0, 6.0});
    CSignal a(4, 2, 3, source);
    EXPECT_TRUE(a.Matches(11));
    EXPECT_FALSE(a.Matches(10));
    EXPECT_FALSE(a.Matches(7));
    EXPECT_EQ(a.CurveNumber(), 11u);
    CSignal b(a);
    b.Signal().ScaleY(2.0);
    EXPECT_DOUBLE_EQ(a.Signal().GetY()[0], 5.0);
    EXPECT_DOUBLE_EQ(b.Signal().GetY()[0], 10.0);
}

TEST_F(CurvesTest, ConversionWritesChosenCurvesAndCollectsFailures)
{
    kx::MadymoFile reader;
    ASSERT_TRUE(reader.Read(Write("run.dat", 3, 4, {0.0, 0.5, 1.0, 1.5})));
    EXPECT_EQ(ConvertedFileName("/out/", "run_", 0, 7), "/out/run__0.007");
    EXPECT_EQ(ConvertedFileName("/out", "h", 12, 123), "/out/h_12.123");

    ConversionRequest request;
    request.parameters = {true, false, true};
    request.channels = {false, true, false, true};
    request.folder = m_dir.string();
    request.header = "run_";
    EXPECT_EQ(ConversionCount(request), 4u);
    std::vector<std::string> seen;
    const ConversionResult result = ConvertToUds(reader, request, [&](std::size_t done, const std::string &path) {
        EXPECT_EQ(done, seen.size());
        seen.push_back(fs::path(path).filename().string());
        return true;
    });
    EXPECT_TRUE(result.errors.empty());
    EXPECT_EQ(result.written, 4u);
    EXPECT_EQ(seen, (std::vector<std::string>{"run__0.001", "run__0.003", "run__2.001", "run__2.003"}));

    kx::CNSignal back;
    back.LoadUDSFile((m_dir / "run__2.003").string());
    EXPECT_EQ(back.GetNumberOfPoints(), 4);
    EXPECT_NEAR(back.GetDel(), 0.0005, 1e-9);
    EXPECT_NEAR(back.GetY().at(1), 231.0, 1e-4);
    EXPECT_EQ(back.GetVehicle1Description(), "BODY 3");

    // Cancel after the first file.
    request.folder = (m_dir / "second").string();
    fs::create_directories(request.folder);
    const auto stopped = ConvertToUds(reader, request, [](std::size_t done, const std::string &) { return done < 1; });
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_EQ(stopped.written, 1u);
}

TEST_F(CurvesTest, OutputFolderChecks)
{
    EXPECT_EQ(CheckOutputFolder(m_dir.string()), "");
    EXPECT_NE(CheckOutputFolder((m_dir / "missing").string()).find("does not exist"), std::string::npos);
    EXPECT_NE(CheckOutputFolder(""), "");
    const std::string file = Write("plain.dat", 1, 1, {0.0, 1.0});
    EXPECT_NE(CheckOutputFolder(file), "");
    if (::geteuid() != 0) {
        fs::create_directories(m_dir / "locked");
        fs::permissions(m_dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_NE(CheckOutputFolder((m_dir / "locked").string()).find("cannot be written"), std::string::npos);
    }
}

TEST_F(CurvesTest, OnePointCurvesAreReportedNotWritten)
{
    kx::MadymoFile reader;
    const std::string path = Write("single.dat", 1, 2, {0.0, 1.0});
    ASSERT_TRUE(reader.Read(path));
    // Replace with a file of one time step.
    ASSERT_TRUE(reader.Read(Write("one.dat", 1, 2, {3.0})));
    ConversionRequest request{{true}, {true, true}, m_dir.string(), "one_"};
    const auto result = ConvertToUds(reader, request);
    EXPECT_EQ(result.written, 0u);
    ASSERT_EQ(result.errors.size(), 2u);
    EXPECT_NE(result.errors[0].find("one__0.000"), std::string::npos);
    EXPECT_NE(result.errors[1].find("one__0.001"), std::string::npos);
    EXPECT_FALSE(fs::exists(m_dir / "one__0.000"));
    // One file at a time gives the same outcome.
    const auto serial = ConvertToUds(reader, request, {}, 1);
    EXPECT_EQ(serial.errors, result.errors);
    EXPECT_EQ(serial.written, 0u);
}

} // namespace
