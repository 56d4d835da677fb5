#pragma once
// Common base of the neck load cases: standard and advanced critical values,
// peak time, the neck header check and the occipital condyle correction.

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "criteria/KxInjuryCriteria.h"

class KxNeck208 : public KxInjuryCriteria {
public:
    // One row of a load-case table: standard and advanced values.
    struct Limits {
        double standard;
        double advanced;
    };
    // Out-of-position picks: every "S2" and "H3" size "05"; "H3" size "6C"; "H3" size "3C".
    struct OOPValues {
        double adult;
        double sixYear;
        double threeYear;
    };
    // Table values an unknown dummy type resets to 1.0.
    enum class UnknownReset { Critical, Table, All };

    KxNeck208();

    // Header check of every neck signal: false only when it has no points; other
    // findings are appended as warnings.
    bool CheckNeckSignal(const kx::CNSignal &signal);

    // Condyle offset (m) of this object's dummy codes times factor; 0.0 without an entry.
    double CondyleOffset(double factor) const;
    // The offset table itself, by dummy type and size texts (first two characters used).
    static double CondyleOffsetFor(const std::string &type, const std::string &size);

    // Appends a message for each mismatch of a moment with its force; false only
    // for an axis pair other than X/Y or Y/X.
    bool CondyleCompatibleCheck(const kx::CNSignal &moment, const kx::CNSignal &force);
    // Compatibility check, then the offset of the moment's dummy signed by its axis.
    bool CondyleSetup(const kx::CNSignal &moment, const kx::CNSignal &force, double &offset);
    // moment += offset * force, sample by sample; false when the point counts differ.
    bool CondyleCorrection(kx::CNSignal &moment, const kx::CNSignal &force, double offset);

    bool IsAdvancedCriteria() const { return m_advancedCriteria; }
    void SetAdvancedCriteria(bool advanced) { m_advancedCriteria = advanced; }
    double GetAdvancedCriticalValue() const { return m_advancedCriticalValue; }
    double GetStandardCriticalValue() const { return m_standardCriticalValue; }
    // Time of the last peak, ms.
    double GetPeakTime() const { return m_peakTime; }

    // Header code tests (whole text, exact).
    static bool IsNeckAttachment(std::string_view text);
    static bool IsLowerNeckAttachment(std::string_view text);
    static bool IsUpperNeckAttachment(std::string_view text);
    static bool IsNewtons(std::string_view text);
    static bool IsNewtonMeters(std::string_view text);
    static bool IsSecondsUnits(std::string_view text);

protected:
    static bool IsOneOf(std::string_view code, std::initializer_list<std::string_view> codes);
    // Steps of the critical-value choice after the type is accepted: a "CR" dummy takes
    // only the "12" row, others the row of their size; a size without a row keeps the
    // values. The critical value is then the advanced or the standard one.
    void ApplyTwoValueRow(const std::optional<Limits> &row);
    // The same for the one-value shear classes.
    void ApplyOneValueRow(const std::optional<double> &row);

    // The out-of-position value of the dummy codes, if the picker has one.
    static std::optional<double> OOPValueFor(const OOPValues &values, const std::string &type, const std::string &size);
    // Sets the critical value from the picker; false when it has no value.
    bool PickFrom(const OOPValues &values, const std::string &type, const std::string &size);
    // Critical values of the moment and axial load cases: the picker when out of position,
    // then the accepted types and the row of the size.
    bool ChooseTwoValues(const OOPValues &oop, const char *unknownText, UnknownReset reset,
                         const std::optional<Limits> &row);
    // Critical value of the shear load cases (one value per size, no picker).
    bool ChooseShearValue(std::initializer_list<std::string_view> acceptedTypes, const char *unknownText);
    static std::optional<double> ShearRow(const std::string &size);

    // The run shared by the load cases: check, dummy, axis warning, filter, window, peak.
    bool ComputePeak(kx::CNSignal &signal, char axis, int channelClass, bool negativePeak, const char *axisWarning,
                     const char *criticalError);

    bool m_advancedCriteria = true;
    double m_advancedCriticalValue = 1.0;
    double m_standardCriticalValue = 1.0;
    double m_peakTime = 0.0;
};
