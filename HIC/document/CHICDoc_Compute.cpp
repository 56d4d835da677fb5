// HIC, skull fracture correlate and response surface of the loaded resultant.

#include "HIC/document/CHICDoc.h"

#include "HIC/core/KxHicCriteria.h"
#include "HIC/core/KxSkullFractureCorrelate.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <memory>
#include <utility>

namespace hic {

bool CHICDoc::ComputeHic()
{
    if (!m_res) {
        m_messages.emplace_back("Fail to compute HIC Injury Criteria.");
        return false;
    }
    KxHicCriteria criteria;
    criteria.SetOutOfPosition(KxInjuryCriteria::TitleMarksOutOfPosition(m_res->GetTitle()));
    const bool ok = criteria.Compute(*m_res, m_window);
    criteria.MoveMessagesTo(m_messages);
    if (!ok) {
        m_messages.emplace_back("Fail to compute HIC Injury Criteria.");
        return false;
    }
    m_hic = criteria.GetValue();
    m_t1 = criteria.GetT1();
    m_t2 = criteria.GetT2();
    BuildResultText();
    return true;
}

bool CHICDoc::ComputeSfc()
{
    m_sfcReady = false;
    m_sfcCurve.clear();
    if (!m_res) {
        m_messages.emplace_back("Fail to compute Skull Fracture Correlate.");
        return false;
    }
    // On copies: the resultant keeps its dummy codes and the HIC that is shown.
    KxSkullFractureCorrelate sfc;
    kx::CNSignal copy(*m_res);
    bool ok = sfc.Compute(copy);
    sfc.MoveMessagesTo(m_messages);
    if (!ok) {
        kx::CNSignal retry(*m_res);
        retry.SetOccupant1Size("50");
        retry.SetOccupant1Type("H3");
        sfc = KxSkullFractureCorrelate{};
        ok = sfc.Compute(retry);
        sfc.MoveMessagesTo(m_messages);
    }
    if (!ok) {
        m_messages.emplace_back("Fail to compute Skull Fracture Correlate.");
        return false;
    }
    m_sfc = sfc.GetValue();
    m_sfcProbability = sfc.GetProbability();
    m_sfcCritical = sfc.GetCriticalSFC();
    m_sfcHic = sfc.GetHic().GetValue();
    m_sfcDuration = sfc.GetHic().GetT2() - sfc.GetHic().GetT1();
    m_sfcCurve = sfc.ProbabilityCurve(0, 300);
    m_sfcReady = true;
    return true;
}

void CHICDoc::BuildResultText()
{
    char text[200];
    if (m_window > 0.0)
        std::snprintf(text, sizeof text, "%.1f ms HIC = %.3f  from %.1f to %.1f ms (%.1f ms)", m_window, m_hic, m_t1,
                      m_t2, m_t2 - m_t1);
    else
        std::snprintf(text, sizeof text, "Unwindowed HIC = %.3f  from %.1f to %.1f ms (%.1f ms)", m_hic, m_t1, m_t2,
                      m_t2 - m_t1);
    m_labels.subTitle = text;
    m_labels.title = m_baseName;
    m_labels.xLabel = "Time in Seconds";
    m_labels.yLabel = "G's";
}

bool CHICDoc::SurfaceDefaults(SurfaceParams &params) const
{
    if (!m_resultReady || !m_res)
        return false;
    // Time zero, or the first sample of a record that starts after it.
    params.startFrom = std::max(0.0, m_res->GetStartTime());
    params.startTo = m_res->GetEndTime() - 0.036;
    params.startEvery = 0.002;
    params.windowFrom = 0.002;
    params.windowTo = 0.036;
    params.windowEvery = 0.002;
    return true;
}

bool CHICDoc::EditSurface()
{
    SurfaceParams params;
    if (!SurfaceDefaults(params) || !m_ui || !m_ui->EditSurfaceParams(params))
        return false;
    SurfaceResult result;
    const std::size_t before = m_messages.size();
    switch (RunSurface(params, result)) {
    case CHicSurface::Outcome::Done:
        break;
    case CHicSurface::Outcome::Cancelled:
        // The plot and the surface shown before stay.
        return false;
    case CHicSurface::Outcome::Refused:
        m_mode = ModeResultant;
        UpdateAllViews(UpdateHint::ShowResultant);
        ShowMessagesSince(before);
        return false;
    }
    m_surfaceParams = params;
    m_surface = std::move(result);
    return true;
}

bool CHICDoc::ComputeSurfaceRow(double from, double to, double every, double window, std::vector<double> &values)
{
    if (!m_res)
        return false;
    try {
        const CHicSurface surface(m_res->GetY(), m_res->GetDel(), m_res->GetNFP());
        std::string error;
        if (!surface.Row(from, to, every, window, values.data(), values.size(), error)) {
            m_messages.push_back(error);
            return false;
        }
        return true;
    } catch (const std::exception &e) {
        m_messages.emplace_back(e.what());
    }
    return false;
}

bool CHICDoc::ComputeSurface(const SurfaceParams &params, SurfaceResult &result)
{
    return RunSurface(params, result) == CHicSurface::Outcome::Done;
}

CHicSurface::Outcome CHICDoc::RunSurface(const SurfaceParams &params, SurfaceResult &result)
{
    if (!m_resultReady || !m_res)
        return CHicSurface::Outcome::Refused;
    try {
        const CHicSurface surface(m_res->GetY(), m_res->GetDel(), m_res->GetNFP());
        std::unique_ptr<kxres::IProgress> window;
        if (m_ui)
            window = m_ui->BeginProgress("Response Surface", "Computing the response surface...", 100);
        int shown = 0;
        const CHicSurface::Progress progress = [&](double done) {
            // The window is told of whole percents only: each step lets events run.
            const int percent = static_cast<int>(done * 100.0);
            if (!window || percent == shown)
                return true;
            shown = percent;
            return window->Step(percent, {});
        };
        std::string error;
        const CHicSurface::Outcome outcome = surface.Run(params, result, error, progress);
        if (outcome == CHicSurface::Outcome::Refused)
            m_messages.push_back(error);
        if (outcome == CHicSurface::Outcome::Done) {
            m_surfaceMaximum = result.maximum;
            m_contourFactor = result.factor;
        }
        return outcome;
    } catch (const std::exception &e) {
        m_messages.emplace_back(e.what());
    }
    return CHicSurface::Outcome::Refused;
}

} // namespace hic
