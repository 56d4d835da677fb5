#pragma once

// Pieces the plot kinds share. All work on copies.

#include "Mirvane/core/CSignal.h"
#include "signal/CNSignal.h"

#include <functional>
#include <string>
#include <vector>

namespace mirvane {

// Copies of the record's signal and of the reference cut to the points they share,
// paired as the comparison pairs them.
struct CAlignedPair {
    kx::CNSignal evaluated;
    kx::CNSignal reference;
};
CAlignedPair AlignedCopies(const kx::CNSignal &evaluated, const kx::CNSignal &reference);

// e(i) - f(i) of an aligned pair.
std::vector<double> Residuals(const CAlignedPair &pair);

// A copy of signal with offset added to every Y value.
kx::CNSignal OffsetCopy(const kx::CNSignal &signal, double offset);

// Appends the reference ("Reference") and then every record's signal under its file title.
void AppendReferenceAndRecords(const std::vector<CSignal> &records, const kx::CNSignal &reference,
                               std::vector<kx::CNSignal> &series, std::vector<std::string> &labels);

// Fills series and labels with the reference and every record's signal, each
// integrated times times; on a throw both stay empty.
void FillIntegrated(const std::vector<CSignal> &records, const kx::CNSignal &reference, int times,
                    std::vector<kx::CNSignal> &series, std::vector<std::string> &labels);

// Fills series with make(record) for every record, labelled with the record's file
// title; on a throw both stay empty.
void FillPerRecord(const std::vector<CSignal> &records, const std::function<kx::CNSignal(const CSignal &)> &make,
                   std::vector<kx::CNSignal> &series, std::vector<std::string> &labels);

// A computed series on free X values (written with its X axis).
kx::CNSignal ComputedSeries(std::vector<double> x, std::vector<double> y, const std::string &yType);

// Mean of the records' standard deviations of the residual.
double MeanStdDeviation(const std::vector<CSignal> &records);

} // namespace mirvane

namespace mirvane {

// The reference plus and minus half, then every record's signal.
void AppendBands(const std::vector<CSignal> &records, const kx::CNSignal &reference, double half,
                 const std::string &plusLabel, const std::string &minusLabel, std::vector<kx::CNSignal> &series,
                 std::vector<std::string> &labels);

inline const char *const kTimeTitle = "Time (seconds)";

} // namespace mirvane
