// Pellora's document: the Operate commands on the loaded signals.

#include "Pellora/document/CPelloraDoc.h"

#include "shared_ui/kit/NumberParser.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace pellora {

namespace {

// Largest number of points Pad and/or Cut may add at one end.
constexpr std::int64_t MaxPadPoints = 10'000'000;

bool IsCombining(int code)
{
    return code == CPelloraDoc::OpResultant || code == CPelloraDoc::OpAverage || code == CPelloraDoc::OpSum;
}

std::string SignalName(const kx::CNSignal &signal)
{
    if (!signal.GetFileName().empty())
        return signal.GetFileName();
    if (!signal.GetPathName().empty())
        return signal.GetPathName();
    return "Curve Number: " + std::to_string(signal.GetCurNo());
}

// A combined signal is named after what it holds (AVG.uds, SUM.uds, RES.uds) and no
// longer after its first input, so that a save never lands on an input file.
void NameCombined(kx::CNSignal &result, const std::string &what)
{
    const std::string name = result.GetFileName();
    const std::size_t dot = name.rfind('.');
    result.SetFileName(what + (dot == std::string::npos ? std::string(".uds") : name.substr(dot)));
    result.SetPathName({});
}

// Steps compared relative to their size: a header step is held in single precision.
bool SameStep(double a, double b)
{
    return std::fabs(a - b) <= 1.0e-6 * std::max(std::fabs(a), std::fabs(b));
}

} // namespace

std::optional<double> CPelloraDoc::AskValue(const std::string &caption, const std::string &prompt,
                                            const std::string &initial)
{
    if (!m_ui)
        return std::nullopt;
    std::string text = initial;
    for (;;) {
        if (!m_ui->EditLabel(caption, prompt, text))
            return std::nullopt;
        std::string why;
        if (const std::optional<double> value = kxres::ParseDouble(text, &why))
            return value;
        m_ui->ShowMessage("Invalid number: \"" + text + "\"" + (why.empty() ? std::string() : "\n" + why),
                          IPelloraUi::Icon::Exclamation);
    }
}

void CPelloraDoc::ReportOperationFailure(const kx::CNSignal &signal, const std::string &what)
{
    if (m_ui)
        m_ui->ShowMessage(SignalName(signal) + ": " + what, IPelloraUi::Icon::Stop);
}

void CPelloraDoc::RunOnEachSignal(const std::function<void(kx::CNSignal &)> &operation)
{
    for (const kx::CNSignalPtr &signal : m_signals) {
        const bool wasModified = signal->IsModified();
        try {
            operation(*signal);
            signal->SetModified(true);
        } catch (const std::exception &e) {
            signal->SetModified(wasModified);
            ReportOperationFailure(*signal, e.what());
            break;
        }
    }
    for (const kx::CNSignalPtr &signal : m_signals)
        signal->MoveMessagesTo(m_errors);
}

