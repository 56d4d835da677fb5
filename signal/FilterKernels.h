#pragma once
// Filter kernels on sample vectors: Butterworth low-pass passes and their design rule,
// the 100 Hz FIR low-pass and the two-pass SAE J211 filter.

#include <array>
#include <string>
#include <vector>

namespace kx {

// Direction of a Butterworth pass.
namespace PassMode {
inline constexpr int Forward = 1;
inline constexpr int Backward = 2;
inline constexpr int Both = 3; // forward then backward (zero phase); any other value too
} // namespace PassMode

// Butterworth low-pass passes of order 1 to 4 on y in place, C = cot(pi * fc * dt).
// The first (last, backward) N outputs equal the inputs; a vector with N samples or
// fewer is left unchanged.
void Butterworth1Pole(std::vector<double> &y, double C, int mode);
void Butterworth2Pole(std::vector<double> &y, double C, int mode);
void Butterworth3Pole(std::vector<double> &y, double C, int mode);
void Butterworth4Pole(std::vector<double> &y, double C, int mode);

// Chooses the order that attenuates fStop by attenuationDb (negative) and runs the
// cascade of passes on y. Throws for an order below zero, a cutoff that is not positive
// or not below half the sample rate.
void ButterworthDesign(std::vector<double> &y, double dt, double fc, double attenuationDb, int mode, double fStop);

// One half of the symmetric 50-tap FIR100 low-pass, the outermost tap first.
extern const std::array<double, 25> kFir100Coefficients;

// Filters the first n values of data in place with the 100 Hz FIR low-pass; work is the
// extended buffer (grown to n + 50 when smaller). Throws when 100 Hz is not below half the
// sample rate, when n is below 25 or beyond data.
bool Fir100Filter(std::vector<double> &data, std::vector<double> &work, int n, double dt);

// The SAE J211 two-pass second-order Butterworth filter at the 3-dB frequency f3dB (Hz),
// on y in place. Warnings are appended to warnings. Throws (changing nothing) for no
// samples, a step or frequency that is not positive. Returns true, without filtering,
// when f3dB is above 0.775 of half the sample rate; else throws for fewer than three
// samples.
bool ButterworthJ211Kernel(std::vector<double> &y, double dt, double f3dB, std::vector<std::string> &warnings);

} // namespace kx
