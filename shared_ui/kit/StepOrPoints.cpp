#include "shared_ui/kit/StepOrPoints.h"

#include <cmath>
#include <limits>

namespace kxres {

StepOrPointsFault CompleteStepOrPoints(bool byStep, double duration, CStepOrPoints &values)
{
    CStepOrPoints result = values;
    if (byStep) {
        const double count = duration / values.step + 0.99;
        if (!(values.step > 0.0) || !std::isfinite(values.step) || !std::isfinite(count) || count < 2.0 ||
            count > double(std::numeric_limits<int>::max()))
            return StepOrPointsFault::Step;
        result.points = static_cast<int>(count);
    } else {
        if (values.points < 2)
            return StepOrPointsFault::Points;
        result.step = duration / values.points;
        if (!(result.step > 0.0) || !std::isfinite(result.step))
            return StepOrPointsFault::Points;
    }
    values = result;
    return StepOrPointsFault::None;
}

} // namespace kxres
