#include "HIC/core/KxHicCriteria.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>
#include <utility>

#include "signal/CNSignal.h"
#include "signal/TimeStep.h"

namespace {

using Index = std::int64_t;

// A block of candidate pairs: start range and end range, each coded for the block
// size h of its pass (code > 0: indices code..code+h; code <= 0: -code..-code+h-1).
struct Block {
    Index starts;
    Index ends;
};

void Decode(Index code, Index h, Index &lo, Index &hi)
{
    if (code > 0) {
        lo = code;
        hi = code + h;
    } else {
        lo = -code;
        hi = -code + h - 1;
    }
}

// Code of a range of count indices beginning at begin, for block size h.
Index Encode(Index begin, Index count, Index h)
{
    return count == h + 1 ? begin : -begin;
}

// State of one branch-and-bound search on the running integral c.
class Search {
public:
    Search(const std::vector<double> &c, double amax, Index window, Index longest)
        : m_c(c)
        , m_amax(amax)
        , m_window(window)
    {
        // d^-0.6 for every interval length the window allows.
        m_scale.resize(static_cast<std::size_t>(std::min(window, longest)) + 1, 0.0);
        for (std::size_t d = 1; d < m_scale.size(); ++d) {
            m_scale[d] = std::pow(static_cast<double>(d), -0.6);
        }
    }

    double Best() const { return m_best; }
    Index BestStart() const { return m_i1; }
    Index BestEnd() const { return m_i2; }
    void SetBestPair(Index i1, Index i2)
    {
        m_i1 = i1;
        m_i2 = i2;
    }

    void Run(Index first, Index last)
    {
        // Only the used part of the lists is ever touched, so they are left uninitialised.
        const std::size_t capacity = static_cast<std::size_t>(2 * last);
        std::unique_ptr<Block[]> current = std::make_unique_for_overwrite<Block[]>(capacity + 1);
        std::unique_ptr<Block[]> next = std::make_unique_for_overwrite<Block[]>(capacity + 1);
        Index h = last - first;
        current[0] = Block{-first, -(first + 1)};
        std::size_t count = 1;
        while (count > 0) {
            std::size_t appended = 0;
            for (std::size_t k = 0; k < count; ++k)
                Pass(current[k], h, capacity, next.get(), appended);
            std::swap(current, next);
            count = appended;
            h /= 2;
        }
    }

private:
    double Scale(Index d) const
    {
        return d < static_cast<Index>(m_scale.size()) ? m_scale[d] : std::pow(static_cast<double>(d), -0.6);
    }

    double Value(Index i, Index j) const { return (m_c[j] - m_c[i]) * Scale(j - i); }

    // Keeps (i, j) when its value beats the best; shorter intervals than
    // (best / amax)^2.5 samples can then no longer win.
    void Offer(Index i, Index j, double value)
    {
        if (value <= m_best)
            return;
        m_best = value;
        m_i1 = i;
        m_i2 = j;
        const double b = std::pow(m_best / m_amax, 2.5);
        const double up = std::trunc(b + 1.0);
        const Index ceiling = static_cast<Index>(up) + static_cast<Index>(std::trunc(b - up));
        m_lmin = std::max(m_lmin, ceiling);
    }

    void Pass(const Block &block, Index h, std::size_t capacity, Block *next, std::size_t &appended)
    {
        Index imin = 0, imax = 0, jmin = 0, jmax = 0;
        Decode(block.starts, h, imin, imax);
        Decode(block.ends, h, jmin, jmax);
        if (jmax - imin < m_lmin || jmin - imax > m_window)
            return;
        if (imin == imax && jmin == jmax) {
            Offer(imin, jmax, Value(imin, jmax));
            return;
        }
        const Index shortest = std::max(jmin - imax, m_lmin);
        const double bound = Scale(shortest) * (m_c[jmax] - m_c[imin]);
        if (bound <= m_best)
            return;
        if (jmax - imax > m_window) {
            Offer(imax, imax + m_window, Value(imax, imax + m_window));
        } else {
            const Index i = std::max(jmax - m_window, imin);
            Offer(i, jmax, Value(i, jmax));
        }
        if (capacity < appended + 4 || h < 10) {
            Exhaustive(imin, imax, jmin, jmax);
            return;
        }
        const Index hs = imax - imin;
        const Index he = jmax - jmin;
        const Index half = h / 2;
        const Index startUpper = imax - hs / 2;
        const Index endUpper = jmax - he / 2;
        const Index upperStarts = Encode(startUpper, hs / 2 + 1, half);
        const Index lowerStarts = Encode(imin, startUpper - imin, half);
        const Index upperEnds = Encode(endUpper, he / 2 + 1, half);
        const Index lowerEnds = Encode(jmin, endUpper - jmin, half);
        next[appended++] = Block{upperStarts, upperEnds};
        if (hs > 0)
            next[appended++] = Block{lowerStarts, upperEnds};
        if (he > 0 && hs > 0)
            next[appended++] = Block{lowerStarts, lowerEnds};
        if (he > 0)
            next[appended++] = Block{upperStarts, lowerEnds};
    }

