#include "Mirvane/core/CComparisonRun.h"

#include "Mirvane/core/CComparison.h"
#include "Mirvane/core/CPlot.h"
#include "signal/DataStatus.h"
#include "signal/LoadWarnings.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <functional>
#include <string>

namespace mirvane {

namespace {

// The step of a signal read without a constant step of its own.
constexpr double kDefaultStep = 0.0001;

// Runs step on one file; an exception becomes "<file>: <text>".
bool Step(const std::string &file, std::vector<std::string> &errors, const std::function<void()> &step)
{
    try {
        step();
        return true;
    } catch (const std::exception &e) {
        errors.push_back(file + ": " + e.what());
        return false;
    }
}

// A signal needs two points to be resampled and compared.
bool EnoughPoints(const CSignal &record, std::vector<std::string> &errors)
{
    const std::size_t count = record.Signal().GetYCount();
    if (count >= 2)
        return true;
    errors.push_back(record.GetFileName() + ": too few points to compare (" + std::to_string(count) +
                     (count == 1 ? " point" : " points") + ", at least 2 are needed)");
    return false;
}

bool LoadOne(CSignal &record, std::vector<std::string> &errors)
{
    std::string udsError;
    std::string pointsError;
    if (record.LoadUDS(&udsError)) {
        kx::AddLoadWarnings(errors, record.GetFileName(), record.Signal());
        return EnoughPoints(record, errors);
    }
    if (record.LoadPoints(&pointsError))
        return EnoughPoints(record, errors);
    // A file that cannot be opened at all, or is empty, fails both readers alike: say it
    // once, naming the file once.
    const std::string &file = record.GetFileName();
    if (udsError == pointsError)
        errors.push_back(udsError.rfind(file, 0) == 0 ? udsError : file + ": " + udsError);
    else
        errors.push_back(file + ": " + udsError + "; as points text: " + pointsError);
    return false;
}

} // namespace

kx::CNSignalPtr CComparisonRun::HeaderCopy(const kx::CNSignal &signal)
{
    auto copy = std::make_shared<kx::CNSignal>();
    static_cast<kx::CDataFields &>(*copy) = static_cast<const kx::CDataFields &>(signal);
    copy->SetFileName(signal.GetFileName());
    copy->SetDirectory(signal.GetDirectory());
    copy->SetPathName(signal.GetPathName());
    copy->SetStatus(signal.GetStatus());
    return copy;
}

bool CComparisonRun::Load(std::vector<CSignal> &records, std::vector<kx::CNSignalPtr> &loaded,
                          std::vector<std::string> &errors)
{
    bool ok = true;
    for (CSignal &record : records) {
        if (LoadOne(record, errors))
            loaded.push_back(HeaderCopy(record.Signal()));
        else
            ok = false;
    }
    return ok;
}

bool CComparisonRun::ComputeAverage(std::vector<CSignal> &records, CSignal &reference, std::vector<std::string> &errors)
{
    if (records.empty())
        return false;
    double dt = static_cast<double>(1e-4f);
    for (const CSignal &record : records)
        dt = std::max(dt, record.Signal().GetDel());
    for (CSignal &record : records) {
        if (record.Signal().GetDel() != dt &&
            !Step(record.GetFileName(), errors, [&] { record.Signal().Interpolate(dt); }))
            return false;
    }

    double start = records.front().Signal().GetXMin();
    double end = records.front().Signal().GetXMax();
    for (const CSignal &record : records) {
        start = std::max(start, record.Signal().GetXMin());
        end = std::min(end, record.Signal().GetXMax());
    }
    if (!(end > start)) {
        errors.emplace_back(kTimeRangeError);
        return false;
    }
    for (CSignal &record : records) {
        if (!Step(record.GetFileName(), errors, [&] { CComparison::CutToWindow(record.Signal(), start, end, dt); }))
            return false;
    }

    // The mean over the points every signal holds.
    std::size_t count = records.front().Signal().GetYCount();
    for (const CSignal &record : records)
        count = std::min(count, record.Signal().GetYCount());
    std::vector<double> mean(count, 0.0);
    for (const CSignal &record : records) {
        const std::vector<double> &y = record.Signal().GetY();
        for (std::size_t i = 0; i < count; ++i)
            mean[i] += y[i];
    }
    for (double &v : mean)
        v /= static_cast<double>(records.size());

    CSignal average(records.front());
    return Step(records.front().GetFileName(), errors, [&] {
        kx::CNSignal &signal = average.Signal();
        std::vector<double> x(signal.GetX().begin(), signal.GetX().begin() + static_cast<std::ptrdiff_t>(count));
        signal.SetNLP(signal.GetNFP() + static_cast<std::int32_t>(count) - 1);
        signal.SetXYData(x, mean);
        signal.SetStatus(std::string(kx::DataStatus::Computed));
        char name[64];
        std::snprintf(name, sizeof name, "Average of %d files", static_cast<int>(records.size()));
        average.SetFileName(name);
        reference = std::move(average);
    });
}

bool CComparisonRun::ReadReference(const std::string &path, std::vector<CSignal> &records, CSignal &reference,
                                   std::vector<std::string> &errors)
{
    CSignal copy(path);
    if (!LoadOne(copy, errors))
        return false;
    double dt = copy.Signal().GetDel();
    if (dt <= 0.0) {
        dt = kDefaultStep;
        if (!Step(path, errors, [&] { copy.Signal().Interpolate(dt); }))
            return false;
    }
    for (CSignal &record : records) {
        if (record.Signal().GetDel() != dt &&
            !Step(record.GetFileName(), errors, [&] { record.Signal().Interpolate(dt); }))
            return false;
    }
    reference = std::move(copy);
    return true;
}

std::vector<int> CComparisonRun::PlotList(const std::vector<CSignal> &records, const kx::CNSignal &reference)
{
    std::vector<int> kinds;
    if (records.empty())
        return kinds;
    kinds.push_back(PlotSummary);
    if (reference.GetYUnits().find("G'S") != std::string::npos)
        kinds.insert(kinds.end(), {PlotAcceleration, PlotVelocity, PlotDisplacement});
    else
        kinds.push_back(PlotInputData);
    kinds.insert(kinds.end(), {PlotCorridor, PlotStdDeviation, Plot90Percent, PlotResiduals, PlotCumulativeDensity,
                               PlotCrossCorrelation});
    return kinds;
}

bool CComparisonRun::Execute(const CRunOptions &options, CRunResult &result, std::vector<std::string> &errors)
{
    CRunResult run;
    for (const std::string &file : options.files)
        run.records.emplace_back(file);
    if (run.records.empty())
        return false;

    if (!Load(run.records, run.loaded, errors))
        return false;

    if (options.filter) {
        for (CSignal &record : run.records) {
            if (record.Signal().GetTstSrc() != "ASCII File" && !Step(record.GetFileName(), errors, [&] {
                    // Times without a constant step are put on the reference's default step first.
                    if (!(record.Signal().GetDel() > 0.0))
                        record.Signal().Interpolate(kDefaultStep);
                    record.Signal().Filter(options.filterClass);
                }))
                return false;
        }
    }
    if (options.truncate) {
        for (CSignal &record : run.records) {
            if (!Step(record.GetFileName(), errors,
                      [&] { record.Signal().TruncateByTime(options.minTime, options.maxTime); }))
                return false;
        }
    }

    if (options.referenceKind == 1) {
        if (!ComputeAverage(run.records, run.reference, errors))
            return false;
    } else {
        if (!ReadReference(options.referenceFile, run.records, run.reference, errors))
            return false;
        kx::CNSignal &reference = run.reference.Signal();
        if (options.filter && !Step(options.referenceFile, errors, [&] { reference.Filter(options.filterClass); }))
            return false;
        if (options.truncate &&
            !Step(options.referenceFile, errors, [&] { reference.TruncateByTime(options.minTime, options.maxTime); }))
            return false;
    }

    const kx::CNSignal &reference = run.reference.Signal();
    run.reference.Comparison().SetCorridorSize(options.corridorSize);
    for (CSignal &record : run.records) {
        record.Comparison().SetCorridorSize(options.corridorSize);
        // A reference that does not overlap the signal leaves nothing to compare.
        if (!(std::min(record.Signal().GetXMax(), reference.GetXMax()) >
              std::max(record.Signal().GetXMin(), reference.GetXMin()))) {
            errors.push_back(record.GetFileName() + ": " + kTimeRangeError);
            return false;
        }
        if (!Step(record.GetFileName(), errors, [&] { record.Compare(run.reference); }))
            return false;
    }

    run.plotKinds = PlotList(run.records, reference);
    result = std::move(run);
    return true;
}

} // namespace mirvane
