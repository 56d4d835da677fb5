#pragma once

namespace kx {

// Channel frequency class of a signal: the SAE J211 classes 60, 180, 600 and 1000,
// 1001 for any other (unknown) class and 1 for a signal filtered with FIR100.
using FilterClass = int;

namespace filter_class {
inline constexpr FilterClass Fir100 = 1;
inline constexpr FilterClass Cfc60 = 60;
inline constexpr FilterClass Cfc180 = 180;
inline constexpr FilterClass Cfc600 = 600;
inline constexpr FilterClass Cfc1000 = 1000;
inline constexpr FilterClass Unknown = 1001;
} // namespace filter_class

// Class whose 3-dB band holds the cutoff frequency (the prefilter frequency when the
// cutoff is exactly 0.0); band limits are exclusive, anything else is Unknown.
FilterClass ChannelClassFromFrequencies(double prefilter, double cutoff);

} // namespace kx
