#pragma once

// The time step or number of points of a resampling over a duration: the value the
// user chose gives the other one.

namespace kxres {

struct CStepOrPoints {
    double step = 0.0; // seconds
    int points = 0;
};

enum class StepOrPointsFault { None, Step, Points };

// By step: points = integer part of (duration / step + 0.99); by points: step =
// duration / points. Accepted only when the step is positive and finite and the signal
// has at least two points; otherwise values stay as they were and the chosen value is
// named as the fault.
StepOrPointsFault CompleteStepOrPoints(bool byStep, double duration, CStepOrPoints &values);

} // namespace kxres
