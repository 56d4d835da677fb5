// The measurement runs: filters, condyle correction and the two load cases.

#include "Quillet/document/CQuilletDoc.h"

#include <cmath>
#include <stdexcept>

namespace quillet {

namespace {

// The header codes the load cases read while a hand-picked dummy stands in for the
// header; the header gets its own codes back afterwards.
class DummyCodes {
public:
    DummyCodes(kx::CNSignal &signal, bool replace, const std::string &type, const std::string &size)
        : m_signal(signal)
        , m_type(signal.GetOccupant1Type())
        , m_size(signal.GetOccupant1Size())
        , m_replaced(replace)
    {
        if (replace) {
            signal.SetOccupant1Type(type);
            signal.SetOccupant1Size(size);
        }
    }
    ~DummyCodes()
    {
        if (m_replaced) {
            m_signal.SetOccupant1Type(m_type);
            m_signal.SetOccupant1Size(m_size);
        }
    }
    DummyCodes(const DummyCodes &) = delete;
    DummyCodes &operator=(const DummyCodes &) = delete;

private:
    kx::CNSignal &m_signal;
    std::string m_type;
    std::string m_size;
    bool m_replaced;
};

bool SameStep(double a, double b)
{
    return std::fabs(a - b) <= 1e-6 * std::max(std::fabs(a), std::fabs(b));
}

} // namespace

bool CQuilletDoc::FilterSignal(kx::CNSignal &signal, int channelClass)
{
    bool filtered = true;
    try {
        signal.Filter(channelClass);
    } catch (const std::exception &e) {
        // A refused filter names its file; the run does not go on with unfiltered data.
        const std::string &path = signal.GetPathName();
        m_messages.push_back(path.empty() ? std::string(e.what()) : path + ": " + e.what());
        filtered = false;
    }
    signal.MoveMessagesTo(m_messages);
    return filtered;
}

void CQuilletDoc::ApplyConditions()
{
    const bool outOfPosition =
        m_options.outOfPosition || KxInjuryCriteria::TitleMarksOutOfPosition(m_signal->GetTitle());
    for (KxNeck208 *loadCase : LoadCases())
        loadCase->SetOutOfPosition(outOfPosition);
    m_compression.SetAdvancedCriteria(m_options.advanced);
    m_tension.SetAdvancedCriteria(m_options.advanced);
    // The advanced values are not for the moment: it keeps its standard limits.
    m_flexion.SetAdvancedCriteria(false);
    m_extension.SetAdvancedCriteria(false);
}

template <class First, class Second>
bool CQuilletDoc::RunPair(First &first, Second &second)
{
    kx::CNSignal &signal = *m_signal;

    // Without the header check the chosen dummy's codes choose the limits; "Other"
    // computes with any known dummy and takes the values the user typed.
    const bool other = !m_options.checkUds && m_dummyIndex == OtherDummy;
    const double typed1 = m_critical1;
    const double typed2 = m_critical2;
    bool result = false;
    {
        kxres::CUiWaitCursor wait(m_ui);
        DummyCodes codes(signal, !m_options.checkUds, other ? "HY" : m_dummyType, other ? "50" : m_dummySize);
        if (first.Compute(signal)) {
            m_value1 = first.GetValue();
            m_critical1 = first.GetCriticalValue();
            if (m_options.checkUds) {
                second.SetDummyType(m_dummyType);
                second.SetDummySize(m_dummySize);
            }
            if (second.Compute(signal)) {
                m_value2 = second.GetValue();
                m_critical2 = second.GetCriticalValue();
                result = true;
            }
        }
    }
    if (other) {
        m_critical1 = typed1;
        m_critical2 = typed2;
    }
    first.MoveMessagesTo(m_messages);
    second.MoveMessagesTo(m_messages);
    signal.MoveMessagesTo(m_messages);
    return result;
}

bool CQuilletDoc::RunShear()
{
    if (m_options.advanced)
        m_messages.push_back("Advanced Criteria do not apply for Shear");
    if (m_options.checkUds) {
        m_forwardShear.SetDummyType(m_dummyType);
        m_forwardShear.SetDummySize(m_dummySize);
    } else if (m_options.saeFilters && !FilterSignal(*m_signal, 1000)) {
        return false;
    }
    return RunPair(m_forwardShear, m_rearShear);
}

bool CQuilletDoc::RunAxial()
{
    if (m_options.checkUds) {
        m_compression.SetDummyType(m_dummyType);
        m_compression.SetDummySize(m_dummySize);
    } else if (m_options.saeFilters && !FilterSignal(*m_signal, 1000)) {
        return false;
    }
    return RunPair(m_compression, m_tension);
}

bool CQuilletDoc::RunMoment()
{
    if (!CondyleCorrect())
        return false;
    if (m_options.checkUds) {
        m_flexion.SetDummyType(m_dummyType);
        m_flexion.SetDummySize(m_dummySize);
    } else if (m_options.saeFilters && !FilterSignal(*m_signal, 1000)) {
        return false;
    }
    if (m_options.advanced)
        m_messages.push_back("Advanced Criteria do not apply for Extension/Flexion");
    return RunPair(m_flexion, m_extension);
}

bool CQuilletDoc::CondyleCorrect()
{
    if (!GetForceSignal())
        return false;
    kx::CNSignal &moment = *m_signal;
    m_uncorrectedY = moment.GetY();
    double offset = 0.0;
    if (m_options.checkUds) {
        if (moment.GetFilterClass() != 600 && !FilterSignal(moment, 600))
            return false;
        if (!m_force.GetY().empty() && m_force.GetFilterClass() != 600 && !FilterSignal(m_force, 600))
            return false;
        if (!m_flexion.CondyleSetup(moment, m_force, offset)) {
            m_flexion.MoveMessagesTo(m_messages);
            // The user's offset starts from zero, not from the refused pair's table value.
            offset = 0.0;
            if (!m_ui || !m_ui->EnterCondyleOffset(offset))
                return false;
        }
    } else {
        if (m_options.saeFilters) {
            if (!FilterSignal(moment, 600))
                return false;
            if (!m_force.GetY().empty() && !FilterSignal(m_force, 600))
                return false;
        }
        offset = DummyCondyleOffset(m_dummyIndex);
    }
    if (!m_options.saeCoordinates)
        offset = -offset;

    // Sample i of the moment meets sample i of the force only on the same time axis.
    const bool sameCount = moment.GetNumberOfPoints() == m_force.GetNumberOfPoints();
    if (sameCount && !m_force.GetY().empty() &&
        (moment.GetNFP() != m_force.GetNFP() || !SameStep(moment.GetDel(), m_force.GetDel()))) {
        m_messages.push_back("CondyleCorrection - Time step or first point of Moment and Force differ, "
                             "no correction applied");
    } else {
        m_momentCorrected = m_flexion.CondyleCorrection(moment, m_force, offset);
    }
    m_flexion.MoveMessagesTo(m_messages);
    return true;
}

bool CQuilletDoc::GetForceSignal()
{
    // A blank name means no force: never the previous file's.
    m_force = kx::CNSignal();
    if (!m_ui)
        return false;
    CForceChoice choice;
    choice.path = m_forcePath;
    choice.fileType = m_forceType;
    if (!m_ui->ChooseForceFile(choice))
        return false;
    const auto first = choice.path.find_first_not_of(" \t");
    if (first == std::string::npos)
        return true;
    const std::string path = choice.path.substr(first, choice.path.find_last_not_of(" \t") - first + 1);
    if (!ReadInto(m_force, path, choice.fileType == 1))
        return false;
    m_forcePath = path;
    m_forceType = choice.fileType;
    if (m_options.removeBias)
        RemoveBias(m_force);
    return true;
}

} // namespace quillet
