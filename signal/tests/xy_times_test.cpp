// Signals read from "X-Y" files: their step comes from their own times, saves keep the
// times, and computations that need a step or times in order refuse the others.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "MessageOf.h"
#include "signal/CNSignal.h"
#include "signal/CUDSFile.h"
#include "signal/LoadWarnings.h"
#include "signal/TimeStep.h"
#include "signal/UdsMemory.h"

namespace {

namespace fs = std::filesystem;
using kx::CNSignal;
using kx::test::MessageOf;
using Vec = std::vector<double>;

const std::string kNoStep = " - no constant time step: its times are not evenly spaced";

class XYTimes : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device rd;
        dir_ = fs::temp_directory_path() / ("kx_xy_times_" + std::to_string(rd()));
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    std::string Path(const std::string &name) const { return (dir_ / name).string(); }

    // An "X-Y" file as other writers make it: the times one by one, DEL as given.
    std::string WriteXY(const std::string &name, const Vec &x, const Vec &y, float del, int nfp = 0,
                        const std::string &xUnits = "SECONDS") const
    {
        kx::CUDSFile file;
        file.SetFileForm("X-Y");
        file.SetNFP(nfp);
        file.SetNLP(nfp + static_cast<int>(y.size()) - 1);
        file.SetDel(del);
        file.SetXType("TIME");
        file.SetXUnits(xUnits);
        file.SetYUnits("G'S");
        file.SetSamples(x, y);
        file.WriteFile(Path(name));
        return Path(name);
    }

    fs::path dir_;
};

// Times in ms turned to seconds as a float file holds them.
Vec Seconds(const Vec &ms)
{
    Vec s;
    for (double t : ms)
        s.push_back(static_cast<float>(t / 1000.0));
    return s;
}

// 0, 0.1, 0.4, 0.5, 0.8 ... ms: 0.1 and 0.3 ms apart in turn.
Vec UnevenMs(std::size_t n)
{
    Vec ms;
    double t = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        ms.push_back(t);
        t += i % 2 == 0 ? 0.1 : 0.3;
    }
    return ms;
}

Vec EvenMs(std::size_t n, double stepMs, double firstMs = 0.0)
{
    Vec ms;
    for (std::size_t i = 0; i < n; ++i)
        ms.push_back(firstMs + stepMs * static_cast<double>(i));
    return ms;
}

Vec Pulse(const Vec &x)
{
    Vec y;
    for (double t : x)
        y.push_back(100.0 * std::exp(-std::pow((t - x.back() / 2) / (x.back() / 8), 2)));
    return y;
}

TEST_F(XYTimes, StepComesFromTheTimesAndASaveKeepsThem)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char *what;
        Vec x;
        float del;
        int nfp;
        const char *xUnits;
        double step; // 0: no constant step
        int first;
        const char *savedForm;
    } cases[] = {
        {"uneven times, nominal DEL", Seconds(UnevenMs(400)), 1e-4F, 0, "SECONDS", 0.0, 0, "X-Y"},
        {"uneven times, DEL +inf", Seconds(UnevenMs(400)), static_cast<float>(inf), 0, "SECONDS", 0.0, 0, "X-Y"},
        {"uneven times, negative DEL", Seconds(UnevenMs(400)), -1e-4F, 0, "SECONDS", 0.0, 0, "X-Y"},
        {"even 0.2 ms, DEL 0.1 ms", Seconds(EvenMs(400, 0.2)), 1e-4F, 0, "SECONDS", 2e-4F, 0, "Y"},
        {"even 0.1 ms, DEL 0", Seconds(EvenMs(400, 0.1)), 0.0F, 0, "SECONDS", 1e-4F, 0, "Y"},
        {"even 0.1 ms from -10 ms, NFP 1", Seconds(EvenMs(400, 0.1, -10.0)), 1e-4F, 1, "SECONDS", 1e-4F, -100, "Y"},
        {"even in milliseconds, DEL in seconds", EvenMs(400, 0.1), 1e-4F, 0, "MSEC", 0.1F, 0, "Y"},
        {"a time that goes backwards", Seconds({0.0, 0.1, 0.2, 0.15, 0.3, 0.4}), 1e-4F, 0, "SECONDS", 0.0, 0, "X-Y"},
        {"even but off the grid of any point number", Seconds(EvenMs(50, 0.1, 0.05)), 1e-4F, 0, "SECONDS", 0.0, 0,
         "X-Y"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const Vec y = Pulse(c.x);
        const std::string in = WriteXY("in.uds", c.x, y, c.del, c.nfp, c.xUnits);
        CNSignal s;
        s.LoadUDSFile(in);
        EXPECT_EQ(s.GetDel(), c.step);
        if (c.step > 0.0) {
            EXPECT_EQ(s.GetNFP(), c.first);
            EXPECT_EQ(s.GetNLP(), c.first + static_cast<int>(c.x.size()) - 1);
        }

        const std::string out = Path("out.uds");
        s.SaveToUDSFile(out);
        kx::CUDSFile back;
        back.ReadFile(out);
        EXPECT_EQ(back.GetFileForm(), c.savedForm);
        ASSERT_EQ(back.GetSampleX().size(), c.x.size());
        for (std::size_t i = 0; i < c.x.size(); ++i)
            ASSERT_NEAR(back.GetSampleX()[i], c.x[i], 4e-7 * std::fabs(c.x[i]) + 1e-12) << i;
        EXPECT_EQ(back.GetSampleY(), s.GetY());
    }
}

