#include "Mirvane/core/PlotHelpers.h"

#include "signal/DataStatus.h"

#include <algorithm>
#include <cstdint>

namespace mirvane {

void AlignToCommonWindow(kx::CNSignal &a, kx::CNSignal &b)
{
    if (a.GetXMin() == b.GetXMin() && a.GetXMax() == b.GetXMax())
        return;
    const double start = std::max(a.GetXMin(), b.GetXMin());
    const double end = std::min(a.GetXMax(), b.GetXMax());
    a.TruncateByTime(start, end);
    b.TruncateByTime(start, end);
}

namespace {

void Shorten(kx::CNSignal &signal, std::size_t count)
{
    if (signal.GetYCount() <= count)
        return;
    std::vector<double> x(signal.GetX().begin(), signal.GetX().begin() + static_cast<std::ptrdiff_t>(count));
    std::vector<double> y(signal.GetY().begin(), signal.GetY().begin() + static_cast<std::ptrdiff_t>(count));
    signal.SetNLP(signal.GetNFP() + static_cast<std::int32_t>(count) - 1);
    signal.SetXYData(x, y);
}

} // namespace

CAlignedPair AlignedCopies(const kx::CNSignal &evaluated, const kx::CNSignal &reference)
{
    CAlignedPair pair{evaluated, reference};
    AlignToCommonWindow(pair.reference, pair.evaluated);
    const std::size_t n = std::min(pair.evaluated.GetYCount(), pair.reference.GetYCount());
    Shorten(pair.evaluated, n);
    Shorten(pair.reference, n);
    return pair;
}

std::vector<double> Residuals(const CAlignedPair &pair)
{
    const std::vector<double> &e = pair.evaluated.GetY();
    const std::vector<double> &f = pair.reference.GetY();
    const std::size_t n = std::min(e.size(), f.size());
    std::vector<double> r(n);
    for (std::size_t i = 0; i < n; ++i)
        r[i] = e[i] - f[i];
    return r;
}

kx::CNSignal OffsetCopy(const kx::CNSignal &signal, double offset)
{
    kx::CNSignal copy(signal);
    std::vector<double> y = copy.GetY();
    for (double &v : y)
        v += offset;
    if (!y.empty())
        copy.SetYData(y);
    return copy;
}

void AppendReferenceAndRecords(const std::vector<CSignal> &records, const kx::CNSignal &reference,
                               std::vector<kx::CNSignal> &series, std::vector<std::string> &labels)
{
    series.push_back(reference);
    labels.emplace_back("Reference");
    for (const CSignal &record : records) {
        series.push_back(record.Signal());
        labels.push_back(FileTitle(record.GetFileName()));
    }
}

kx::CNSignal ComputedSeries(std::vector<double> x, std::vector<double> y, const std::string &yType)
{
    kx::CNSignal series;
    series.SetDel(0.0);
    series.SetNFP(0);
    series.SetNLP(static_cast<std::int32_t>(y.size()) - 1);
    series.SetXYData(x, y);
    series.SetYType(yType);
    series.SetStatus(std::string(kx::DataStatus::Computed));
    series.SetTstSrc("Computed");
    return series;
}

double MeanStdDeviation(const std::vector<CSignal> &records)
{
    if (records.empty())
        return 0.0;
    double sum = 0.0;
    for (const CSignal &record : records)
        sum += record.Comparison().GetStdDeviation();
    return sum / static_cast<double>(records.size());
}

} // namespace mirvane

namespace mirvane {

void AppendBands(const std::vector<CSignal> &records, const kx::CNSignal &reference, double half,
                 const std::string &plusLabel, const std::string &minusLabel, std::vector<kx::CNSignal> &series,
                 std::vector<std::string> &labels)
{
    series.push_back(OffsetCopy(reference, half));
    labels.push_back(plusLabel);
    series.push_back(OffsetCopy(reference, -half));
    labels.push_back(minusLabel);
    for (const CSignal &record : records) {
        series.push_back(record.Signal());
        labels.push_back(FileTitle(record.GetFileName()));
    }
}

} // namespace mirvane

namespace mirvane {

void FillIntegrated(const std::vector<CSignal> &records, const kx::CNSignal &reference, int times,
                    std::vector<kx::CNSignal> &series, std::vector<std::string> &labels)
{
    series.clear();
    labels.clear();
    std::vector<kx::CNSignal> made;
    std::vector<std::string> names;
    AppendReferenceAndRecords(records, reference, made, names);
    for (kx::CNSignal &signal : made)
        for (int i = 0; i < times; ++i)
            signal.Integrate();
    series = std::move(made);
    labels = std::move(names);
}

void FillPerRecord(const std::vector<CSignal> &records, const std::function<kx::CNSignal(const CSignal &)> &make,
                   std::vector<kx::CNSignal> &series, std::vector<std::string> &labels)
{
    series.clear();
    labels.clear();
    std::vector<kx::CNSignal> made;
    std::vector<std::string> names;
    for (const CSignal &record : records) {
        made.push_back(make(record));
        names.push_back(FileTitle(record.GetFileName()));
    }
    series = std::move(made);
    labels = std::move(names);
}

} // namespace mirvane
