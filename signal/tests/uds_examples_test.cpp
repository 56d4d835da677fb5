// The sample files in examples/: they read, carry the header codes the
// criterion programs look for, and agree across the three number formats.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "signal/CUDSFile.h"

namespace kx {
namespace {

const std::filesystem::path kExamples = std::filesystem::path(KX_SOURCE_DIR) / "examples";

void Read(CUDSFile &f, const std::string &name)
{
    const auto path = kExamples / name;
    if (!std::filesystem::exists(path)) {
        GTEST_SKIP() << path << " has not been made (examples/make_examples)";
    }
    f.ReadFile(path.string());
}

double Peak(const std::vector<double> &v)
{
    return *std::max_element(v.begin(), v.end());
}

TEST(UdsExamples, HeadAccelerationInEachNumberFormat)
{
    CUDSFile ieee;
    ASSERT_NO_FATAL_FAILURE(Read(ieee, "head_accel_res_ieee.uds"));
    if (IsSkipped())
        return;
    EXPECT_EQ(ieee.GetNumForm(), "IEEE");
    EXPECT_EQ(ieee.GetFileForm(), "Y");
    EXPECT_EQ(ieee.GetSenAtt(), "HEAD CG");
    EXPECT_EQ(ieee.GetAxis(), "RS");
    EXPECT_EQ(ieee.GetYUnits(), "G'S");
    EXPECT_EQ(ieee.GetXUnits(), "SECONDS");
    EXPECT_EQ(ieee.GetOccupant1Type().substr(0, 2), "H3");
    EXPECT_EQ(ieee.GetOccupant1Size().substr(0, 2), "50");
    EXPECT_LE(ieee.GetNFP(), 0);
    EXPECT_GE(ieee.GetNLP(), 0);
    EXPECT_FLOAT_EQ(ieee.GetDel(), 1.0e-4F);
    EXPECT_NEAR(Peak(ieee.GetSampleY()), 60.0, 1.0);

    for (const char *name : {"head_accel_res_sun.uds", "head_accel_res_vax.uds"}) {
        SCOPED_TRACE(name);
        CUDSFile other;
        Read(other, name);
        other.SetNumForm(ieee.GetNumForm());
        EXPECT_TRUE(other.SameFields(ieee));
        EXPECT_EQ(other.GetSampleY(), ieee.GetSampleY());
        EXPECT_EQ(other.GetSampleX(), ieee.GetSampleX());
    }
}

TEST(UdsExamples, UpperNeckForceAndMoment)
{
    struct Case {
        const char *file;
        const char *axis;
        const char *units;
        double low, high; // expected range of the peak
    } cases[] = {{"upper_neck_force_fz.uds", "ZL", "NEWTONS", 2000.0, 2300.0},
                 {"upper_neck_moment_my.uds", "YL", "NEWTON-METERS", 30.0, 45.0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        CUDSFile f;
        ASSERT_NO_FATAL_FAILURE(Read(f, c.file));
        if (IsSkipped())
            return;
        EXPECT_EQ(f.GetFileForm(), "X-Y");
        EXPECT_EQ(f.GetSenAtt(), "NECK - UPPER");
        EXPECT_EQ(f.GetAxis(), c.axis);
        EXPECT_EQ(f.GetYUnits(), c.units);
        EXPECT_EQ(f.GetXType(), "TIME");
        const double peak = Peak(f.GetSampleY());
        EXPECT_GT(peak, c.low);
        EXPECT_LT(peak, c.high);
        ASSERT_EQ(f.GetSampleX().size(), f.GetSampleY().size());
        EXPECT_NEAR(f.GetSampleX().front(), f.GetNFP() * 1.0e-4, 1.0e-7);
    }
}

} // namespace
} // namespace kx