TEST_F(XYTimes, ASaveNeverPutsTimesOffTheirGridOnOne)
{
    // Signals on a step whose times then moved off it, or whose step turned negative.
    struct Case {
        const char *what;
        std::function<void(CNSignal &)> change;
    } cases[] = {
        {"shifted by half a step", [](CNSignal &s) { s.ShiftX(0.00005); }},
        {"scaled by -1", [](CNSignal &s) { s.ScaleX(-1.0); }},
        {"one time moved", [](CNSignal &s) { s.SetPointAt(s.GetX()[3] + 0.00003, s.GetY()[3], 3); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        CNSignal s;
        s.LoadUDSFile(WriteXY("even.uds", Seconds(EvenMs(300, 0.1)), Pulse(Seconds(EvenMs(300, 0.1))), 1e-4F));
        ASSERT_GT(s.GetDel(), 0.0);
        c.change(s);
        const Vec times = s.GetX();
        s.SaveToUDSFile(Path("out.uds"));
        kx::CUDSFile back;
        back.ReadFile(Path("out.uds"));
        EXPECT_EQ(back.GetFileForm(), "X-Y");
        ASSERT_EQ(back.GetSampleX().size(), times.size());
        for (std::size_t i = 0; i < times.size(); ++i)
            ASSERT_NEAR(back.GetSampleX()[i], times[i], 1e-9) << i;
    }
}

TEST_F(XYTimes, ComputationsRefuseTimesWithoutAStepOrOutOfOrder)
{
    const Vec uneven = Seconds(UnevenMs(400));
    const Vec backwards = Seconds({0.0, 0.1, 0.2, 0.15, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8});
    struct Case {
        const char *what;
        const Vec *x;
        std::function<void(CNSignal &)> run;
        std::string message;
    } cases[] = {
        {"FIR100 on uneven times", &uneven, [](CNSignal &s) { s.FilterCFC(false); },
         "Signal must have constant time interval" + kNoStep},
        {"CFC 60 on uneven times", &uneven, [](CNSignal &s) { s.Filter(60); }, "Nonpositive time step" + kNoStep},
        {"CFC 60 on backwards times", &backwards, [](CNSignal &s) { s.Filter(60); }, kx::kTimesNotIncreasing},
        {"FIR100 on backwards times", &backwards, [](CNSignal &s) { s.FilterCFC(false); }, kx::kTimesNotIncreasing},
        {"resample backwards times", &backwards, [](CNSignal &s) { s.Interpolate(0.0001); }, kx::kTimesNotIncreasing},
        {"integrate backwards times", &backwards, [](CNSignal &s) { s.Integrate(); }, kx::kTimesNotIncreasing},
        {"differentiate backwards times", &backwards, [](CNSignal &s) { s.Differentiate(); }, kx::kTimesNotIncreasing},
        {"truncate backwards times", &backwards, [](CNSignal &s) { s.TruncateByTime(0.0, 0.0005); },
         kx::kTimesNotIncreasing},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        CNSignal s;
        s.LoadUDSFile(WriteXY("in.uds", *c.x, Pulse(*c.x), 1e-4F));
        const Vec y = s.GetY();
        EXPECT_EQ(MessageOf([&] { c.run(s); }), c.message);
        EXPECT_EQ(s.GetY(), y);
    }

    // Resampled to its own times first, the uneven signal filters.
    CNSignal s;
    s.LoadUDSFile(WriteXY("in.uds", uneven, Pulse(uneven), 1e-4F));
    s.Interpolate(0.0001);
    EXPECT_TRUE(s.Filter(60));
    // Sums of signals without a step meet only on the same times.
    CNSignal a;
    a.LoadUDSFile(WriteXY("a.uds", uneven, Pulse(uneven), 1e-4F));
    const Vec other = Seconds(EvenMs(400, 0.2));
    Vec shifted = uneven;
    shifted[5] += 0.00001;
    CNSignal b;
    b.LoadUDSFile(WriteXY("b.uds", shifted, Pulse(uneven), 1e-4F));
    CNSignal sum(a);
    EXPECT_NE(MessageOf([&] {
                  sum.Sum({std::make_shared<CNSignal>(a), std::make_shared<CNSignal>(b)});
              }),
              "(no exception)");
    EXPECT_EQ(MessageOf([&] {
                  sum.Sum({std::make_shared<CNSignal>(a), std::make_shared<CNSignal>(a)});
              }),
              "(no exception)");
}

TEST_F(XYTimes, InfiniteSamplesAreCountedAndKept)
{
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char *what;
        Vec x, y;
        std::size_t infinite;
        std::vector<std::string> lines;
    } cases[] = {
        {"none", {0.0, 0.1, 0.2}, {1.0, 2.0, 3.0}, 0, {}},
        {"one in Y", {0.0, 0.1, 0.2}, {1.0, inf, 3.0}, 1, {"f.uds: 1 sample is infinite"}},
        {"Y and X of one sample, and another",
         {0.0, 0.1, inf, 0.3},
         {-inf, 2.0, inf, 4.0},
         2,
         {"f.uds: 2 samples are infinite"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        CNSignal s;
        s.LoadUDSFile(WriteXY("f.uds", c.x, c.y, 0.0F));
        EXPECT_EQ(s.GetInfSampleCount(), c.infinite);
        EXPECT_EQ(CNSignal(s).GetInfSampleCount(), c.infinite);
        EXPECT_EQ(s.GetY(), c.y); // the reading is kept
        std::vector<std::string> lines;
        EXPECT_EQ(kx::AddLoadWarnings(lines, "f.uds", s), !c.lines.empty());
        EXPECT_EQ(lines, c.lines);
    }
}

TEST_F(XYTimes, YFileWhoseTimesOverflowIsRefused)
{
    struct Case {
        float del;
        int nfp, nlp;
        bool refused;
    } cases[] = {
        {3e38F, 0, 2, true},
        {1e38F, -5, 2, true},
        {1e38F, 0, 3, false},
        {1e-4F, -100, 100, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.del);
        kx::CUDSFile file;
        file.SetFileForm("Y");
        file.SetNFP(c.nfp);
        file.SetNLP(c.nlp);
        file.SetDel(c.del);
        file.SetSamples({}, Vec(static_cast<std::size_t>(c.nlp - c.nfp + 1), 1.0));
        file.WriteFile(Path("y.uds"));
        CNSignal s;
        const std::string message = MessageOf([&] { s.LoadUDSFile(Path("y.uds")); });
        if (c.refused)
            EXPECT_EQ(message, "Invalid time step DEL in file: " + Path("y.uds") +
                                   " (the times NFP x DEL to NLP x DEL must be finite numbers)");
        else
            EXPECT_EQ(message, "(no exception)");
    }
}

TEST_F(XYTimes, FilesThatHoldTooLittleOrTooMuchSaySo)
{
    std::ofstream(Path("empty.uds"));
    std::ofstream(Path("empty.txt"));
    std::ofstream(Path("blank.txt")) << "\n\n";
    std::ofstream(Path("one.txt")) << "0.001 5\n";
    struct Case {
        const char *what;
        std::function<void(CNSignal &)> run;
        std::string message;
    } cases[] = {
        {"empty UDS", [&](CNSignal &s) { s.LoadUDSFile(Path("empty.uds")); }, Path("empty.uds") + " is empty"},
        {"empty UDS as points", [&](CNSignal &s) { s.ReadPointsFile(dir_.string() + "/", "empty.uds"); },
         Path("empty.uds") + " is empty"},
        {"empty points", [&](CNSignal &s) { s.ReadPointsFile(dir_.string() + "/", "empty.txt"); },
         Path("empty.txt") + " is empty"},
        {"blank points", [&](CNSignal &s) { s.ReadPointsFile(dir_.string() + "/", "blank.txt"); },
         Path("blank.txt") + " holds no points"},
        {"one point resampled",
         [&](CNSignal &s) {
             s.ReadPointsFile(dir_.string() + "/", "one.txt");
             s.Interpolate(0.0001);
         },
         "Not enough data points: the signal has 1 point, resampling needs at least 2"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        CNSignal s;
        EXPECT_EQ(MessageOf([&] { c.run(s); }), c.message);
    }
}

TEST_F(XYTimes, AFileClaimingMorePointsThanMemoryHoldsIsTooLargeToRead)
{
    // A sparse file whose size matches its claim of two billion points.
    const long long points = 2'000'000'000LL;
    if (kx::FitsInMemory(static_cast<std::uint64_t>(points) * 24))
        GTEST_SKIP() << "this machine holds the points";
    kx::CUDSFile header;
    header.SetFileForm("Y");
    header.SetNFP(0);
    header.SetNLP(1);
    header.SetDel(1e-4F);
    header.SetSamples({}, {1.0, 2.0});
    header.WriteFile(Path("huge.uds"));
    // NLP is the last int of record 3's NLP field (offset 512 + 282).
    {
        std::fstream f(Path("huge.uds"), std::ios::in | std::ios::out | std::ios::binary);
        const auto nlp = static_cast<std::int32_t>(points - 1);
        f.seekp(512 + 282);
        f.write(reinterpret_cast<const char *>(&nlp), 4);
    }
    fs::resize_file(Path("huge.uds"), 1024 + (points + 124) / 125 * 512);
    CNSignal s;
    EXPECT_EQ(MessageOf([&] { s.LoadUDSFile(Path("huge.uds")); }),
              Path("huge.uds") + " is too large to read: its 2000000000 points do not fit in memory");
}

} // namespace
