#include "signal/FilterKernels.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace kx {

namespace {

const char *const kCutoffAboveNyquist = "Filter cutoff freq must be < (sample rate) / 2";

// y[i] = sum b[k] x[i-k] - sum a[k] y[i-k] (k >= 1 for a), from index N on; the first N
// outputs are the inputs.
template <int N>
void ForwardSweep(std::vector<double> &y, const std::array<double, N + 1> &b, const std::array<double, N + 1> &a)
{
    const std::size_t n = y.size();
    if (n <= static_cast<std::size_t>(N))
        return;
    std::array<double, N + 1> xs{}; // xs[k] = x[i - k]
    std::array<double, N + 1> ys{}; // ys[k] = y[i - k]
    for (int k = 1; k <= N; ++k) {
        xs[k] = y[N - k];
        ys[k] = y[N - k];
    }
    for (std::size_t i = N; i < n; ++i) {
        xs[0] = y[i];
        double v = 0.0;
        for (int k = 0; k <= N; ++k)
            v += b[k] * xs[k];
        // The newest output enters last: the loop-carried chain is one multiply and one add.
        for (int k = N; k >= 1; --k)
            v -= a[k] * ys[k];
        y[i] = v;
        for (int k = N; k >= 1; --k) {
            xs[k] = xs[k - 1];
            ys[k] = k > 1 ? ys[k - 1] : v;
        }
    }
}

template <int N>
void RunPass(std::vector<double> &y, const std::array<double, N + 1> &b, const std::array<double, N + 1> &a, int mode)
{
    if (y.size() <= static_cast<std::size_t>(N))
        return;
    if (mode != PassMode::Backward)
        ForwardSweep<N>(y, b, a);
    if (mode != PassMode::Forward) {
        std::reverse(y.begin(), y.end());
        ForwardSweep<N>(y, b, a);
        std::reverse(y.begin(), y.end());
    }
}

template <int N>
void Normalise(std::array<double, N + 1> &b, std::array<double, N + 1> &a)
{
    const double d = a[0];
    for (double &v : b)
        v /= d;
    for (double &v : a)
        v /= d;
}

void Cascade(std::vector<double> &y, int poles, double C, int mode)
{
    switch (poles) {
    case 1:
        Butterworth1Pole(y, C, mode);
        break;
    case 2:
        Butterworth2Pole(y, C, mode);
        break;
    case 3:
        Butterworth3Pole(y, C, mode);
        break;
    case 4:
        Butterworth4Pole(y, C, mode);
        break;
    case 5:
        Cascade(y, 3, C, mode);
        Cascade(y, 2, C, mode);
        break;
    case 6:
        Cascade(y, 3, C, mode);
        Cascade(y, 3, C, mode);
        break;
    case 7:
        Cascade(y, 4, C, mode);
        Cascade(y, 3, C, mode);
        break;
    case 8:
        Cascade(y, 4, C, mode);
        Cascade(y, 4, C, mode);
        break;
    case 9:
        Cascade(y, 3, C, mode);
        Cascade(y, 6, C, mode);
        break;
    case 10:
        Cascade(y, 4, C, mode);
        Cascade(y, 6, C, mode);
        break;
    case 11:
        Cascade(y, 4, C, mode);
        Cascade(y, 7, C, mode);
        break;
    case 12:
        Cascade(y, 4, C, mode);
        Cascade(y, 8, C, mode);
        break;
    default:
        break;
    }
}

} // namespace

void Butterworth1Pole(std::vector<double> &y, double C, int mode)
{
    std::array<double, 2> b{1.0, 1.0};
    std::array<double, 2> a{1.0 + C, 1.0 - C};
    Normalise<1>(b, a);
    RunPass<1>(y, b, a, mode);
}

void Butterworth2Pole(std::vector<double> &y, double C, int mode)
{
    const double s2 = std::sqrt(2.0);
    const double c2 = C * C;
    std::array<double, 3> b{1.0, 2.0, 1.0};
    std::array<double, 3> a{1.0 + s2 * C + c2, 2.0 - 2.0 * c2, 1.0 - s2 * C + c2};
    Normalise<2>(b, a);
    RunPass<2>(y, b, a, mode);
}

