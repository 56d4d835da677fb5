#include "Mirvane/core/CSignal.h"

#include "signal/CPoints.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <utility>

namespace mirvane {

namespace {

std::string Format(const char *format, double value)
{
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

std::string Format(const char *format, double a, double b)
{
    char buffer[800];
    std::snprintf(buffer, sizeof buffer, format, a, b);
    return buffer;
}

} // namespace

CSignal::CSignal() = default;

CSignal::CSignal(std::string fileName)
    : m_fileName(std::move(fileName))
{}

CSignal::~CSignal() = default;

bool CSignal::LoadUDS(std::string *error)
{
    try {
        m_signal.LoadUDSFile(m_fileName);
        return true;
    } catch (const std::exception &e) {
        if (error)
            *error = e.what();
        return false;
    }
}

bool CSignal::LoadPoints(std::string *error)
{
    try {
        kx::CPoints points;
        points.ReadFile(m_fileName);
        if (points.GetCount() == 0)
            throw std::logic_error(kx::NoPointsText(m_fileName));
        kx::CNSignal signal(m_signal);
        signal.SetFileName(m_fileName);
        signal.SetPoints(points.GetPoints());
        signal.SetXType("TIME");
        signal.SetXUnits("SECONDS");
        signal.SetNFP(0);
        signal.SetNLP(static_cast<std::int32_t>(points.GetCount()) - 1);
        signal.SetTstSrc("ASCII File");
        signal.UpdateNumberOfPoints();
        m_signal = std::move(signal);
        return true;
    } catch (const std::exception &e) {
        if (error)
            *error = e.what();
        return false;
    }
}

bool CSignal::Compare(const CSignal &reference)
{
    m_comparison.Compare(m_signal, reference.m_signal);
    m_referenceName = reference.m_fileName;
    return true;
}

double CSignal::GetTestedValue(int column) const
{
    const CComparison &c = m_comparison;
    const double n = static_cast<double>(c.GetCount());
    switch (column) {
    case 2:
        return std::fabs(c.GetResidualSum() / (n * c.GetReferencePeak())) * 100.0;
    case 3:
        return c.GetStdDeviation() / c.GetReferencePeak() * 100.0;
    case 4:
        return c.GetPercentOutside() / 100.0;
    case 5:
        return 1.0 - c.GetCorrelation();
    case 6:
        return std::fabs(c.GetTStatistic());
    default:
        if (column >= 7 && column <= 12)
            return c.GetMomentDifference(column - 7);
        return 0.0;
    }
}

std::string CSignal::GetColumnText(int column) const
{
    const CComparison &c = m_comparison;
    const double n = static_cast<double>(c.GetCount());
    switch (column) {
    case 0:
        return m_fileName;
    case 1:
        return Format("%.1f", c.GetPeak());
    case 2:
        return Format("%f (%.2f %%)", c.GetResidualSum() / n, GetTestedValue(2));
    case 3:
        return Format("%f (%.2f %%)", c.GetStdDeviation(), GetTestedValue(3));
    case 4:
        return Format("%.2f", c.GetPercentOutside());
    case 5:
        return Format("%.3f", c.GetCorrelation());
    case 6:
        return Format("%.2f", std::fabs(c.GetTStatistic()));
    case 13:
        return m_referenceName;
    case 14:
        return Format("%.4f", c.GetWindowStart());
    case 15:
        return Format("%.4f", c.GetWindowEnd());
    default:
        if (column >= 7 && column <= 12)
            return Format("%.3f", c.GetMomentDifference(column - 7));
        return {};
    }
}

Colour CSignal::GetColumnColour(int column) const
{
    return GetColumnColour(column, CriticalValues());
}

Colour CSignal::GetColumnColour(int column, const CCriticalValues &limits) const
{
    return PassFailColour(column, GetTestedValue(column), limits);
}

std::string FileTitle(const std::string &path)
{
    const std::size_t slash = path.find_last_of("/\\:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace mirvane
