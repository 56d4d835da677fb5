#include "Mirvane/core/CComparisonRun.h"
#include "Mirvane/core/CPlot.h"
#include "Mirvane/core/PlotFactory.h"
#include "Mirvane/core/ResultColumns.h"
#include "MirvaneCoreFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <unistd.h>

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
        records.push_back(
            MakeRecord("/d/long.uds", MakeSignal(-2, 18, 0.001, [](double t) { return 1000.0 * t + 1.0; })));
        records.push_back(
            MakeRecord("/d/same.uds", MakeSignal(0, 11, 0.001, [](double t) { return 1000.0 * t - 3.0; })));
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
    records[0].Comparison().ComputeStatistics({0, 2}, {0, 0}, 0.001); // standard deviation 1
    records[1].Comparison().ComputeStatistics({0, 6}, {0, 0}, 0.001); // standard deviation 3
    const Filled sd = FillKind(PlotStdDeviation, records, ref);
    ASSERT_EQ(sd.series.size(), 4u);
    EXPECT_EQ(sd.labels[0], "Plus 1 Std Dev");
    EXPECT_EQ(sd.labels[1], "Minus 1 Std Dev");
    EXPECT_DOUBLE_EQ(sd.series[0].GetY()[2], 12.0);
    EXPECT_DOUBLE_EQ(sd.series[1].GetY()[2], 8.0);
    const Filled p90 = FillKind(Plot90Percent, records, ref);
    EXPECT_EQ(p90.labels[0], "Plus 90%");
    EXPECT_NEAR(p90.series[0].GetY()[0], 10.0 + 3.2898, 1e-12);

    for (const auto &[size, plus, minus] : std::vector<std::tuple<double, std::string, std::string>>{
             {4.0, "Plus 4", "Minus 4"}, {2.5, "Plus 2.5", "Minus 2.5"}}) {
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

// Signals read from files keep times rounded to single precision, resampled and
// averaged ones do not. Each evaluated sample must meet the reference sample of its
// own time, over every compared point, in every plot kind built from residuals.
class PairedSamples : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() / ("kx_mirvane_pairs_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // A pulse whose shape differs per file, so the residuals change from sample to sample.
    static double Pulse(double t, double peak, double centre)
    {
        const double u = (t - centre) / 0.02;
        return -peak * std::exp(-u * u) * (1.0 + 0.1 * std::sin(2.0 * std::numbers::pi * 150.0 * t));
    }

    std::string Uds(const std::string &name, int nfp, int nlp, float del, double peak, double centre) const
    {
        kx::CNSignal s;
        s.SetXType("TIME");
        s.SetXUnits("SECONDS");
        s.SetYType("ACCELERATION");
        s.SetYUnits("G'S");
        s.SetDel(del);
        s.SetNFP(nfp);
        s.SetNLP(nlp);
        s.MakeTimeAxis();
        std::vector<double> y;
        for (const double t : s.GetX())
            y.push_back(Pulse(t, peak, centre));
        s.SetYData(y);
        const std::string path = (dir / name).string();
        s.SaveToUDSFile(path);
        return path;
    }

    std::string Text(const std::string &name, int first, int last, double step, double peak, double centre) const
    {
        const std::string path = (dir / name).string();
        std::ofstream out(path);
        out.precision(9);
        for (int i = first; i <= last; ++i)
            out << i * step << ' ' << Pulse(i * step, peak, centre) << '\n';
        return path;
    }

    std::filesystem::path dir;
};

// The reference sample at the time of x, or -1 when the reference holds none there.
std::ptrdiff_t ReferenceIndex(const kx::CNSignal &reference, double x)
{
    const std::vector<double> &rx = reference.GetX();
    const std::ptrdiff_t j = std::lround((x - rx.front()) / reference.GetDel());
    if (j < 0 || j >= static_cast<std::ptrdiff_t>(rx.size()) ||
        std::fabs(rx[static_cast<std::size_t>(j)] - x) > 0.25 * reference.GetDel())
        return -1;
    return j;
}

TEST_F(PairedSamples, ResidualDensityAndCorrelationPairEqualTimes)
{
    struct Case {
        const char *name;
        int referenceKind;
        bool filter;
        bool lateStart;
    };
    const std::vector<Case> cases = {
        {"average of three, filtered", 1, true, false},
        {"reference file", 0, false, false},
        {"average, a file starting later", 1, false, true},
    };
    // One case's failure leaves the others to run.
    const auto check = [this](const Case &c) {
        CRunOptions options;
        options.files = {Uds("a.uds", -200, 1800, 1e-4f, 27.0, 0.061),
                         Uds("b.uds", c.lateStart ? 50 : 0, 800, 2e-4f, 33.0, 0.066)};
        if (!c.lateStart)
            options.files.push_back(Text("c.txt", 20, 280, 5e-4, 29.0, 0.059));
        options.referenceKind = c.referenceKind;
        options.referenceFile = Uds("ref.uds", 0, 1500, 1e-4f, 28.0, 0.060);
        options.filter = c.filter;
        options.filterClass = 1000;
        CRunResult run;
        std::vector<std::string> errors;
        ASSERT_TRUE(CComparisonRun::Execute(options, run, errors)) << (errors.empty() ? "" : errors.front());
        const kx::CNSignal &reference = run.reference.Signal();

        // The average is the mean of the samples of one time.
        if (c.referenceKind == 1) {
            for (std::size_t j = 0; j < reference.GetY().size(); ++j) {
                double sum = 0.0;
                for (const CSignal &record : run.records) {
                    const std::vector<double> &x = record.Signal().GetX();
                    const auto at = std::min_element(x.begin(), x.end(), [&](double p, double q) {
                        return std::fabs(p - reference.GetX()[j]) < std::fabs(q - reference.GetX()[j]);
                    });
                    sum += record.Signal().GetY()[static_cast<std::size_t>(at - x.begin())];
                }
                ASSERT_NEAR(reference.GetY()[j], sum / static_cast<double>(run.records.size()), 1e-9) << "point " << j;
            }
        }

        const Filled residuals = FillKind(PlotResiduals, run.records, reference);
        const Filled density = FillKind(PlotCumulativeDensity, run.records, reference);
        const Filled correlation = FillKind(PlotCrossCorrelation, run.records, reference);
        ASSERT_EQ(residuals.series.size(), run.records.size());
        for (std::size_t k = 0; k < run.records.size(); ++k) {
            const CSignal &record = run.records[k];
            SCOPED_TRACE(record.GetFileName());
            // The samples the statistics used, paired here by time.
            std::vector<double> e;
            std::vector<double> f;
            std::vector<double> r;
            for (std::size_t i = 0; i < record.Signal().GetY().size(); ++i) {
                const std::ptrdiff_t j = ReferenceIndex(reference, record.Signal().GetX()[i]);
                ASSERT_GE(j, 0) << "point " << i;
                e.push_back(record.Signal().GetY()[i]);
                f.push_back(reference.GetY()[static_cast<std::size_t>(j)]);
                r.push_back(e.back() - f.back());
            }
            ASSERT_EQ(r.size(), static_cast<std::size_t>(record.Comparison().GetCount()));

            const std::vector<double> &plotted = residuals.series[k].GetY();
            EXPECT_EQ(plotted.size(), r.size());
            for (std::size_t i = 0; i < std::min(r.size(), plotted.size()); ++i)
                ASSERT_NEAR(plotted[i], r[i], 1e-9) << "point " << i;
            ASSERT_EQ(plotted.size(), r.size());

            const kx::CNSignal &cdf = density.series[k];
            for (std::size_t j = 0; j < cdf.GetX().size() && cdf.GetX()[j] != kMissingValue; ++j) {
                const double below =
                    static_cast<double>(std::count_if(r.begin(), r.end(), [&](double v) { return v < cdf.GetX()[j]; }));
                ASSERT_DOUBLE_EQ(cdf.GetY()[j], 100.0 * below / static_cast<double>(r.size())) << "point " << j;
            }

            // Covariance of the reference (a) against the record (b) at each lag.
            const kx::CNSignal &cc = correlation.series[k + 1];
            const auto mean = [](const std::vector<double> &v) {
                double s = 0.0;
                for (const double value : v)
                    s += value;
                return s / static_cast<double>(v.size());
            };
            const double ma = mean(f);
            const double mb = mean(e);
            const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(r.size());
            const int lags = static_cast<int>(cc.GetY().size() / 2);
            for (int lag = -lags; lag <= lags; ++lag) {
                double sum = 0.0;
                std::ptrdiff_t terms = 0;
                for (std::ptrdiff_t i = std::max<std::ptrdiff_t>(0, lag); i < std::min(n, n + lag); ++i, ++terms)
                    sum += (f[static_cast<std::size_t>(i)] - ma) * (e[static_cast<std::size_t>(i - lag)] - mb);
                ASSERT_NEAR(cc.GetY()[static_cast<std::size_t>(lag + lags)], sum / static_cast<double>(terms), 1e-9)
                    << "lag " << lag;
            }
        }
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        check(c);
    }
}

} // namespace
