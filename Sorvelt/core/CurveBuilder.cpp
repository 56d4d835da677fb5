#include "Sorvelt/core/CurveBuilder.h"

#include "Sorvelt/core/MadymoFile.h"

#include <exception>
#include <stdexcept>
#include <vector>

namespace sorvelt {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

constexpr double kSmallestStep = 0.0001;

} // namespace

std::string TrimBlanks(const std::string &text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::string YUnitOf(const std::string &channelName)
{
    const std::size_t open = channelName.find('(');
    if (open == std::string::npos)
        return "Unknown";
    const std::size_t close = channelName.find(')', open + 1);
    if (close == std::string::npos)
        return "Unknown";
    const std::string inside = channelName.substr(open + 1, close - open - 1);
    std::size_t begin = 0;
    while (begin < inside.size() && IsBlank(inside[begin]))
        ++begin;
    std::size_t end = begin;
    while (end < inside.size() && !IsBlank(inside[end]))
        ++end;
    if (end == begin)
        return "Unknown";
    return inside.substr(begin, end - begin);
}

bool BuildCurve(const kx::MadymoFile &reader, int parameter, int channel, kx::CNSignal &signal)
{
    if (reader.GetValues().empty())
        throw std::logic_error("No Signal Data in Vector vy");
    std::vector<double> y;
    if (!reader.GetColumn(parameter, channel, y))
        return false;
    std::vector<double> x = reader.GetTimes();
    x.resize(y.size());
    signal.SetNFP(0);
    signal.SetNLP(static_cast<int>(y.size()) - 1);
    signal.SetXYData(x, y);
    const int count = signal.GetNumberOfPoints();
    if (count > 0 && signal.GetNLP() >= count)
        signal.SetNLP(count - 1);
    const auto parameters = reader.GetParameterNames();
    const auto channels = reader.GetChannelNames();
    const std::string channelName = channels.at(static_cast<std::size_t>(channel));
    signal.SetVehicle1Description(TrimBlanks(parameters.at(static_cast<std::size_t>(parameter))));
    signal.SetVehicle1ComponentType(TrimBlanks(channelName));
    signal.SetXUnits("SECONDS");
    signal.SetYUnits(YUnitOf(channelName));
    signal.SetModified(false);
    return true;
}

bool MakeUniformStep(kx::CNSignal &signal)
{
    if (signal.GetDel() > 0.0)
        return true;
    const std::vector<double> &x = signal.GetX();
    if (x.size() < 2 || signal.GetY().size() < 2)
        return false;
    // The first difference starts the search even when it is not positive; such a
    // start ends on the smallest step allowed.
    double step = x[1] - x[0];
    for (std::size_t i = 2; i < x.size(); ++i) {
        const double d = x[i] - x[i - 1];
        if (d > 0.0 && d < step)
            step = d;
    }
    if (!(step >= kSmallestStep))
        step = kSmallestStep;
    try {
        return signal.Interpolate(step);
    } catch (const std::exception &) {
        return false;
    }
}

} // namespace sorvelt
