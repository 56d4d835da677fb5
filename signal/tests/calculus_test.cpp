// Derivative and integral kernels, the unit rules, and the signal operations on them.

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "signal/CData.h"
#include "signal/CalculusKernels.h"
#include "signal/UnitAlgebra.h"

namespace {

std::vector<double> Sample(const std::vector<double> &x, double (*f)(double))
{
    std::vector<double> y;
    for (double t : x)
        y.push_back(f(t));
    return y;
}

std::vector<double> UniformAxis(std::size_t n, double step, double start = 0.0)
{
    std::vector<double> x(n);
    for (std::size_t i = 0; i < n; ++i)
        x[i] = start + static_cast<double>(i) * step;
    return x;
}

// Irregular, increasing abscissae.
const std::vector<double> kIrregular{0.0, 0.1, 0.25, 0.3, 0.52, 0.6, 0.81, 1.0, 1.07};

double Line(double t)
{
    return 2.0 * t - 1.0;
}
double Parabola(double t)
{
    return 3.0 * t * t - 2.0 * t + 0.5;
}
double ParabolaSlope(double t)
{
    return 6.0 * t - 2.0;
}

// --- Uniform-step derivative ----------------------------------------------------------

TEST(DerivativeUniform, LineIsExactAtEveryPointEndsIncluded)
{
    const auto x = UniformAxis(10, 0.001);
    std::vector<double> out;
    ASSERT_TRUE(kx::DerivativeUniform(Sample(x, Line), out, 0.001, 1.0));
    ASSERT_EQ(out.size(), x.size());
    for (double d : out)
        EXPECT_NEAR(d, 2.0, 1e-9);
}

TEST(DerivativeUniform, ParabolaIsExactAtEveryPointEndsIncluded)
{
    for (std::size_t n : {4u, 5u, 12u}) {
        const auto x = UniformAxis(n, 0.01, -0.03);
        std::vector<double> out;
        ASSERT_TRUE(kx::DerivativeUniform(Sample(x, Parabola), out, 0.01, 1.0));
        for (std::size_t i = 0; i < n; ++i)
            EXPECT_NEAR(out[i], ParabolaSlope(x[i]), 1e-9) << "n " << n << " i " << i;
    }
}

TEST(DerivativeUniform, AppliesTheUnitFactor)
{
    const auto x = UniformAxis(6, 0.5);
    std::vector<double> out;
    ASSERT_TRUE(kx::DerivativeUniform(Sample(x, Line), out, 0.5, 3.6));
    for (double d : out)
        EXPECT_NEAR(d, 7.2, 1e-9);
}

TEST(DerivativeUniform, RefusesFewerThanFourSamples)
{
    for (std::size_t n : {0u, 1u, 2u, 3u}) {
        std::vector<double> out{42.0};
        try {
            kx::DerivativeUniform(std::vector<double>(n, 1.0), out, 0.1, 1.0);
            FAIL() << "no exception for " << n << " samples";
        } catch (const std::logic_error &e) {
            EXPECT_STREQ(e.what(), "Too few data points to compute a derivative");
        }
        EXPECT_EQ(out, std::vector<double>{42.0});
    }
}

TEST(DerivativeUniform, FalseForAStepThatIsNotPositive)
{
    std::vector<double> out;
    EXPECT_FALSE(kx::DerivativeUniform({1, 2, 3, 4}, out, 0.0, 1.0));
    EXPECT_FALSE(kx::DerivativeUniform({1, 2, 3, 4}, out, -0.1, 1.0));
}

// --- Three- and four-point slopes -----------------------------------------------------

TEST(Slope3Point, ParabolaSlopeIsExactAtEachOfTheThreePoints)
{
    const double x0 = 0.1, x1 = 0.25, x2 = 0.7;
    for (int k = 0; k < 3; ++k) {
        int code = -99;
        const double xk = k == 0 ? x0 : (k == 1 ? x1 : x2);
        const double s = kx::Slope3Point(x0, x1, x2, Parabola(x0), Parabola(x1), Parabola(x2), k, code);
        EXPECT_NEAR(s, ParabolaSlope(xk), 1e-12) << "k " << k;
        EXPECT_EQ(code, 0);
    }
}

struct SlopeCase {
    const char *name;
    double x0, x1, x2, y0, y1, y2;
    int k;
    double slope;
    int code;
};

TEST(Slope3Point, FallbacksForCoincidentAndUnorderedPoints)
{
    const SlopeCase cases[] = {
        {"x0 = x1: right slope", 1.0, 1.0, 2.0, 5.0, 3.0, 7.0, 1, 4.0, 2},
        {"x1 = x2: left slope", 1.0, 2.0, 2.0, 3.0, 7.0, 9.0, 1, 4.0, 1},
        {"all equal, flat", 1.0, 1.0, 1.0, 2.0, 2.0, 2.0, 1, 0.0, -3},
        {"all equal, rising", 1.0, 1.0, 1.0, 2.0, 2.0, 3.0, 1, 1e38, -4},
        {"all equal, falling", 1.0, 1.0, 1.0, 3.0, 2.0, 2.0, 1, -1e38, -4},
        {"bad k", 0.0, 1.0, 2.0, 0.0, 1.0, 2.0, 7, 0.0, -5},
        // x0 within 1e-5 (relative) of x1, close relative to the other gap.
        {"x0 near x1: right slope", 1000.0, 1000.001, 1010.0, 0.0, 5.0, 25.0, 1, 20.0 / (1010.0 - 1000.001), 2},
        {"x1 near x2: left slope", 990.0, 1000.0, 1000.001, 0.0, 10.0, 99.0, 1, 1.0, 1},
        // x1 outside [x0, x2]: r = 3 / (2 + 3) weights the right slope (-1), the rest the left (1).
        {"unordered, middle", 0.0, 3.0, 1.0, 0.0, 3.0, 5.0, 1, 0.6 * -1.0 + 0.4 * 1.0, 3},
        {"unordered, first", 0.0, 3.0, 1.0, 0.0, 6.0, 2.0, 0, 2.0, 1},
        {"unordered, last", 0.0, 3.0, 1.0, 0.0, 6.0, 2.0, 2, 2.0, 2},
    };
    for (const auto &c : cases) {
        int code = -99;
        const double s = kx::Slope3Point(c.x0, c.x1, c.x2, c.y0, c.y1, c.y2, c.k, code);
        EXPECT_NEAR(s, c.slope, 1e-9 * std::max(1.0, std::fabs(c.slope))) << c.name;
        EXPECT_EQ(code, c.code) << c.name;
    }
}

TEST(EndSlope4Point, ParabolaSlopeIsExactOnIrregularSteps)
{
    const double x[4] = {0.0, 0.1, 0.35, 0.4};
    int code = -99;
    const double s = kx::EndSlope4Point(x[0], x[1], x[2], x[3], Parabola(x[0]), Parabola(x[1]), Parabola(x[2]),
                                        Parabola(x[3]), code);
    EXPECT_NEAR(s, ParabolaSlope(0.0), 1e-12);
    EXPECT_EQ(code, 0);
    // Reversed order gives the slope at the last point.
    const double r = kx::EndSlope4Point(x[3], x[2], x[1], x[0], Parabola(x[3]), Parabola(x[2]), Parabola(x[1]),
                                        Parabola(x[0]), code);
    EXPECT_NEAR(r, ParabolaSlope(0.4), 1e-12);
}

// --- Derivative on any abscissae ------------------------------------------------------

TEST(DerivativeXY, LineAndParabolaAreExactOnIrregularSteps)
{
    std::vector<double> out;
    ASSERT_TRUE(kx::DerivativeXY(kIrregular, Sample(kIrregular, Line), out, kIrregular.size(), 1.0));
    ASSERT_EQ(out.size(), kIrregular.size());
    for (double d : out)
        EXPECT_NEAR(d, 2.0, 1e-9);

    ASSERT_TRUE(kx::DerivativeXY(kIrregular, Sample(kIrregular, Parabola), out, kIrregular.size(), 0.5));
    for (std::size_t i = 0; i < kIrregular.size(); ++i)
        EXPECT_NEAR(out[i], 0.5 * ParabolaSlope(kIrregular[i]), 1e-9) << "i " << i;
}

TEST(DerivativeXY, RepeatedAbscissaStaysFiniteAndClose)
{
    // A repeated time stamp in the middle of a line: every slope must still be the line's.
    const std::vector<double> x{0.0, 0.1, 0.2, 0.3, 0.3, 0.4, 0.5, 0.6, 0.7};
    std::vector<double> out;
    ASSERT_TRUE(kx::DerivativeXY(x, Sample(x, Line), out, x.size(), 1.0));
    for (std::size_t i = 0; i < x.size(); ++i)
        EXPECT_NEAR(out[i], 2.0, 1e-9) << "i " << i;
}

TEST(DerivativeXY, NearlyCoincidentTimeStampsKeepTheParabolaSlope)
{
    // The three-point slopes at 0.3 and 0.3000001 are unreliable; the four-point estimates
    // from either side must carry the exact slope (a plain secant would give -0.5 at 0.3).
    const std::vector<double> x{0.0, 0.1, 0.2, 0.3, 0.3000001, 0.4, 0.5, 0.6, 0.7};
    std::vector<double> out;
    ASSERT_TRUE(kx::DerivativeXY(x, Sample(x, Parabola), out, x.size(), 1.0));
    for (std::size_t i = 0; i < x.size(); ++i)
        EXPECT_NEAR(out[i], ParabolaSlope(x[i]), 1e-6) << i;
}

TEST(DerivativeXY, SlopesAreLimitedTo1e38)
{
    const std::vector<double> x{0.0, 1.0, 2.0, 3.0};
    std::vector<double> out;
    ASSERT_TRUE(kx::DerivativeXY(x, {0.0, 1e300, 2e300, 3e300}, out, 4, 1e300));
    for (double d : out)
        EXPECT_EQ(d, 1e38);
}

TEST(DerivativeXY, RefusesTooFewPointsAndCountsBeyondTheVectors)
{
    std::vector<double> out;
    EXPECT_THROW(kx::DerivativeXY({0, 1, 2}, {0, 1, 2}, out, 3, 1.0), std::logic_error);
    EXPECT_THROW(kx::DerivativeXY({0, 1, 2, 3}, {0, 1, 2}, out, 4, 1.0), std::logic_error);
    EXPECT_THROW(kx::DerivativeXY({0, 1, 2, 3, 4}, {0, 1, 2, 3, 4}, out, 6, 1.0), std::logic_error);
    EXPECT_TRUE(out.empty());
}

// --- Trapezoid integral ---------------------------------------------------------------

TEST(TrapezoidIntegral, ConstantGivesALineThroughTheAnchor)
{
    const auto x = UniformAxis(11, 0.01, -0.03); // time zero at index 3
    std::vector<double> out;
    kx::TrapezoidIntegral(x, std::vector<double>(x.size(), 2.0), out, 3, 5.0, 10.0);
    ASSERT_EQ(out.size(), x.size());
    for (std::size_t i = 0; i < x.size(); ++i)
        EXPECT_NEAR(out[i], 5.0 + 20.0 * x[i], 1e-12);
}

TEST(TrapezoidIntegral, LineIsIntegratedExactlyOnIrregularSteps)
{
    std::vector<double> out;
    kx::TrapezoidIntegral(kIrregular, Sample(kIrregular, Line), out, 0, 0.0, 1.0);
    for (std::size_t i = 0; i < kIrregular.size(); ++i) {
        const double t = kIrregular[i];
        EXPECT_NEAR(out[i], t * t - t, 1e-12);
    }
}

TEST(TrapezoidIntegral, RefusesAnAnchorOutsideAndMismatchedSizes)
{
    std::vector<double> out{7.0};
    EXPECT_THROW(kx::TrapezoidIntegral({0, 1, 2}, {1, 1, 1}, out, 3, 0.0, 1.0), std::logic_error);
    EXPECT_THROW(kx::TrapezoidIntegral({0, 1, 2}, {1, 1}, out, 0, 0.0, 1.0), std::logic_error);
    EXPECT_THROW(kx::TrapezoidIntegral({}, {}, out, 0, 0.0, 1.0), std::logic_error);
    EXPECT_EQ(out, std::vector<double>{7.0});
}

// --- Unit rules -----------------------------------------------------------------------

struct UnitCase {
    const char *x;
    const char *y;
    const char *type;
    const char *units;
    double factor;
};

TEST(DerivativeUnits, NamesQuantityUnitsAndFactor)
{
    const UnitCase cases[] = {
        {"SECONDS", "METERS", "VELOCITY", "KILOMETERS/HOUR", 3.6},
        {"SEC", "MET", "VELOCITY", "KILOMETERS/HOUR", 3.6},
        {"SECOND", "KPH", "ACCELERATION", "G'S", 0.02832545},
        {"SECONDS", "KILOMETERS/HOUR", "ACCELERATION", "G'S", 0.02832545},
        {"SECONDS", "NEWTON-SECONDS", "FORCE", "NEWTONS", 1.0},
        {"SECONDS", "DEGREES/SEC", "ANGULAR ACCELERATION", "DEGREES/SEC**2", 1.0},
        {"SECONDS", "DEGREES", "ANGULAR VELOCITY", "DEGREES/SEC", 1.0},
        {"SECONDS", "MILLIMETERS", "VELOCITY", "KILOMETERS/HOUR", 0.0036},
        {"SECONDS", "FEET", "VELOCITY", "MILES/HOUR", 0.6818181818181818},
        {"SECONDS", "MILES/HOUR", "ACCELERATION", "G'S", 0.04558560406623588},
        {"SECONDS", "RADIANS", "ANGULAR VELOCITY", "RADIANS/SEC", 1.0},
        {"SECONDS", "VOLTS", "UNKNOWN", "VOLTS / SEC", 1.0},
        {"seconds", "METERS", "UNKNOWN", "METERS / seconds", 1.0}, // case-sensitive
        {"MILLIMETERS", "JOULES", "FORCE", "NEWTONS", 1.0},
        {"INCHES", "FOOT-POUNDS", "FORCE", "POUNDS", 1.0},
        {"MILLIMETERS", "NEWTONS", "UNKNOWN", "NEWTONS / MILLIMETERS", 1.0},
    };
    for (const auto &c : cases) {
        double factor = 0.0;
        std::string units, type;
        kx::DerivativeUnits(c.x, c.y, factor, units, type);
        EXPECT_EQ(type, c.type) << c.x << " " << c.y;
        EXPECT_EQ(units, c.units) << c.x << " " << c.y;
        EXPECT_EQ(factor, c.factor) << c.x << " " << c.y;
    }
}

TEST(IntegralUnits, NamesQuantityUnitsAndFactor)
{
    const UnitCase cases[] = {
        {"SECONDS", "KILOMETERS/HOUR", "DISPLACEMENT", "MILLIMETERS", 277.77778},
        {"SEC", "METERS/SEC", "DISPLACEMENT", "MILLIMETERS", 1000.0},
        {"SECONDS", "MILES/HOUR", "DISPLACEMENT", "INCHES", 17.6},
        {"SECONDS", "FEET/SEC", "DISPLACEMENT", "INCHES", 12.0},
        {"SECONDS", "NEWTONS", "IMPULSE", "NEWTON-SECONDS", 1.0},
        {"SECONDS", "POUND-FEET", "ANGULAR IMPULSE", "POUND-FOOT-SECONDS", 1.0},
        {"SECONDS", "RADIANS/SEC**2", "ANGULAR VELOCITY", "RADIANS/SEC", 1.0},
        {"SECONDS", "DEGREES/SEC", "ANGULAR DISPLACEMENT", "DEGREES", 1.0},
        {"SECONDS", "VOLTS", "UNKNOWN x TIME", "VOLTS x SECONDS", 1.0},
        {"METERS", "NEWTONS", "ENERGY", "JOULES", 1.0},
        {"MILLIMETERS", "NEWTONS", "ENERGY", "JOULES", 0.001},
        {"FEET", "POUNDS", "ENERGY", "FOOT-POUNDS", 1.0},
        {"INCHES", "POUNDS", "ENERGY", "FOOT-POUNDS", 0.08333333333333333},
        {"METERS", "POUNDS", "UNKNOWN", "UNKNOWN", 1.0},
        {"DEGREES", "NEWTON-METERS", "UNKNOWN", "DEGREES - NEWTON-METERS", 1.0},
    };
    for (const auto &c : cases) {
        double factor = 0.0, initial = -1.0;
        std::string units, type;
        kx::IntegralUnits(c.x, c.y, 50.0, factor, initial, units, type, "MET");
        EXPECT_EQ(type, c.type) << c.x << " " << c.y;
        EXPECT_EQ(units, c.units) << c.x << " " << c.y;
        EXPECT_EQ(factor, c.factor) << c.x << " " << c.y;
        EXPECT_EQ(initial, 0.0) << c.x << " " << c.y;
    }
}

TEST(IntegralUnits, GsBecomeVelocityInTheHeadersUnitSystem)
{
    struct Case {
        const char *dimsys;
        const char *units;
        double factor;
    } cases[] = {{"MET", "KILOMETERS/HOUR", 35.30394},
                 {"", "KILOMETERS/HOUR", 35.30394},
                 {"ENG", "MILES/HOUR", 21.93675},
                 {"ENGLISH", "MILES/HOUR", 21.93675},
                 {"eng", "KILOMETERS/HOUR", 35.30394}};
    for (const auto &c : cases) {
        double factor = 0.0, initial = 0.0;
        std::string units, type;
        kx::IntegralUnits("SECONDS", "G'S", 48.3, factor, initial, units, type, c.dimsys);
        EXPECT_EQ(type, "VELOCITY");
        EXPECT_EQ(units, c.units) << c.dimsys;
        EXPECT_EQ(factor, c.factor) << c.dimsys;
        EXPECT_EQ(initial, 48.3);
    }
}

// --- Signal operations ----------------------------------------------------------------

// A constant-step signal with Y in the given units over X in seconds.
void Fill(kx::CData &s, const std::vector<double> &y, double del, int nfp, const char *yUnits)
{
    s.SetDel(del);
    s.SetNFP(nfp);
    s.SetNLP(nfp + static_cast<int>(y.size()) - 1);
    s.SetXUnits("SECONDS");
    s.SetYUnits(yUnits);
    s.SetYData(y);
    s.SetModified(false);
}

// Everything an operation may change, to check that a refused one changed nothing.
struct Snapshot {
    explicit Snapshot(const kx::CData &s)
        : x(s.GetX())
        , y(s.GetY())
        , yUnits(s.GetYUnits())
        , sensor(s.GetSensorType())
        , modified(s.IsModified())
    {}
    bool operator==(const Snapshot &) const = default;
    std::vector<double> x, y;
    std::string yUnits, sensor;
    bool modified;
};

TEST(Integrate, OneGForATenthOfASecond)
{
    struct Case {
        const char *dimsys;
        double end;
        const char *units;
    } cases[] = {{"MET", 3.530394, "KILOMETERS/HOUR"}, {"ENG", 2.193675, "MILES/HOUR"}};
    for (const auto &c : cases) {
        kx::CData s;
        s.SetDimSys(c.dimsys);
        Fill(s, std::vector<double>(101, 1.0), 0.001, 0, "G'S");
        ASSERT_TRUE(s.Integrate());
        EXPECT_NEAR(s.GetY().front(), 0.0, 1e-12);
        EXPECT_NEAR(s.GetY().back(), c.end, 1e-9) << c.dimsys;
        EXPECT_EQ(s.GetYUnits(), c.units);
        EXPECT_EQ(s.GetSensorType(), "VELOCITY");
        EXPECT_TRUE(s.IsModified());
        EXPECT_NEAR(s.GetYMax(), c.end, 1e-9);
    }
}

TEST(Integrate, StartsAtTimeZeroWithTheInitialVelocity)
{
    // 0.1 s before and after time zero; the initial velocity belongs to sample 100.
    kx::CData s;
    s.SetIniVel(48.0);
    Fill(s, std::vector<double>(201, -2.0), 0.001, -100, "G'S");
    ASSERT_TRUE(s.Integrate());
    const auto &v = s.GetY();
    EXPECT_EQ(v[100], 48.0);
    EXPECT_NEAR(v[200], 48.0 - 2.0 * 3.530394, 1e-9);
    EXPECT_NEAR(v[0], 48.0 + 2.0 * 3.530394, 1e-9);
    EXPECT_EQ(s.GetNFP(), -100);
}

TEST(Integrate, DisplacementFromVelocityOverIrregularTime)
{
    // v = 36 km/h is 10 m/s: 10 mm per millisecond, whatever the spacing.
    kx::CData s;
    s.SetXUnits("SEC");
    s.SetYUnits("KILOMETERS/HOUR");
    s.SetDel(0.0);
    s.SetNFP(0);
    s.SetNLP(4);
    s.SetXYData({0.0, 0.001, 0.0015, 0.004, 0.01}, std::vector<double>(5, 36.0));
    ASSERT_TRUE(s.Integrate());
    EXPECT_EQ(s.GetYUnits(), "MILLIMETERS");
    EXPECT_EQ(s.GetSensorType(), "DISPLACEMENT");
    EXPECT_NEAR(s.GetY()[4], 100.0, 1e-4); // the factor 277.77778 is rounded
    EXPECT_NEAR(s.GetY()[2], 15.0, 1e-5);
}

TEST(Integrate, RefusalsLeaveTheSignalAsItWas)
{
    struct Case {
        int nfp;
        std::size_t n;
        const char *text;
    } cases[] = {
        {0, 3, "Too few data points to compute an Integral"},
        // Time zero lies beyond the last sample.
        {-10, 5, "Time zero is outside the data points; the integral has no start"},
        {-2000000000, 5, "Time zero is outside the data points; the integral has no start"},
    };
    for (const auto &c : cases) {
        kx::CData s;
        Fill(s, std::vector<double>(c.n, 1.0), 0.001, c.nfp, "G'S");
        const Snapshot before(s);
        try {
            s.Integrate();
            FAIL() << c.text;
        } catch (const std::logic_error &e) {
            EXPECT_STREQ(e.what(), c.text);
        }
        EXPECT_TRUE(Snapshot(s) == before) << c.text;
    }

    // Point numbers promise samples the signal does not hold.
    kx::CData empty;
    empty.SetNFP(1);
    empty.SetNLP(10);
    try {
        empty.Integrate();
        FAIL() << "no samples";
    } catch (const std::logic_error &e) {
        EXPECT_STREQ(e.what(), "X or Y data is empty.");
    }
    EXPECT_TRUE(empty.GetY().empty());
    EXPECT_FALSE(empty.IsModified());
}

TEST(Differentiate, MetersOverSecondsBecomeKilometresPerHour)
{
    kx::CData s;
    const auto x = UniformAxis(20, 0.001);
    Fill(s, Sample(x, Line), 0.001, 0, "METERS");
    ASSERT_TRUE(s.Differentiate());
    for (double v : s.GetY())
        EXPECT_NEAR(v, 7.2, 1e-9);
    EXPECT_EQ(s.GetYUnits(), "KILOMETERS/HOUR");
    EXPECT_EQ(s.GetSensorType(), "VELOCITY");
    EXPECT_TRUE(s.IsModified());
    EXPECT_NEAR(s.GetYMin(), 7.2, 1e-9);
}

TEST(Differentiate, UnknownUnitsAndAParabola)
{
    kx::CData s;
    const auto x = UniformAxis(30, 0.01, -0.1);
    Fill(s, Sample(x, Parabola), 0.01, -10, "VOLTS");
    ASSERT_TRUE(s.Differentiate());
    EXPECT_EQ(s.GetYUnits(), "VOLTS / SEC");
    EXPECT_EQ(s.GetSensorType(), "UNKNOWN");
    for (std::size_t i = 0; i < x.size(); ++i)
        EXPECT_NEAR(s.GetY()[i], ParabolaSlope(x[i]), 1e-9) << i;
}

TEST(Differentiate, IrregularTimeUsesTheXYRule)
{
    kx::CData s;
    s.SetDel(0.0);
    s.SetNFP(0);
    s.SetNLP(static_cast<int>(kIrregular.size()) - 1);
    s.SetXUnits("SECONDS");
    s.SetYUnits("MILLIMETERS");
    s.SetXYData(kIrregular, Sample(kIrregular, Parabola));
    ASSERT_TRUE(s.Differentiate());
    EXPECT_EQ(s.GetYUnits(), "KILOMETERS/HOUR");
    for (std::size_t i = 0; i < kIrregular.size(); ++i)
        EXPECT_NEAR(s.GetY()[i], 0.0036 * ParabolaSlope(kIrregular[i]), 1e-9) << i;
}

TEST(Differentiate, TooFewSamplesLeaveTheSignalAsItWas)
{
    for (std::size_t n : {1u, 2u, 3u}) {
        for (double del : {0.001, 0.0}) {
            kx::CData s;
            s.SetDel(del);
            s.SetNFP(0);
            s.SetNLP(static_cast<int>(n) - 1);
            s.SetYUnits("METERS");
            s.SetXYData(UniformAxis(n, 0.001), std::vector<double>(n, 1.0));
            s.SetModified(false);
            const Snapshot before(s);
            try {
                s.Differentiate();
                FAIL() << n;
            } catch (const std::logic_error &e) {
                EXPECT_STREQ(e.what(), "Too few data points to compute a derivative");
            }
            EXPECT_TRUE(Snapshot(s) == before) << n;
        }
    }
}

} // namespace