void Butterworth3Pole(std::vector<double> &y, double C, int mode)
{
    const double c2 = C * C;
    const double c3 = c2 * C;
    std::array<double, 4> b{1.0, 3.0, 3.0, 1.0};
    std::array<double, 4> a{1.0 + 2.0 * C + 2.0 * c2 + c3, 3.0 + 2.0 * C - 2.0 * c2 - 3.0 * c3,
                            3.0 - 2.0 * C - 2.0 * c2 + 3.0 * c3, 1.0 - 2.0 * C + 2.0 * c2 - c3};
    Normalise<3>(b, a);
    RunPass<3>(y, b, a, mode);
}

void Butterworth4Pole(std::vector<double> &y, double C, int mode)
{
    const double c2 = C * C;
    const double c3 = c2 * C;
    const double c4 = c3 * C;
    std::array<double, 5> b{1.0, 4.0, 6.0, 4.0, 1.0};
    std::array<double, 5> a{1.0 + 2.6131259 * C + 3.4142136 * c2 + 2.6131259 * c3 + c4,
                            4.0 + 5.2262518 * C - 5.2262518 * c3 - 4.0 * c4, 6.0 - 6.8284272 * c2 + 6.0 * c4,
                            4.0 - 5.2262518 * C + 5.2262518 * c3 - 4.0 * c4,
                            1.0 - 2.6131259 * C + 3.4142136 * c2 - 2.6131259 * c3 + c4};
    Normalise<4>(b, a);
    RunPass<4>(y, b, a, mode);
}

void ButterworthDesign(std::vector<double> &y, double dt, double fc, double attenuationDb, int mode, double fStop)
{
    const double order = std::trunc(0.5 - attenuationDb / (20.0 * std::log10(fStop / fc)));
    // Beyond a few hundred poles the request is nonsense (fStop next to fc).
    if (!(order >= 0.0) || order > 1000.0)
        throw std::logic_error("Invalid Number of poles for Filtering");
    int poles = static_cast<int>(order);
    if (mode != PassMode::Forward && mode != PassMode::Backward)
        poles = (poles + 1) / 2;
    if (poles == 0)
        return;
    if (!(fc > 0.0))
        throw std::logic_error("Nonpositive Cutoff Frequency");
    // The cotangent turns at pi/2: a cutoff at or above half the sample rate has no filter.
    if (!(dt > 0.0) || !(fc * dt < 0.5))
        throw std::logic_error(kCutoffAboveNyquist);

    const double w = std::numbers::pi * fc * dt;
    const double C = std::cos(w) / std::sin(w);
    if (poles > 12) {
        const int fours = (poles - 13) / 4 + 1;
        for (int i = 0; i < fours; ++i)
            Butterworth4Pole(y, C, mode);
        poles -= 4 * fours;
    }
    Cascade(y, poles, C, mode);
}

const std::array<double, 25> kFir100Coefficients{
    0.00209983, 0.00129339,  0.00065168, -0.00085462, -0.00290368, -0.0047466,  -0.00539656, -0.00400504, -0.00031044,
    0.00502427, 0.0103673,   0.0134779,  0.012237,    0.00555978,  -0.00587902, -0.019247,   -0.0300166,  -0.0329821,
    -0.0237764, -0.00039844, 0.0357488,  0.0797111,   0.123853,    0.15960801,  0.17961};

bool Fir100Filter(std::vector<double> &data, std::vector<double> &work, int n, double dt)
{
    if (!(dt > 0.0) || 0.5 / dt <= 100.0)
        throw std::logic_error(kCutoffAboveNyquist);
    constexpr int kHalf = 25;
    if (n < kHalf || static_cast<std::size_t>(n) > data.size())
        throw std::logic_error("Too few data points for the FIR100 filter (at least 25 needed)");
    const std::size_t count = static_cast<std::size_t>(n);
    if (work.size() < count + 2 * kHalf)
        work.resize(count + 2 * kHalf);

    for (std::size_t i = 0; i < count; ++i)
        work[kHalf + i] = data[i];
    const double first = data[0];
    const double last = data[count - 1];
    for (std::size_t k = 0; k < kHalf; ++k) {
        work[kHalf - 1 - k] = 2.0 * first - data[k];
        work[count + kHalf + k] = 2.0 * last - data[count - 1 - k];
    }
    // Tap by tap over blocks of outputs (each sum still adds its taps in order j = 0 .. 24),
    // which lets the compiler vectorise over i while the block stays in cache.
    constexpr std::size_t kBlock = 256;
    std::array<double, kBlock> sum{};
    for (std::size_t i0 = 0; i0 < count; i0 += kBlock) {
        const std::size_t m = std::min(kBlock, count - i0);
        std::fill(sum.begin(), sum.begin() + m, 0.0);
        for (std::size_t j = 0; j < kHalf; ++j) {
            const double a = kFir100Coefficients[j];
            const double *lo = work.data() + i0 + j;
            const double *hi = work.data() + i0 + 2 * kHalf - 1 - j;
            for (std::size_t i = 0; i < m; ++i)
                sum[i] += a * (lo[i] + hi[i]);
        }
        std::copy(sum.begin(), sum.begin() + m, data.begin() + static_cast<std::ptrdiff_t>(i0));
    }
    return true;
}

