// The operations on every curve: filters, constants, scales, calculus, resampling,
// truncation and reloading. Each works on a copy of the curves, so a failure leaves
// them as they were.

#include "Sorvelt/document/CSorveltDoc.h"

#include "Sorvelt/core/CurveBuilder.h"
#include "shared_ui/kit/NumberParser.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace sorvelt {

void CSorveltDoc::Operate(const std::function<void(std::vector<CSignal> &)> &op)
{
    if (m_curves.empty())
        return;
    kxres::CUiWaitCursor wait(m_ui);
    std::vector<CSignal> work = m_curves;
    op(work);
    m_curves = std::move(work);
    // The texts show the extremes of what the operation left.
    AfterChange();
}

bool CSorveltDoc::AskValue(const std::string &caption, const std::string &prompt, const std::string &initial,
                           double &value)
{
    std::string text = initial;
    if (!m_ui || !m_ui->EditLabel(caption, prompt, text))
        return false;
    std::string why;
    const auto parsed = kxres::ParseDouble(text, &why);
    if (!parsed)
        throw std::invalid_argument("\"" + text + "\" is not a valid value: " + why);
    value = *parsed;
    return true;
}

namespace {

// "P1-C3 Head / Acc (G)": the curve as the legend numbers it, with its names.
std::string CurveName(const CSignal &curve)
{
    return "P" + std::to_string(curve.Parameter() + 1) + "-C" + std::to_string(curve.Channel() + 1) + " " +
           curve.Signal().GetVehicle1Description() + " / " + curve.Signal().GetVehicle1ComponentType();
}

} // namespace

void CSorveltDoc::OnCfc(int filterClass)
{
    std::vector<std::string> warnings;
    Operate([&](std::vector<CSignal> &curves) {
        for (CSignal &c : curves) {
            kx::CNSignal &signal = c.Signal();
            if (!MakeUniformStep(signal)) {
                warnings.push_back(CurveName(c) + ": not filtered, the curve cannot be put on a constant time step");
                continue;
            }
            // A refused curve stays as it was; the others are filtered.
            const kx::CNSignal kept(signal);
            try {
                signal.Filter(filterClass);
            } catch (const std::exception &e) {
                signal = kept;
                warnings.push_back(CurveName(c) + ": not filtered: " + e.what());
                continue;
            }
            signal.MoveMessagesTo(warnings);
            signal.SetModified(true);
        }
    });
    if (!warnings.empty() && m_ui)
        m_ui->ShowErrorList(warnings);
}

void CSorveltDoc::OnFilter()
{
    if (m_curves.empty())
        return;
    int filterClass = 1000;
    if (!m_ui || !m_ui->ChooseFilterClass(filterClass))
        return;
    OnCfc(filterClass);
}

void CSorveltDoc::OperateWithValue(const std::string &caption, const std::string &prompt, const std::string &initial,
                                   const std::function<double(double)> &prepare,
                                   const std::function<void(kx::CNSignal &, double)> &apply)
{
    if (m_curves.empty())
        return;
    double value = 0.0;
    if (!AskValue(caption, prompt, initial, value))
        return;
    const double used = prepare(value);
    Operate([&apply, used](std::vector<CSignal> &curves) {
        for (CSignal &c : curves)
            apply(c.Signal(), used);
    });
}

namespace {

double AsIs(double value)
{
    return value;
}

// The factor as the signal stores it; zero is refused.
double ScaleFactor(double value, const std::string &axis)
{
    const double factor = static_cast<float>(value);
    if (factor == 0.0)
        throw std::invalid_argument("The " + axis + " axis cannot be multiplied by zero.");
    return factor;
}

} // namespace

void CSorveltDoc::OnAddConstantX()
{
    OperateWithValue("Add A constant Value to X data", "X Value", "0.0", AsIs,
                     [](kx::CNSignal &s, double value) { s.ShiftX(value); });
}

void CSorveltDoc::OnAddConstantY()
{
    OperateWithValue("Add A constant Value to Y data", "Y Value", "0.0", AsIs,
                     [](kx::CNSignal &s, double value) { s.ShiftY(value); });
}