bool CPelloraDoc::RunOperation(int code)
{
    if (m_batchRunning)
        return false;
    if (m_signals.empty())
        return false;
    m_errors.clear();

    if (IsCombining(code)) {
        const std::size_t n = m_signals.size();
        const bool runs = code == OpResultant ? (n == 2 || n == 3) : n >= 2;
        if (runs) {
            // The result is built on a copy: a refused combination leaves every signal held.
            auto result = std::make_shared<kx::CNSignal>(*m_signals.front());
            try {
                bool ok = true;
                if (code == OpResultant) {
                    const kx::CNSignal a(*m_signals[0]);
                    const kx::CNSignal b(*m_signals[1]);
                    if (n == 2) {
                        ok = result->Resultant2(a, b);
                    } else {
                        const kx::CNSignal c(*m_signals[2]);
                        ok = result->Resultant(a, b, c);
                    }
                } else if (code == OpAverage) {
                    result->Average(m_signals);
                } else {
                    result->Sum(m_signals);
                }
                if (!ok)
                    throw std::logic_error("The resultant could not be formed.");
                NameCombined(*result, code == OpResultant ? "RES" : code == OpAverage ? "AVG" : "SUM");
                result->SetModified(true);
                m_signals.front() = std::move(result);
                KeepFirst();
            } catch (const std::exception &e) {
                ReportOperationFailure(*m_signals.front(), e.what());
            }
        }
        Refresh(false);
        ShowErrorList();
        return runs;
    }

    bool stopped = false;
    for (const kx::CNSignalPtr &signal : m_signals) {
        kx::CNSignal &s = *signal;
        const bool wasModified = s.IsModified();
        s.SetModified(true);
        try {
            std::optional<double> value;
            bool done = true;
            switch (code) {
            case OpIntegrate:
                done = s.Integrate();
                break;
            case OpDerivative:
                done = s.Differentiate();
                break;
            case OpFir100:
                done = s.FilterCFC(false);
                break;
            case OpBiasAuto:
                s.Bias();
                break;
            case OpAddX:
                if ((value = AskValue("Add A constant Value to X data", "X Value", "0.0")))
                    done = s.ShiftX(*value);
                else
                    done = false;
                break;
            case OpAddY:
                if ((value = AskValue("Add A constant Value to Y data", "Y Value", "0.0")))
                    done = s.ShiftY(*value);
                else
                    done = false;
                break;
            case OpScaleY:
                if ((value = AskValue("Multiply Y Axis by Constant Value", "Y Multiplier", "1.0")))
                    done = s.ScaleY(*value);
                else
                    done = false;
                break;
            case OpScaleX:
                if ((value = AskValue("Multiply X Axis by Constant Value", "X Multiplier", "1.0")))
                    done = s.ScaleX(*value);
                else
                    done = false;
                break;
            case OpBiasTail: {
                CBiasTailValues tail;
                if (m_ui && m_ui->AskBiasTail(tail)) {
                    if (!(tail.percent >= 0.0 && tail.percent <= 100.0))
                        throw std::logic_error("Percentage must be between 0 and 100");
                    s.BiasTailPercent(tail.percent, tail.fromStart != 0);
                } else {
                    done = false;
                }
                break;
            }
            default:
                done = false;
                break;
            }
            if (!done)
                s.SetModified(wasModified);
        } catch (const std::exception &e) {
            s.SetModified(wasModified);
            ReportOperationFailure(s, e.what());
            stopped = true;
            break;
        }
    }
    for (const kx::CNSignalPtr &signal : m_signals)
        signal->MoveMessagesTo(m_errors);
    // Signals before a failing one were changed: the plot shows what is held.
    const bool ok = Refresh(false) && !stopped;
    ShowErrorList();
    return ok;
}

bool CPelloraDoc::RunFilterClass(int filterClass)
{
    if (m_batchRunning)
        return false;
    if (m_signals.empty())
        return false;
    m_errors.clear();
    {
        CUiWaitCursor wait(m_ui);
        RunOnEachSignal([filterClass](kx::CNSignal &s) { s.Filter(filterClass); });
    }
    Refresh(false);
    ShowErrorList();
    return true;
}

bool CPelloraDoc::OnFilterClassCommand(int commandId)
{
    int filterClass = 0;
    switch (commandId) {
    case 32804:
        filterClass = kx::filter_class::Cfc60;
        break;
    case 32805:
        filterClass = kx::filter_class::Cfc180;
        break;
    case 32806:
        filterClass = kx::filter_class::Cfc600;
        break;
    case 32807:
        filterClass = kx::filter_class::Cfc1000;
        break;
    default:
        m_errors.clear();
        m_errors.push_back("Improper Frequency Class");
        ShowErrorList();
        return false;
    }
    return RunFilterClass(filterClass);
}

void CPelloraDoc::OnFilter()
{
    if (m_batchRunning)
        return;
    if (m_signals.empty() || !m_ui)
        return;
    CFilterChoice choice;
    if (!m_ui->AskFilterClass(m_signals, choice))
        return;
    if (!choice.cutoffSelected) {
        RunFilterClass(choice.filterClass);
        return;
    }
    if (!(choice.cutoffFrequency > 0.0) || !std::isfinite(choice.cutoffFrequency))
        return;
    m_errors.clear();
    {
        CUiWaitCursor wait(m_ui);
        const double frequency = choice.cutoffFrequency;
        RunOnEachSignal([frequency](kx::CNSignal &s) { s.FilterJ211(frequency); });
    }
    Refresh(false);
    ShowErrorList();
}

