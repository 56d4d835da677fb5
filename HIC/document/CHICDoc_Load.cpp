// Reading the head acceleration: one resultant or three axis files, UDS-1992 or ASCII.

#include "HIC/document/CHICDoc.h"

#include "signal/LoadWarnings.h"

#include <cmath>
#include <exception>
#include <filesystem>
#include <memory>

namespace hic {

namespace {

// Steps of three files agree when they differ by less than a millionth.
bool SameStep(double a, double b)
{
    return std::fabs(a - b) <= 1.0e-6 * std::max(std::fabs(a), std::fabs(b));
}

std::string FileNameOf(const std::string &path)
{
    return std::filesystem::path(path).filename().string();
}

// Axis signals combine only on the same samples.
bool SameSampling(const std::vector<kx::CNSignalPtr> &axes, std::vector<std::string> &messages)
{
    const kx::CNSignal &a = *axes.front();
    for (const kx::CNSignalPtr &s : axes) {
        if (!SameStep(s->GetDel(), a.GetDel())) {
            messages.emplace_back("Incompatible Time Steps");
            return false;
        }
    }
    for (const kx::CNSignalPtr &s : axes) {
        if (s->GetNumberOfPoints() != a.GetNumberOfPoints() || s->GetY().size() != a.GetY().size()) {
            messages.emplace_back("X, Y, and Z axis data do not have the same number of points");
            return false;
        }
    }
    for (const kx::CNSignalPtr &s : axes) {
        if (s->GetNFP() != a.GetNFP()) {
            messages.emplace_back("X, Y, and Z axis data do not start at the same time");
            return false;
        }
    }
    return true;
}

} // namespace

kx::CNSignalPtr CHICDoc::ReadUds(const std::string &path)
{
    try {
        auto signal = std::make_shared<kx::CNSignal>();
        signal->LoadUDSFile(path);
        kx::AddLoadWarnings(m_messages, path, *signal);
        return signal;
    } catch (const std::exception &e) {
        // Every text names its file.
        const std::string text = e.what();
        m_messages.push_back(text.find(path) == std::string::npos ? path + ": " + text : text);
    } catch (...) {
        m_messages.emplace_back("Failure to read file: " + path);
    }
    return nullptr;
}

bool CHICDoc::LoadUdsResultant(const std::string &path)
{
    ClearSignals();
    kx::CNSignalPtr signal = ReadUds(path);
    if (!signal)
        return false;
    m_res = signal;
    m_baseName = FileNameOf(path);
    return true;
}

bool CHICDoc::LoadUdsXYZ(const std::string &x, const std::string &y, const std::string &z)
{
    ClearSignals();
    std::vector<kx::CNSignalPtr> axes;
    bool result = true;
    for (const std::string *path : {&x, &y, &z}) {
        axes.push_back(ReadUds(*path));
        result = result && axes.back();
    }
    if (!result || !SameSampling(axes, m_messages))
        return false;
    try {
        for (const kx::CNSignalPtr &s : axes) {
            try {
                if (s->GetFilterClass() != kx::filter_class::Cfc1000)
                    s->Filter(kx::filter_class::Cfc1000);
            } catch (const std::exception &e) {
                // The axis file the filter refused is named.
                m_messages.push_back(s->GetPathName() + ": " + e.what());
                return false;
            }
            s->MoveMessagesTo(m_messages);
        }
        auto resultant = std::make_shared<kx::CNSignal>(*axes[0]);
        resultant->Resultant(*axes[0], *axes[1], *axes[2]);
        m_x = axes[0];
        m_y = axes[1];
        m_z = axes[2];
        m_res = resultant;
        m_baseName = FileNameOf(x);
        return true;
    } catch (const std::exception &e) {
        m_messages.emplace_back(e.what());
    }
    return false;
}

bool CHICDoc::LoadAsciiResultant(const std::string &path)
{
    return LoadAscii({path}, {"R"});
}

bool CHICDoc::LoadAsciiXYZ(const std::string &x, const std::string &y, const std::string &z)
{
    return LoadAscii({x, y, z}, {"X", "Y", "Z"});
}

bool CHICDoc::CheckTimeStep(kx::CNSignal &signal, double &dt)
{
    const std::vector<double> &x = signal.GetX();
    if (x.size() < 2) {
        m_messages.emplace_back("Fewer than two points in " + signal.GetPathName());
        return false;
    }
    if (dt == 0.0)
        dt = x[1] - x[0];
    if (dt < 0.0) {
        m_messages.emplace_back("X data must be monotonically increasing");
        return false;
    }
    for (std::size_t i = 1; i < x.size(); ++i) {
        const auto step = static_cast<float>(x[i] - x[i - 1]);
        if (step < 0.0f) {
            m_messages.emplace_back("X axis data must be monotonically increasing");
            return false;
        }
        dt = std::min(dt, static_cast<double>(step));
    }
    // Repeated X values leave no step to sample on.
    if (!(dt > 0.0)) {
        m_messages.emplace_back("X axis data must be monotonically increasing");
        return false;
    }
    signal.SetDel(dt);
    return true;
}

void CHICDoc::SetHeadHeader(kx::CNSignal &signal)
{
    signal.SetXUnits("SECONDS");
    signal.SetXType("TIME");
    signal.SetYUnits("G'S");
    signal.SetSenAtt("HEAD CG");
}

bool CHICDoc::LoadAscii(const std::vector<std::string> &paths, const std::vector<std::string> &letters)
{
    ClearSignals();
    std::vector<kx::CNSignalPtr> axisSignals;
    std::vector<double> steps;
    for (std::size_t k = 0; k < paths.size(); ++k) {
        if (paths[k].find_first_not_of(" \t") == std::string::npos) {
            m_messages.emplace_back("Empty Input File Name for " + letters[k] + "-Component.");
            return false;
        }
    }
    for (std::size_t k = 0; k < paths.size(); ++k) {
        auto signal = std::make_shared<kx::CNSignal>();
        try {
            const std::filesystem::path path(paths[k]);
            std::string folder = path.parent_path().string();
            if (!folder.empty())
                folder += '/';
            signal->ReadPointsFile(folder, path.filename().string());
        } catch (const std::exception &e) {
            const std::string text = e.what();
            m_messages.push_back(text.find(paths[k]) == std::string::npos ? paths[k] + ": " + text : text);
            return false;
        }
        double dt = 0.0;
        if (!CheckTimeStep(*signal, dt))
            return false;
        axisSignals.push_back(signal);
        steps.push_back(dt);
    }
    for (const kx::CNSignalPtr &s : axisSignals) {
        if (s->GetX().size() != axisSignals.front()->GetX().size()) {
            m_messages.emplace_back("X, Y, and Z axis data do not have the same number of points");
            return false;
        }
    }
    for (double dt : steps) {
        if (!SameStep(dt, steps.front())) {
            m_messages.emplace_back("Incompatible Time Steps");
            return false;
        }
    }
    double step = steps.front();
    if (step < 0.00001) {
        m_messages.emplace_back("Minimum Time step in input data is < 10 microseconds");
        m_messages.emplace_back("Resampling data to 0.1 millisec");
        step = 0.0001;
    }
    try {
        for (const kx::CNSignalPtr &s : axisSignals) {
            // On the step from the file's own X values, so time zero stays time zero.
            s->Interpolate(step);
            SetHeadHeader(*s);
            if (m_open.applyFilter) {
                s->Filter(kx::filter_class::Cfc1000);
                s->MoveMessagesTo(m_messages);
            }
        }
        if (axisSignals.size() == 3 && !SameSampling(axisSignals, m_messages))
            return false;
        auto resultant = std::make_shared<kx::CNSignal>(*axisSignals.front());
        if (axisSignals.size() == 3)
            resultant->Resultant(*axisSignals[0], *axisSignals[1], *axisSignals[2]);
        resultant->SetAxis("RS");
        if (axisSignals.size() == 3) {
            m_x = axisSignals[0];
            m_y = axisSignals[1];
            m_z = axisSignals[2];
        }
        m_res = resultant;
        m_baseName = FileNameOf(paths.front());
        return true;
    } catch (const std::exception &e) {
        m_messages.emplace_back(e.what());
    }
    return false;
}

} // namespace hic
