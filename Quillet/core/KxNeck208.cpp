#include "Quillet/core/KxNeck208.h"

#include <exception>
#include <string>
#include <vector>

#include "signal/CNSignal.h"

KxNeck208::KxNeck208()
{
    Reset();
    m_advancedCriteria = true;
    m_advancedCriticalValue = 1.0;
    m_standardCriticalValue = 1.0;
    m_peakTime = 0.0;
}

bool KxNeck208::IsNeckAttachment(std::string_view text)
{
    return text == "NECK";
}

bool KxNeck208::IsLowerNeckAttachment(std::string_view text)
{
    return text == "NEKL" || text == "NECK - LOWER";
}

bool KxNeck208::IsUpperNeckAttachment(std::string_view text)
{
    return text == "NEKU" || text == "NECK - UPPER";
}

bool KxNeck208::IsNewtons(std::string_view text)
{
    return text == "NEWTONS" || text == "NWT";
}

bool KxNeck208::IsNewtonMeters(std::string_view text)
{
    return text == "NEWTON-METERS" || text == "NWM";
}

bool KxNeck208::IsSecondsUnits(std::string_view text)
{
    return text == "SECONDS" || text == "SECOND" || text == "SEC";
}

bool KxNeck208::IsOneOf(std::string_view code, std::initializer_list<std::string_view> codes)
{
    for (std::string_view c : codes) {
        if (code == c)
            return true;
    }
    return false;
}

bool KxNeck208::CheckNeckSignal(const kx::CNSignal &signal)
{
    const bool result = signal.GetNumberOfPoints() > 0;
    if (signal.GetXType() != "TIME") {
        AddMessage("Warning - Neck Injury, UDS must have X Type TIME");
    }
    if (!IsSecondsUnits(signal.GetXUnits())) {
        AddMessage("Warning - Neck Injury, UDS xUnits not SECONDS");
    }
    if (signal.GetAxis().empty()) {
        AddMessage("Warning - Neck Injury, Axis not specified");
    }
    const std::string &attachment = signal.GetSenAtt();
    if (!IsNeckAttachment(attachment) && !IsLowerNeckAttachment(attachment) && !IsUpperNeckAttachment(attachment)) {
        AddMessage("Warning - Neck Injury, UDS sensor Attachment not Neck");
    }
    return result;
}

double KxNeck208::CondyleOffsetFor(const std::string &type, const std::string &size)
{
    const std::string t = type.substr(0, 2);
    const std::string s = size.substr(0, 2);
    if (IsOneOf(t, {"HY", "HT", "S3", "SD", "S2", "H3"})) {
        if (IsOneOf(s, {"05", "50", "95", "6C", "6W"}))
            return 0.01778;
        if (s == "3C")
            return 0.0;
        if (s == "06")
            return 0.0102;
        if (IsOneOf(s, {"12", "18"}))
            return 0.0058;
        return 0.0;
    }
    if (t == "CR") {
        if (s == "06")
            return 0.0102;
        if (IsOneOf(s, {"12", "18"}))
            return 0.0058;
        return 0.0;
    }
    if (t == "CH") {
        if (IsOneOf(s, {"6C", "6W"}))
            return 0.01778;
        return 0.0;
    }
    if (IsOneOf(t, {"ES", "E2", "ER"}))
        return 0.02;
    return 0.0;
}

double KxNeck208::CondyleOffset(double factor) const
{
    return CondyleOffsetFor(m_dummyType, m_dummySize) * factor;
}

bool KxNeck208::CondyleCompatibleCheck(const kx::CNSignal &moment, const kx::CNSignal &force)
{
    if (moment.GetOccupant1Type() != force.GetOccupant1Type()) {
        AddMessage("CondyleCompatibleCheck - Occupant Types Do not match");
    }
    if (moment.GetOccupant1Size() != force.GetOccupant1Size()) {
        AddMessage("CondyleCompatibleCheck - Dummy Sizes Do not match");
    }
    if (!IsUpperNeckAttachment(moment.GetSenAtt())) {
        AddMessage("CondyleCompatibleCheck - Senatt for Moment should be NECK - UPPER");
    }
    if (!IsUpperNeckAttachment(force.GetSenAtt())) {
        AddMessage("CondyleCompatibleCheck - Senatt for Force should be NECK - UPPER");
    }
    if (!IsNewtons(force.GetYUnits())) {
        AddMessage("CondyleCompatibleCheck - Force units should be NEWTON");
    }
    if (!IsNewtonMeters(moment.GetYUnits())) {
        AddMessage("CondyleCompatibleCheck - Moment units should be NEWTON-METERS");
    }
    const std::string &momentAxis = moment.GetAxis();
    const std::string &forceAxis = force.GetAxis();
    if (momentAxis.empty() || forceAxis.empty()) {
        AddMessage("CondyleCompatibleCheck - No Axes specfied for Moment/Force Combination");
        return true;
    }
    const char m = momentAxis.front();
    const char f = forceAxis.front();
    if ((m == 'X' && f == 'Y') || (m == 'Y' && f == 'X'))
        return true;
    AddMessage("CondyleCompatibleCheck - Incorrect Axes for Moment/Force Combination");
    return false;
}

bool KxNeck208::CondyleSetup(const kx::CNSignal &moment, const kx::CNSignal &force, double &offset)
{
    const bool result = CondyleCompatibleCheck(moment, force);
    const double sign = (!moment.GetAxis().empty() && moment.GetAxis().front() == 'Y') ? -1.0 : 1.0;
    SetDummyType(moment.GetOccupant1Type());
    SetDummySize(moment.GetOccupant1Size());
    offset = CondyleOffset(sign);
    return result;
}