namespace {

// One pass of the J211 recursion over the extended record. get(k) is the sample k steps
// from the start in the pass direction (k = 0 .. n-1), and the reflection about it
// supplies the samples before the start.
struct J211Coefficients {
    double a0, a1, a2, b1, b2;
};

// The newest output enters last, so the loop-carried chain is one multiply and one add.
inline double Step(const J211Coefficients &c, double x, double xm1, double xm2, double ym1, double ym2)
{
    return c.a0 * x + c.a1 * xm1 + c.a2 * xm2 + c.b2 * ym2 + c.b1 * ym1;
}

template <typename At>
void J211Pass(At at, std::size_t n, std::size_t nt, const J211Coefficients &c)
{
    const double y0 = at(0);
    auto reflected = [&](std::size_t k) { return 2.0 * y0 - at(k); };

    double mean = 0.0;
    for (std::size_t k = nt / 2 + 1; k <= nt; ++k)
        mean += at(k);
    mean /= static_cast<double>(nt - nt / 2);
    double ym1 = 2.0 * y0 - mean;
    double ym2 = ym1;
    double xm2 = reflected(nt);
    double xm1 = reflected(nt - 1);

    // Warm-up over the reflected samples nt-2 .. 1.
    for (std::size_t k = nt - 1; k-- > 1;) {
        const double x = reflected(k);
        const double v = Step(c, x, xm1, xm2, ym1, ym2);
        xm2 = xm1;
        xm1 = x;
        ym2 = ym1;
        ym1 = v;
    }
    for (std::size_t i = 0; i < n; ++i) {
        double &s = at(i);
        const double x = s;
        const double v = Step(c, x, xm1, xm2, ym1, ym2);
        s = v;
        xm2 = xm1;
        xm1 = x;
        ym2 = ym1;
        ym1 = v;
    }
}

} // namespace

bool ButterworthJ211Kernel(std::vector<double> &y, double dt, double f3dB, std::vector<std::string> &warnings)
{
    const std::size_t n = y.size();
    if (n == 0)
        throw std::logic_error("Nonpositive number of Data Points");
    if (!(dt > 0.0))
        throw std::logic_error("Nonpositive time step");
    if (!(f3dB > 0.0))
        throw std::logic_error("Nonpositive Cutoff Frequency");
    if (f3dB > 0.775 * (0.5 / dt))
        return true;
    // The reflected extensions need two samples besides the first.
    if (n < 3)
        throw std::logic_error("Too few data points to filter (at least 3 needed)");

    const double wd = 6.2831853 * 1.2465 * f3dB;
    const double half = wd * dt / 2.0;
    const double wa = std::sin(half) / std::cos(half);
    const double sqrt2 = std::sqrt(2.0);
    const double d = 1.0 + sqrt2 * wa + wa * wa;
    J211Coefficients c{};
    c.a0 = wa * wa / d;
    c.a1 = 2.0 * c.a0;
    c.a2 = c.a0;
    c.b1 = -2.0 * (wa * wa - 1.0) / d;
    c.b2 = (-1.0 + sqrt2 * wa - wa * wa) / d;

    // Extension length in samples: at least 10 ms, longer for low frequencies.
    const double m = std::min(f3dB * 0.01, 1.0);
    const double byFrequency = std::trunc(0.01 / (m * dt) + 0.5);
    const double byTime = std::trunc(0.01 / dt + 0.5);
    const double wanted = std::max(1.0, std::max(byFrequency, byTime));
    std::size_t nt = 0;
    if (wanted > static_cast<double>(n - 2)) {
        warnings.emplace_back("BWFILT tail length < 10 ms, does not satisfy SAE J211 reccomendation");
        nt = n - 2;
    } else {
        nt = static_cast<std::size_t>(wanted);
    }

    double *data = y.data();
    J211Pass([data](std::size_t k) -> double & { return data[k]; }, n, nt, c);
    double *end = data + n - 1;
    J211Pass([end](std::size_t k) -> double & { return *(end - k); }, n, nt, c);
    return true;
}

} // namespace kx