void CSorveltDoc::OnScaleX()
{
    OperateWithValue(
        "Multiply X Axis by Constant Value", "X Multiplier", "1.0",
        [](double value) { return ScaleFactor(value, "X"); }, [](kx::CNSignal &s, double factor) { s.ScaleX(factor); });
}

void CSorveltDoc::OnScaleY()
{
    OperateWithValue(
        "Multiply Y Axis by Constant Value", "Y Multiplier", "1.0",
        [](double value) { return ScaleFactor(value, "Y"); }, [](kx::CNSignal &s, double factor) { s.ScaleY(factor); });
}

void CSorveltDoc::OnAutoRemoveY()
{
    Operate([](std::vector<CSignal> &curves) {
        for (CSignal &c : curves)
            if (MakeUniformStep(c.Signal()))
                c.Signal().Bias();
    });
}

void CSorveltDoc::OperateOnUniformSteps(const std::function<void(kx::CNSignal &)> &op, const std::string &failure)
{
    bool failed = false;
    Operate([&](std::vector<CSignal> &curves) {
        for (CSignal &c : curves) {
            if (!MakeUniformStep(c.Signal()))
                continue;
            try {
                op(c.Signal());
            } catch (const std::exception &) {
                failed = true;
            }
        }
    });
    if (failed)
        Message(failure);
}

void CSorveltDoc::OnDerivative()
{
    OperateOnUniformSteps([](kx::CNSignal &signal) { signal.Differentiate(); }, "Error Computing Derivative");
}

void CSorveltDoc::OnIntegrate()
{
    OperateOnUniformSteps([](kx::CNSignal &signal) { signal.Integrate(); }, "Error Computing Integral");
}

void CSorveltDoc::OnFir100()
{
    Operate([](std::vector<CSignal> &curves) {
        for (CSignal &c : curves)
            if (MakeUniformStep(c.Signal()))
                c.Signal().FilterCFC(false);
    });
}

void CSorveltDoc::OnResample()
{
    if (m_curves.empty())
        return;
    const kx::CNSignal &first = m_curves.front().Signal();
    CResampleValues values;
    const auto &x = first.GetX();
    values.duration = x.size() >= 2 ? x.back() - x.front() : 0.0;
    values.points = static_cast<int>(std::min(x.size(), first.GetY().size()));
    values.step =
        first.GetDel() > 0.0 ? first.GetDel() : (values.points > 1 ? values.duration / (values.points - 1) : 0.0);
    if (!m_ui || !m_ui->EditResample(values))
        return;
    const double step = values.step;
    if (!(step > 0.0) || !std::isfinite(step))
        throw std::invalid_argument("Invalid Time Step Specified");
    Operate([step](std::vector<CSignal> &curves) {
        for (CSignal &c : curves)
            c.Signal().Interpolate(step);
    });
}

bool CSorveltDoc::TimeSpan(double &firstX, double &lastX) const
{
    bool any = false;
    for (const CSignal &c : m_curves) {
        const auto &x = c.Signal().GetX();
        if (x.empty())
            continue;
        firstX = any ? std::min(firstX, x.front()) : x.front();
        lastX = any ? std::max(lastX, x.back()) : x.back();
        any = true;
    }
    return any;
}

void CSorveltDoc::OnTruncate()
{
    double start = 0.0;
    double stop = 0.0;
    if (!TimeSpan(start, stop))
        return;
    if (!m_ui || !m_ui->EditTruncate(start, stop))
        return;
    if (!(stop > start))
        throw std::invalid_argument("The stop time must be after the start time.");
    Operate([start, stop](std::vector<CSignal> &curves) {
        for (CSignal &c : curves)
            if (MakeUniformStep(c.Signal()))
                c.Signal().TruncateByTime(start, stop);
    });
}

void CSorveltDoc::OnReload()
{
    if (!m_loaded)
        return;
    std::vector<CSignal> rebuilt;
    std::string failure;
    {
        kxres::CUiWaitCursor wait(m_ui);
        for (unsigned n : m_selection) {
            try {
                rebuilt.push_back(Build(n));
            } catch (const std::exception &e) {
                if (failure.empty())
                    failure = e.what();
            }
        }
    }
    m_curves = std::move(rebuilt);
    AfterChange();
    if (!failure.empty())
        Message(failure);
}

} // namespace sorvelt
