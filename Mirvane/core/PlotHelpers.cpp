#include "Mirvane/core/PlotHelpers.h"

#include "signal/DataStatus.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace mirvane {

namespace {

// The count points of signal from index first on, each keeping its point number.
kx::CNSignal Points(const kx::CNSignal &signal, std::size_t first, std::size_t count)
{
    if (count == 0)
        throw std::logic_error("No X or Y Signal Data");
    kx::CNSignal part(signal);
    const auto from = static_cast<std::ptrdiff_t>(first);
    const auto to = static_cast<std::ptrdiff_t>(first + count);
    const std::vector<double> x(signal.GetX().begin() + from, signal.GetX().begin() + to);
    const std::vector<double> y(signal.GetY().begin() + from, signal.GetY().begin() + to);
    part.SetNFP(signal.GetNFP() + static_cast<std::int32_t>(first));
    part.SetNLP(part.GetNFP() + static_cast<std::int32_t>(count) - 1);
    part.SetXYData(x, y);
    return part;
}

} // namespace

CAlignedPair AlignedCopies(const kx::CNSignal &evaluated, const kx::CNSignal &reference)
{
    // The points the comparison paired: a compared record lies inside the reference.
    const CComparison::CCommonPoints common = CComparison::CommonPoints(evaluated, reference, reference.GetDel());
    return {Points(evaluated, common.firstA, common.count), Points(reference, common.firstB, common.count)};
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