    // Every interval length of the block, the best start for each.
    void Exhaustive(Index imin, Index imax, Index jmin, Index jmax)
    {
        const Index dmax = std::min(jmax - imin, m_window);
        for (Index d = std::max(m_lmin, jmin - imax); d <= dmax; ++d) {
            const Index from = std::max(imin, jmin - d);
            const Index to = std::min(imax, jmax - d);
            double rise = 0.0;
            Index at = -1;
            for (Index i = from; i <= to; ++i) {
                const double r = m_c[i + d] - m_c[i];
                if (r > rise) {
                    rise = r;
                    at = i;
                }
            }
            if (at >= 0)
                Offer(at, at + d, rise * Scale(d));
        }
    }

    const std::vector<double> &m_c;
    std::vector<double> m_scale;
    double m_amax;
    Index m_window;
    double m_best = 0.0;
    Index m_lmin = 1;
    Index m_i1 = 0;
    Index m_i2 = 0;
};

bool IsSecondsUnits(const std::string &text)
{
    return text == "SECONDS" || text == "SECOND" || text == "SEC";
}

} // namespace

KxHicCriteria::KxHicCriteria() = default;

std::int64_t KxHicCriteria::WindowSamples(double windowMs, double dt, std::int64_t last)
{
    if (windowMs > 0.0) {
        const double samples = std::trunc(windowMs / (dt * 1000.0) * 1.0000001);
        // Not a number, or a negative step: no window at all.
        if (!(samples >= 0.0))
            return 0;
        // Beyond any record (and beyond the integer range): no limit.
        if (samples >= 9007199254740992.0)
            return last + 1;
        return static_cast<std::int64_t>(samples);
    }
    return last + 1;
}

double KxHicCriteria::RunningIntegral(const std::vector<double> &a, std::int64_t first, std::int64_t last,
                                      std::vector<double> &c)
{
    c.assign(static_cast<std::size_t>(last) + 1, 0.0);
    double amax = std::fabs(a[first]);
    for (Index i = first + 1; i <= last; ++i) {
        c[i] = c[i - 1] + (std::fabs(a[i]) + std::fabs(a[i - 1])) * 0.5;
        amax = std::max(amax, std::fabs(a[i]));
    }
    return amax;
}

bool KxHicCriteria::HicSearch(const std::vector<double> &a, std::int64_t first, std::int64_t last, double windowMs,
                              double dt, SearchResult &result)
{
    result = SearchResult{};
    if (!(dt > 0.0))
        return false;
    if (first < 0 || first > last || last >= static_cast<std::int64_t>(a.size()))
        return false;
    const Index window = WindowSamples(windowMs, dt, last);
    if (window < 1)
        return false;

    std::vector<double> c;
    const double amax = RunningIntegral(a, first, last, c);

    Search search(c, amax, window, last - first);
    search.SetBestPair(first, first);
    if (first < last && amax > 0.0)
        search.Run(first, last);

    result.hic = std::pow(search.Best(), 2.5) * dt;
    result.i1 = search.BestStart();
    result.i2 = search.BestEnd();
    if (first < 1) {
        result.t1 = static_cast<double>(result.i1) * dt * 1000.0;
        result.t2 = static_cast<double>(result.i2) * dt * 1000.0;
    } else {
        result.t1 = static_cast<double>(result.i1 - first) * dt * 1000.0;
        result.t2 = static_cast<double>(result.i2 - first) * dt * 1000.0;
    }
    return true;
}

bool KxHicCriteria::CheckHicSignal(const kx::CNSignal &signal)
{
    // The file is named: a resultant may have been made from another file's times.
    const std::string &path = signal.GetPathName().empty() ? signal.GetFileName() : signal.GetPathName();
    const std::string file = path.empty() ? std::string() : path + ": ";
    if (kx::TimesGoBackwards(signal.GetX())) {
        AddMessage(file + "HIC - " + kx::kTimesNotIncreasing);
        return false;
    }
    if (!(signal.GetDel() > 0.0) || !std::isfinite(signal.GetDel())) {
        AddMessage(file + "HIC - Invalid Time Step, must have constant time increment - " + kx::kNoConstantStep);
        return false;
    }
    bool result = true;
    if (signal.GetXType() != "TIME")
        AddMessage("HIC - UDS must have X Type TIME");
    if (!IsSecondsUnits(signal.GetXUnits()))
        AddMessage("HIC - UDS xUnits not SECONDS");
    const std::int32_t nfp = signal.GetNFP();
    const std::int32_t nlp = signal.GetNLP();
    if (nfp > 0 || nlp < 0)
        AddMessage("HIC - NonStandard X-Axis Span");
    // The search needs time zero inside the record and at least two samples.
    if (nlp < 0 || signal.GetNumberOfPoints() < 2) {
        if (!(nfp > 0 || nlp < 0))
            AddMessage("HIC - NonStandard X-Axis Span");
        result = false;
    }
    const std::string &axis = signal.GetAxis();
    if (axis != "RS" && axis != "RESULTANT")
        AddMessage("HIC -  requires Resultant data(axis RS)");
    const std::string &attachment = signal.GetSenAtt();
    if (attachment == "HDCG" || attachment == "HEAD CG") {
    } else if (attachment == "HD90" || attachment == "HEAD 9 ARRAY - CENTER" || attachment == "HD9X" ||
               attachment == "HEAD 9 ARRAY - X ARM" || attachment == "HD9Y" || attachment == "HEAD 9 ARRAY - Y ARM" ||
               attachment == "HD9Z" || attachment == "HEAD 9 ARRAY - Z ARM") {
        AddMessage("HIC - Warning NAP accelerometer may not be at Head CG");
    } else {
        AddMessage("HIC - UDS sensor Attachment not on HEAD");
    }
    if (signal.GetYUnits() != "G'S")
        AddMessage("HIC - UDS Y Units not G'S");
    if (signal.GetFCut() != 0.0 && signal.GetFilterClass() != 1000) {
        AddMessage("HIC - UDS data must be Class 1000");
    }
    return result;
}