void CPelloraDoc::OnResample()
{
    if (m_batchRunning)
        return;
    if (m_signals.empty() || !m_ui)
        return;
    const kx::CNSignal &first = *m_signals.front();
    const double oldStep = first.GetDel();
    const int oldCount = kx::CData::CountPoints(first.GetNFP(), first.GetNLP());
    CResampleValues values{oldStep, oldCount};
    if (!m_ui->AskResample(values))
        return;
    double step = 0.0;
    if (values.points != oldCount) {
        if (values.points < 2 || oldCount < 1)
            return;
        step = oldStep * oldCount / values.points;
    } else if (SameStep(values.step, oldStep)) {
        return;
    } else {
        step = values.step;
    }
    if (!(step > 0.0) || !std::isfinite(step)) {
        m_ui->ShowMessage("Requested Time step <= 0", IPelloraUi::Icon::Stop);
        return;
    }
    m_errors.clear();
    {
        CUiWaitCursor wait(m_ui);
        RunOnEachSignal([step](kx::CNSignal &s) {
            // A signal already on the step keeps its samples.
            if (!SameStep(s.GetDel(), step))
                s.Interpolate(step);
        });
    }
    Refresh(false);
    ShowErrorList();
}

void CPelloraDoc::OnTruncate()
{
    if (m_batchRunning)
        return;
    if (m_signals.empty() || !m_ui)
        return;
    kx::CNSignal &first = *m_signals.front();
    first.ComputeTimeRange();
    const double presetMin = first.GetStartTime();
    const double presetMax = first.GetXMax();
    CTruncateValues values{true, true, presetMin, presetMax};
    if (!m_ui->AskTruncate(values))
        return;
    if (!values.minSet && !values.maxSet)
        return;
    if (values.minSet && values.maxSet && values.minTime == presetMin && values.maxTime == presetMax)
        return;
    m_errors.clear();
    {
        CUiWaitCursor wait(m_ui);
        RunOnEachSignal([&values](kx::CNSignal &s) {
            const std::vector<double> &x = s.GetX();
            if (x.empty())
                throw std::logic_error("No X or Y Signal Data");
            const double start = values.minSet ? values.minTime : x.front();
            const double stop = values.maxSet ? values.maxTime : x.back();
            s.TruncateByTime(start, stop);
        });
    }
    Refresh(false);
    ShowErrorList();
}

void CPelloraDoc::OnPadCut()
{
    if (m_batchRunning)
        return;
    if (m_signals.size() != 1 || !m_ui)
        return;
    kx::CNSignal &s = *m_signals.front();
    CPadCutValues values;
    if (!m_ui->AskPadCut(s.GetDel(), s.GetNFP(), s.GetNLP(), values) || values.unchanged)
        return;
    if (values.atFirst == 0 && values.atLast == 0)
        return;
    if ((values.atFirst > 0 || values.atLast > 0) && !(s.GetDel() > 0.0)) {
        m_ui->ShowMessage("Points can only be padded to a signal with a time step.", IPelloraUi::Icon::Stop);
        return;
    }
    if (values.atFirst > MaxPadPoints || values.atLast > MaxPadPoints) {
        m_ui->ShowMessage("At most " + std::to_string(MaxPadPoints) + " points can be padded at each end.",
                          IPelloraUi::Icon::Stop);
        return;
    }
    const std::int64_t newNfp = static_cast<std::int64_t>(s.GetNFP()) - values.atFirst;
    const std::int64_t newNlp = static_cast<std::int64_t>(s.GetNLP()) + values.atLast;
    const auto fits = [](std::int64_t v) {
        return v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
    };
    try {
        if (!fits(newNfp) || !fits(newNlp))
            throw std::logic_error("Unable to provide requested stop/start indices");
        s.PadCutPoints(values.atFirst, values.atLast, static_cast<std::int32_t>(newNfp),
                       static_cast<std::int32_t>(newNlp));
        s.UpdateMinMax();
    } catch (const std::exception &e) {
        ReportOperationFailure(s, e.what());
        return;
    }
    Refresh(false);
}

bool CPelloraDoc::Refresh(bool reload)
{
    if (m_batchRunning)
        return false;
    if (m_selectedFiles.empty())
        return false;
    if (reload) {
        m_failedPaths.clear();
        const bool ok = LoadSelectedFiles();
        m_errors.clear();
        return ok;
    }
    RebuildPlot();
    UpdateAllViews(UpdateHint::Plot);
    return true;
}

void CPelloraDoc::KeepFirst()
{
    if (m_batchRunning)
        return;
    while (m_signals.size() > 1)
        m_signals.pop_back();
    while (m_selectedFiles.size() > 1)
        m_selectedFiles.pop_back();
}

} // namespace pellora
