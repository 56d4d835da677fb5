#pragma once
// Response surface of the HIC: the HIC of every window of a set of lengths, started at
// a set of times, on the same running integral of |a| as the HIC search. The integral
// is built in one pass over the samples and kept only where a window starts or ends,
// so the memory follows the surface, not the record.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace hic {

// Start times and window lengths of a surface, in seconds.
struct SurfaceParams {
    double startFrom = 0.0;
    double startTo = 0.0;
    double startEvery = 0.0;
    double windowFrom = 0.0;
    double windowTo = 0.0;
    double windowEvery = 0.0;
};

struct SurfaceResult {
    int starts = 0;             // values per row
    int windows = 0;            // rows, one per window length
    std::vector<double> values; // row-major, windows * starts, divided by factor
    double maximum = 0.0;       // largest value before the division
    double factor = 1.0;        // power of ten the values were divided by
};

class CHicSurface {
public:
    // Values drawn on the surface stay at or below this after the division.
    static constexpr double kContourLimit = 1600.0;
    // Largest surface held in memory (values).
    static constexpr std::size_t kMaxValues = 20'000'000;

    // Told the share of the work done (0 to 1) now and then; false stops the work.
    using Progress = std::function<bool(double done)>;
    enum class Outcome { Done, Refused, Cancelled };

    // The constant-step resultant: Y samples (read, not copied: they must outlive this
    // object), time step (s) and first point number. Throws std::logic_error("Del = 0.0
    // is unacceptable.") for a step that is not positive.
    CHicSurface(std::span<const double> y, double dt, std::int32_t nfp);
    CHicSurface(std::vector<double> &&, double, std::int32_t) = delete;

    double FirstTime() const { return static_cast<double>(m_nfp) * m_dt; }
    double LastTime() const { return static_cast<double>(m_nfp + m_last) * m_dt; }

    // HIC of the windows of length window (s) starting at from, from + every, ... before
    // to, into out[0..count) (entries past the last window that fits are left alone).
    // False with the reason in error when the times lie outside the record.
    bool Row(double from, double to, double every, double window, double *out, std::size_t count,
             std::string &error) const;

    // Every row, the maximum and the contour factor in one pass over the samples. A
    // refusal sets error; a cancelled run leaves result as it was.
    Outcome Run(const SurfaceParams &params, SurfaceResult &result, std::string &error,
                const Progress &progress = {}) const;
    bool Compute(const SurfaceParams &params, SurfaceResult &result, std::string &error) const
    {
        return Run(params, result, error) == Outcome::Done;
    }

    // nearest((to - from) / every), 0 for an empty or unusable range.
    static int Count(double from, double to, double every);
    // The power of ten the surface is divided by: 1 up to the limit; above it one tenth of
    // the first power of ten reaching trunc(maximum / limit), and 1 at least.
    static double ContourFactor(double maximum);

private:
    // The windows of one row: n samples long, starting at first, first + step, ...
    // (count of them), their values going to out.
    struct RowPlan {
        std::int64_t n = 0;
        std::int64_t first = 0;
        std::int64_t step = 1;
        std::int64_t count = 0;
        double *out = nullptr;
    };

    std::int64_t Index(double time) const;
    bool CheckTimes(double from, double to, std::string &error) const;
    RowPlan Plan(double from, double to, double every, double window, double *out, std::size_t count) const;
    // One pass over the samples fills every row; false when progress stopped it.
    bool Fill(std::vector<RowPlan> &rows, const Progress &progress) const;

    std::span<const double> m_y;
    double m_dt = 0.0;
    std::int32_t m_nfp = 0;
    std::int64_t m_last = 0; // index of the last sample
};

} // namespace hic