bool KxHicCriteria::Compute(kx::CNSignal &signal, double windowMs)
{
    // A run never reports the interval of an earlier one.
    m_value = 0.0;
    m_t1 = 0.0;
    m_t2 = 0.0;
    bool result = CheckHicSignal(signal);
    m_window = windowMs;
    const bool dummyKnown = SetDummy(signal.GetOccupant1Type(), signal.GetOccupant1Size());
    result = result && dummyKnown;
    // A non-finite sample would make every window's value meaningless.
    if (!CheckFiniteSamples(signal, "HIC - "))
        return false;
    try {
        ApplyTimeWindow(signal);
        if (result) {
            const std::int32_t nfp = signal.GetNFP();
            const double dt = signal.GetDel();
            const std::vector<double> &y = signal.GetY();
            const std::int64_t first = nfp < 0 ? -static_cast<std::int64_t>(nfp) : 0;
            const std::int64_t last = static_cast<std::int64_t>(signal.GetNumberOfPoints()) - 1;
            if (signal.GetNLP() < 0 || first > last || last >= static_cast<std::int64_t>(y.size())) {
                AddMessage("HIC - NonStandard X-Axis Span");
                return false;
            }
            if (WindowSamples(windowMs, dt, last) < 1) {
                AddMessage("HIC - Window is shorter than one time step");
                return false;
            }
            SearchResult found;
            const bool searched = HicSearch(y, first, last, windowMs, dt, found);
            result = result && searched;
            if (searched) {
                m_value = found.hic;
                m_t1 = found.t1;
                m_t2 = found.t2;
                if (nfp >= 1) {
                    const double shift = static_cast<double>(nfp) * dt * 1000.0;
                    m_t1 += shift;
                    m_t2 += shift;
                }
            }
        }
        if (result) {
            signal.SetHICDTUP(windowMs);
            signal.SetHIC(m_value);
            signal.SetT1(m_t1);
            signal.SetT2(m_t2);
        }
    } catch (const std::exception &e) {
        AddMessage(e.what());
        result = false;
    } catch (...) {
        AddMessage("HIC - critical error during computation");
        result = false;
    }
    return result;
}

bool KxHicCriteria::SetCriticalValues()
{
    const std::string t = TypeCode();
    const std::string s = SizeCode();
    if (m_outOfPosition && std::trunc(m_window + 0.5) == 15.0) {
        if (t == "H3") {
            if (!s.empty() && s[0] == '3') {
                m_criticalHic15 = 570.0;
                return true;
            }
            if (!s.empty() && s[0] == '6') {
                m_criticalHic15 = 723.0;
                return true;
            }
            if (s == "05") {
                m_criticalHic15 = 779.0;
                return true;
            }
            if (!s.empty() && s[0] == '0')
                return true;
        } else if (t == "S2") {
            m_criticalHic15 = 779.0;
            return true;
        }
    }
    static const char *const kFamily[] = {"H3", "HT", "S3", "SD", "S2", "SF", "TH",
                                          "ES", "E2", "ER", "WS", "BS", "CR", "CH"};
    if (std::find(std::begin(kFamily), std::end(kFamily), t) != std::end(kFamily)) {
        if (s == "12") {
            m_criticalHic36 = 660.0;
            m_criticalHic15 = 390.0;
        } else if (s == "3C") {
            m_criticalHic36 = 900.0;
            m_criticalHic15 = 570.0;
        } else if (s == "6C" || s == "6W" || s == "10" || s == "05" || s == "50" || s == "95") {
            m_criticalHic36 = 1000.0;
            m_criticalHic15 = 700.0;
        } else {
            AddMessage("Hic - Unknown/NonApplicable Dummy Type");
            return false;
        }
        return true;
    }
    if (t == "P5" || t == "PA") {
        if (s == "50") {
            m_criticalHic36 = 1000.0;
            m_criticalHic15 = 1000.0;
        }
        return true;
    }
    m_criticalHic36 = 1000.0;
    m_criticalHic15 = 700.0;
    return true;
}