bool KxNeck208::CondyleCorrection(kx::CNSignal &moment, const kx::CNSignal &force, double offset)
{
    const std::int32_t momentCount = moment.GetNumberOfPoints();
    const std::int32_t forceCount = force.GetNumberOfPoints();
    const std::vector<double> &my = moment.GetY();
    const std::vector<double> &fy = force.GetY();
    const std::size_t count = momentCount > 0 ? static_cast<std::size_t>(momentCount) : 0;
    // The header counts must agree and both records must really hold that many samples.
    if (momentCount != forceCount || my.size() < count || fy.size() < count) {
        const std::string first = momentCount != forceCount ? std::to_string(momentCount) : std::to_string(my.size());
        const std::string second = momentCount != forceCount ? std::to_string(forceCount) : std::to_string(fy.size());
        AddMessage("CondyleCorrection - Inconsistent number of Data Points, " + first + " and " + second);
        return false;
    }
    std::vector<double> corrected = my;
    for (std::size_t i = 0; i < count; ++i)
        corrected[i] += offset * fy[i];
    try {
        moment.SetYData(corrected);
    } catch (const std::exception &e) {
        AddMessage(e.what());
        return false;
    }
    moment.UpdateMinMax();
    moment.SetStatus("Corrected for Condyle Offset");
    return true;
}

void KxNeck208::ApplyTwoValueRow(const std::optional<Limits> &row)
{
    const bool applies = TypeCode() != "CR" || SizeCode() == "12";
    if (applies && row) {
        m_standardCriticalValue = row->standard;
        m_advancedCriticalValue = row->advanced;
    }
    m_criticalValue = m_advancedCriteria ? m_advancedCriticalValue : m_standardCriticalValue;
}

void KxNeck208::ApplyOneValueRow(const std::optional<double> &row)
{
    const bool applies = TypeCode() != "CR" || SizeCode() == "12";
    if (applies && row) {
        m_criticalValue = *row;
        m_advancedCriticalValue = *row;
    }
}

std::optional<double> KxNeck208::OOPValueFor(const OOPValues &values, const std::string &type, const std::string &size)
{
    const std::string t = type.substr(0, 2);
    const std::string s = size.substr(0, 2);
    if (t == "S2")
        return values.adult;
    if (t == "H3") {
        if (s == "05")
            return values.adult;
        if (s == "6C")
            return values.sixYear;
        if (s == "3C")
            return values.threeYear;
    }
    return std::nullopt;
}

bool KxNeck208::PickFrom(const OOPValues &values, const std::string &type, const std::string &size)
{
    const std::optional<double> value = OOPValueFor(values, type, size);
    if (!value)
        return false;
    m_criticalValue = *value;
    return true;
}

bool KxNeck208::ChooseTwoValues(const OOPValues &oop, const char *unknownText, UnknownReset reset,
                                const std::optional<Limits> &row)
{
    if (m_outOfPosition && PickFrom(oop, m_dummyType, m_dummySize))
        return true;
    if (!IsOneOf(TypeCode(), {"HY", "HT", "SD", "E2", "ER", "ES", "S3", "S2", "CH", "H3", "CR"})) {
        AddMessage(unknownText);
        if (reset != UnknownReset::Table)
            m_criticalValue = 1.0;
        if (reset != UnknownReset::Critical) {
            m_standardCriticalValue = 1.0;
            m_advancedCriticalValue = 1.0;
        }
        return false;
    }
    ApplyTwoValueRow(row);
    return true;
}

std::optional<double> KxNeck208::ShearRow(const std::string &s)
{
    if (s == "12")
        return 1080.0;
    if (s == "3C")
        return 1200.0;
    if (s == "6C" || s == "6W")
        return 1400.0;
    if (s == "05")
        return 1950.0;
    if (s == "50")
        return 3100.0;
    if (s == "95")
        return 3807.0;
    return std::nullopt;
}

bool KxNeck208::ChooseShearValue(std::initializer_list<std::string_view> acceptedTypes, const char *unknownText)
{
    if (!IsOneOf(TypeCode(), acceptedTypes)) {
        AddMessage(unknownText);
        m_criticalValue = 1.0;
        return false;
    }
    ApplyOneValueRow(ShearRow(SizeCode()));
    return true;
}

bool KxNeck208::ComputePeak(kx::CNSignal &signal, char axis, int channelClass, bool negativePeak,
                            const char *axisWarning, const char *criticalError)
{
    // A run never reports the peak of an earlier one.
    m_value = 0.0;
    m_peakTime = 0.0;
    bool result = CheckNeckSignal(signal);
    const bool dummyKnown = SetDummy(signal.GetOccupant1Type(), signal.GetOccupant1Size());
    result = result && dummyKnown;
    const std::string &axisText = signal.GetAxis();
    if (!axisText.empty() && axisText.front() != axis)
        AddMessage(axisWarning);
    // The filter would spread a non-finite sample over the whole signal.
    if (!CheckFiniteSamples(signal, "Neck Injury - "))
        return false;
    try {
        const bool filtered = signal.Filter(channelClass);
        result = result && filtered;
        ApplyTimeWindow(signal);
        double peak = 0.0;
        double time = 0.0;
        const bool found = negativePeak ? signal.GetYMinPoint(peak, time) : signal.GetYMaxPoint(peak, time);
        if (negativePeak)
            peak = -peak;
        m_value = peak < 0.0 ? 0.0 : peak;
        m_peakTime = time;
        result = result && found;
    } catch (const std::exception &e) {
        // A refusal names the file it refuses.
        const std::string &path = signal.GetPathName();
        AddMessage(path.empty() ? std::string(e.what()) : path + ": " + e.what());
        result = false;
    } catch (...) {
        AddMessage(criticalError);
        result = false;
    }
    return result;
}
