#include "Mirvane/core/CPlot.h"
#include "Mirvane/core/PlotFactory.h"
#include "Mirvane/core/ResultColumns.h"
#include "MirvaneCoreFixtures.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace mirvane;
using mirvane_test::MakeRecord;
using mirvane_test::MakeSignal;

namespace {

struct Filled {
    bool ok = false;
    std::vector<kx::CNSignal> series;
    std::vector<std::string> labels;
    std::string xTitle, yTitle;
};

Filled FillKind(int kind, const std::vector<CSignal> &records, const kx::CNSignal &reference)
{
    Filled out;
    auto plot = MakePlot(kind);
    out.ok = plot->Fill(records, reference, out.series, out.labels);
    plot->GetAxisTitles(out.xTitle, out.yTitle);
    return out;
}

// A reference over 0..10 ms and two records compared with it, one longer than it.
struct SampleRun {
    kx::CNSignal reference = MakeSignal(0, 11, 0.001, [](double t) { return 1000.0 * t; });
    std::vector<CSignal> records;
    SampleRun()
    {
        CSignal ref("ref.uds");
        ref.Signal() = reference;
        records.push_back(MakeRecord("/d/long.uds", MakeSignal(-2, 18, 0.001, [](double t) { return 1000.0 * t + 1.0; })));
        records.push_back(MakeRecord("/d/same.uds", MakeSignal(0, 11, 0.001, [](double t) { return 1000.0 * t - 3.0; })));
        for (CSignal &r : records)
            r.Compare(ref);
    }
};

TEST(PlotKinds, NamesTitlesAndFactory)
{
    struct Case {
        int kind;
        const char *name, *x, *y;
    };
    const std::vector<Case> cases = {
        {1, "Summary", "", ""},
        {2, "Input Data", "Time (seconds)", "Unknown Units"},
        {3, "Standard Deviation", "Time (seconds)", "Acceleration (G's)"},
        {5, "90 Percentile Corridor", "Time (seconds)", "Acceleration (G's)"},
        {6, "Residuals", "Time (seconds)", "Residual"},
        {7, "Acceleration", "Time (seconds)", "Acceleration (G's)"},
        {8, "Velocity", "Time (seconds)", "Velocity (kmph)"},
        {9, "Displacement", "Time (seconds)", "Displacement (mm)"},
        {10, "Cummulative Density", "Residual", "Percent Less than X (%)"},
        {11, "Cross Correlation", "Time Offset", "Cross Correlation"},
    };
    SampleRun run;
    for (const Case &c : cases) {
        EXPECT_EQ(PlotKindName(c.kind), c.name);
        EXPECT_EQ(MakePlot(c.kind)->GetKind(), c.kind);
        const Filled f = FillKind(c.kind, run.records, run.reference);
        EXPECT_TRUE(f.ok) << c.kind;
        EXPECT_EQ(f.xTitle, c.x);
        EXPECT_EQ(f.yTitle, c.y);
        EXPECT_EQ(f.series.size(), f.labels.size());
    }
    EXPECT_EQ(PlotKindName(0), "");
    EXPECT_EQ(PlotKindName(12), "");
    EXPECT_EQ(MakePlot(12)->GetKind(), PlotSummary);
    EXPECT_EQ(MakePlot(4)->GetKind(), PlotCorridor);
}

// Every kind leaves the records alone, and drawing a kind twice gives the same curves.
TEST(PlotKinds, RecordsUnchangedAndRepeatable)
{
    SampleRun run;
    const std::vector<double> x0 = run.records[0].Signal().GetX();
    const std::vector<double> y0 = run.records[0].Signal().GetY();
    const std::vector<double> refY = run.reference.GetY();
    for (int kind = 1; kind <= 11; ++kind) {
        const Filled first = FillKind(kind, run.records, run.reference);
        const Filled second = FillKind(kind, run.records, run.reference);
        ASSERT_EQ(first.series.size(), second.series.size()) << kind;
        for (std::size_t s = 0; s < first.series.size(); ++s) {
            EXPECT_EQ(first.series[s].GetX(), second.series[s].GetX()) << kind;
            EXPECT_EQ(first.series[s].GetY(), second.series[s].GetY()) << kind;
        }
        EXPECT_EQ(run.records[0].Signal().GetX(), x0) << kind;
        EXPECT_EQ(run.records[0].Signal().GetY(), y0) << kind;
        EXPECT_EQ(run.reference.GetY(), refY) << kind;
    }
}

TEST(PlotKinds, ResidualsOnCommonLength)
{
    SampleRun run;
    const Filled f = FillKind(PlotResiduals, run.records, run.reference);
    ASSERT_EQ(f.series.size(), 2u);
    EXPECT_EQ(f.labels[0], "long.uds");
    for (double r : f.series[0].GetY())
        EXPECT_NEAR(r, 1.0, 1e-9);
    for (double r : f.series[1].GetY())
        EXPECT_NEAR(r, -3.0, 1e-9);
    EXPECT_LE(f.series[0].GetY().size(), run.reference.GetY().size());
}

TEST(PlotKinds, BandsAndCorridorLabels)
{
    const kx::CNSignal ref = MakeSignal(0, 5, 0.001, [](double) { return 10.0; });
    std::vector<CSignal> records = {MakeRecord("a.uds", ref), MakeRecord("b.uds", ref)};
    records[0].Comparison().ComputeStatistics({0, 2}, {0, 0}, 0.001);  // standard deviation 1
    records[1].Comparison().ComputeStatistics({0, 6}, {0, 0}, 0.001);  // standard deviation 3
    const Filled sd = FillKind(PlotStdDeviation, records, ref);
    ASSERT_EQ(sd.series.size(), 4u);
    EXPECT_EQ(sd.labels[0], "Plus 1 Std Dev");
    EXPECT_EQ(sd.labels[1], "Minus 1 Std Dev");
    EXPECT_DOUBLE_EQ(sd.series[0].GetY()[2], 12.0);
    EXPECT_DOUBLE_EQ(sd.series[1].GetY()[2], 8.0);
    const Filled p90 = FillKind(Plot90Percent, records, ref);
    EXPECT_EQ(p90.labels[0], "Plus 90%");
    EXPECT_NEAR(p90.series[0].GetY()[0], 10.0 + 3.2898, 1e-12);

    for (const auto &[size, plus, minus] :
         std::vector<std::tuple<double, std::string, std::string>>{{4.0, "Plus 4", "Minus 4"}, {2.5, "Plus 2.5", "Minus 2.5"}}) {
        records[0].Comparison().SetCorridorSize(size);
        const Filled c = FillKind(PlotCorridor, records, ref);
        ASSERT_TRUE(c.ok);
        EXPECT_EQ(c.labels[0], plus);
        EXPECT_EQ(c.labels[1], minus);
        EXPECT_DOUBLE_EQ(c.series[1].GetY()[0], 10.0 - size);
        EXPECT_EQ(c.xTitle, "TIME (SECONDS)");
        EXPECT_EQ(c.yTitle, "ACCELERATION (G'S)");
    }
    records[0].Comparison().SetCorridorSize(0.0);
    EXPECT_FALSE(FillKind(PlotCorridor, records, ref).ok);
    EXPECT_FALSE(FillKind(PlotCorridor, {}, ref).ok);
}

TEST(PlotKinds, CumulativeDensity)
{
    // Residuals 0, 1, 2, 3 (standard deviation sqrt(1.25)).
    const kx::CNSignal ref = MakeSignal(0, 4, 0.001, [](double) { return 0.0; });
    kx::CNSignal e = MakeSignal(0, 4, 0.001, [](double t) { return std::round(t * 1000.0); });
    CSignal record = MakeRecord("e.uds", e);
    CSignal refRecord = MakeRecord("r.uds", ref);
    record.Compare(refRecord);
    const double s = record.Comparison().GetStdDeviation();
    const Filled f = FillKind(PlotCumulativeDensity, {record}, ref);
    ASSERT_EQ(f.series.size(), 1u);
    const auto &x = f.series[0].GetX();
    const auto &y = f.series[0].GetY();
    ASSERT_EQ(y.size(), 100u);
    EXPECT_DOUBLE_EQ(x[0], -2.0 * s);
    EXPECT_EQ(y[0], 0.0);
    // At x just above 1.5 (the mean), two of four residuals are below.
    for (std::size_t j = 0; j < 100 && x[j] != kMissingValue; ++j) {
        double below = 0;
        for (double r : {0.0, 1.0, 2.0, 3.0})
            below += r < x[j] ? 1 : 0;
        EXPECT_DOUBLE_EQ(y[j], 25.0 * below) << j;
    }

    // A standard deviation of 0 makes no point.
    CSignal flat = MakeRecord("f.uds", ref);
    flat.Compare(refRecord);
    const Filled g = FillKind(PlotCumulativeDensity, {flat}, ref);
    for (std::size_t j = 0; j < 100; ++j) {
        EXPECT_EQ(g.series[0].GetX()[j], kMissingValue);
        EXPECT_EQ(g.series[0].GetY()[j], kMissingValue);
    }
}

TEST(PlotKinds, CrossCorrelationLagsAndBounds)
{
    const kx::CNSignal ref = MakeSignal(0, 200, 0.001, [](double t) { return std::sin(t * 300.0); });
    CSignal refRecord = MakeRecord("r.uds", ref);
    CSignal record = MakeRecord("/x/e.uds", ref);
    record.Compare(refRecord);
    const Filled f = FillKind(PlotCrossCorrelation, {record}, ref);
    ASSERT_EQ(f.series.size(), 2u);
    EXPECT_EQ(f.labels[0], "Reference");
    EXPECT_EQ(f.labels[1], "e.uds");
    ASSERT_EQ(f.series[0].GetY().size(), 21u);
    EXPECT_NEAR(f.series[0].GetX().front(), -0.01, 1e-12);
    EXPECT_NEAR(f.series[0].GetX().back(), 0.01, 1e-12);
    EXPECT_EQ(f.series[0].GetStatus(), "COMPUTED");
    // The signal against itself peaks at lag 0 and equals the reference's series.
    EXPECT_EQ(f.series[0].GetY(), f.series[1].GetY());
    for (double v : f.series[0].GetY())
        EXPECT_LE(v, f.series[0].GetY()[10] + 1e-12);

    // Five points bound the lag at 4: 9 points, no read beyond the samples.
    const kx::CNSignal tiny = MakeSignal(0, 5, 0.001, [](double t) { return t; });
    const Filled g = FillKind(PlotCrossCorrelation, {MakeRecord("t.uds", tiny)}, tiny);
    EXPECT_EQ(g.series[0].GetY().size(), 9u);
    EXPECT_NEAR(g.series[0].GetX().front(), -0.004, 1e-12);
}

TEST(PlotKinds, VelocityAndDisplacementOfConstantAcceleration)
{
    const kx::CNSignal ref = MakeSignal(0, 101, 0.001, [](double) { return 1.0; });
    const Filled v = FillKind(PlotVelocity, {MakeRecord("a.uds", ref)}, ref);
    const Filled d = FillKind(PlotDisplacement, {MakeRecord("a.uds", ref)}, ref);
    ASSERT_EQ(v.series.size(), 2u);
    const auto &vy = v.series[1].GetY();
    const auto &dy = d.series[1].GetY();
    // Linear: equal steps; quadratic: growing steps with a constant second difference.
    EXPECT_NEAR(vy[50] - vy[49], vy[80] - vy[79], 1e-9 * std::fabs(vy[80]) + 1e-12);
    EXPECT_GT(vy[80], vy[40]);
    const double second1 = dy[52] - 2 * dy[51] + dy[50];
    const double second2 = dy[82] - 2 * dy[81] + dy[80];
    EXPECT_GT(dy[80] - dy[79], dy[40] - dy[39]);
    EXPECT_NEAR(second1, second2, 1e-6 * std::fabs(second1));
}

} // namespace
