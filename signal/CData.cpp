#include "signal/CData.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <utility>

#include "signal/DataStatus.h"
#include "signal/UdsMemory.h"

namespace kx {

namespace {

// Largest and smallest element; the first occurrence wins, an empty vector gives 0.0.
void Extremes(const std::vector<double> &v, double &max, double &min)
{
    if (v.empty()) {
        max = 0.0;
        min = 0.0;
        return;
    }
    // Four running pairs (branch-free, so the loop vectorises), merged in order.
    const double *d = v.data();
    const std::size_t n = v.size();
    double mx0 = d[0], mx1 = d[0], mx2 = d[0], mx3 = d[0];
    double mn0 = d[0], mn1 = d[0], mn2 = d[0], mn3 = d[0];
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        mx0 = d[i] > mx0 ? d[i] : mx0;
        mx1 = d[i + 1] > mx1 ? d[i + 1] : mx1;
        mx2 = d[i + 2] > mx2 ? d[i + 2] : mx2;
        mx3 = d[i + 3] > mx3 ? d[i + 3] : mx3;
        mn0 = d[i] < mn0 ? d[i] : mn0;
        mn1 = d[i + 1] < mn1 ? d[i + 1] : mn1;
        mn2 = d[i + 2] < mn2 ? d[i + 2] : mn2;
        mn3 = d[i + 3] < mn3 ? d[i + 3] : mn3;
    }
    for (; i < n; ++i) {
        mx0 = d[i] > mx0 ? d[i] : mx0;
        mn0 = d[i] < mn0 ? d[i] : mn0;
    }
    max = mx0;
    max = mx1 > max ? mx1 : max;
    max = mx2 > max ? mx2 : max;
    max = mx3 > max ? mx3 : max;
    min = mn0;
    min = mn1 < min ? mn1 : min;
    min = mn2 < min ? mn2 : min;
    min = mn3 < min ? mn3 : min;
}

std::vector<double> TimeAxis(std::int32_t nfp, std::int32_t count, double del)
{
    std::vector<double> x;
    x.reserve(static_cast<std::size_t>(std::max<std::int32_t>(count, 0)));
    for (std::int32_t i = 0; i < count; ++i)
        x.push_back((static_cast<double>(nfp) + static_cast<double>(i)) * del);
    return x;
}

} // namespace

CData::CData()
{
    CUDSFields::SetStatus(m_status);
}

CData::CData(const CData &other)
    : CDataFields(other)
{
    CopyOwnMembers(other);
}

CData::CData(const std::shared_ptr<CData> &other)
    : CData(other ? *other : throw std::logic_error("No Information."))
{}

CData &CData::operator=(const CData &other)
{
    if (this != &other) {
        CDataFields::operator=(other);
        CopyOwnMembers(other);
    }
    return *this;
}

void CData::Assign(const std::shared_ptr<CData> &other)
{
    if (!other)
        throw std::logic_error("No Information.");
    *this = *other;
}

CData::~CData() = default;

void CData::CopyOwnMembers(const CData &other, bool copyY)
{
    m_fileName = other.m_fileName;
    m_directory = other.m_directory;
    CopySamples(m_x, other.m_x);
    if (copyY)
        CopySamples(m_y, other.m_y);
    CopySamples(m_z, other.m_z);
    m_numberOfPoints = other.m_numberOfPoints;
    m_chestClip = other.m_chestClip;
    m_status = other.m_status;
    m_direction = other.m_direction;
    m_sensorType = other.m_sensorType;
    m_xMax = other.m_xMax;
    m_xMin = other.m_xMin;
    m_yMax = other.m_yMax;
    m_yMin = other.m_yMin;
    m_zMax = other.m_zMax;
    m_zMin = other.m_zMin;
    m_startTime = other.m_startTime;
    m_endTime = other.m_endTime;
    m_pathName = other.m_pathName;
    m_fileText = other.m_fileText;
    m_modified = other.m_modified;
    m_writeBigEndian = other.m_writeBigEndian;
    m_filterClass = other.m_filterClass;
    m_nanSampleCount = other.m_nanSampleCount;
    m_infSampleCount = other.m_infSampleCount;
}

void CData::GetXYZ(std::vector<double> &x, std::vector<double> &y, std::vector<double> &z) const
{
    x = m_x;
    y = m_y;
    z = m_z;
}

void CData::SetXYZData(const std::vector<double> &x, const std::vector<double> &y, const std::vector<double> &z)
{
    // Everything is decided on copies; the signal changes only once all checks passed.
    std::vector<double> newX;
    bool keepX = false;
    if (x.empty()) {
        if (y.empty() && z.empty())
            throw std::logic_error("No X, Y or Z Siganl Data.");
        if (GetDel() == 0.0) {
            if (m_x.empty())
                throw std::logic_error("No x signal data and delt is zero.");
            keepX = true;
        } else if (m_x.empty()) {
            if (GetNFP() == 0 && GetNLP() == 0)
                throw std::logic_error("No x signal data, NFP and NLP are zero.\nSet x signal data or set NFP and NLP");
            // Counted before the axis is made: NFP and NLP may claim billions of points.
            const std::int32_t count = CountPoints(GetNFP(), GetNLP());
            if (!y.empty() && y.size() != static_cast<std::size_t>(count))
                throw std::logic_error("X and Y Counts are different");
            newX = TimeAxis(GetNFP(), count, GetDel());
        } else {
            keepX = true;
        }
    } else {
        newX = x;
    }
    const std::vector<double> &X = keepX ? m_x : newX;

    // An empty y keeps the current Y.
    const bool keepY = y.empty();
    if (keepY && m_y.empty())
        throw std::logic_error("No Y Signal Data");
    std::vector<double> newY;
    if (!keepY)
        newY = y;
    const std::vector<double> &Y = keepY ? m_y : newY;

    std::vector<double> newZ;
    bool keepZ = false;
    if (z.empty()) {
        if (!m_z.empty() && m_z.size() == Y.size()) {
            keepZ = true;
        } else {
            newZ.assign(Y.size(), 0.0);
            if (X.size() != Y.size())
                throw std::logic_error("x != y signal data");
        }
    } else {
        newZ = z;
    }
    if (keepZ || !z.empty()) {
        const std::size_t zSize = keepZ ? m_z.size() : newZ.size();
        if (X.size() != Y.size() || X.size() != zSize)
            throw std::logic_error("x != y != z signal data");
    }

    if (!keepX)
        m_x = std::move(newX);
    if (!keepY)
        m_y = std::move(newY);
    if (!keepZ)
        m_z = std::move(newZ);
    UpdateDerived();
}

void CData::SetXYData(const std::vector<double> &x, const std::vector<double> &y)
{
    if (x.empty() && y.empty())
        throw std::logic_error("No X or Y Signal Data");
    SetXYZData(x, y, {});
}

void CData::SetYData(const std::vector<double> &y)
{
    if (y.empty())
        throw std::logic_error("No Y Signal Data");
    SetXYZData({}, y, {});
}

void CData::SetPoints(const PointList &points)
{
    if (points.empty() || std::any_of(points.begin(), points.end(), [](const PointPtr &p) { return !p; }))
        throw std::logic_error("No Information.");
    std::vector<double> x;
    std::vector<double> y;
    std::vector<double> z;
    x.reserve(points.size());
    y.reserve(points.size());
    z.reserve(points.size());
    for (const PointPtr &p : points) {
        x.push_back(p->GetX());
        y.push_back(p->GetY());
        z.push_back(p->GetZ());
    }
    m_x = std::move(x);
    m_y = std::move(y);
    m_z = std::move(z);
    UpdateDerived();
}

const CData::PointList &CData::MakePoints()
{
    m_points.clear();
    m_points.reserve(m_y.size());
    // X or Z shorter than Y (never made by the setters) reads as 0.0.
    for (std::size_t i = 0; i < m_y.size(); ++i) {
        const double x = i < m_x.size() ? m_x[i] : 0.0;
        const double z = i < m_z.size() ? m_z[i] : 0.0;
        m_points.push_back(std::make_shared<CPoint<double>>(x, m_y[i], z));
    }
    return m_points;
}

void CData::SetPointAt(double x, double y, std::size_t index)
{
    if (index >= m_x.size() || index >= m_y.size())
        throw std::logic_error(" Index Out of Bounds...");
    m_x[index] = x;
    m_y[index] = y;
}

void CData::MakeTimeAxis()
{
    m_x.clear();
    UpdateNumberOfPoints();
    m_x = TimeAxis(GetNFP(), m_numberOfPoints, GetDel());
}

std::int32_t CData::CountPoints(std::int32_t first, std::int32_t last)
{
    if (first == 0 && last == 0)
        return 0;
    if (first > last)
        return 0;
    const std::int64_t n = static_cast<std::int64_t>(last) - first + 1;
    return static_cast<std::int32_t>(std::min<std::int64_t>(n, std::numeric_limits<std::int32_t>::max()));
}

void CData::UpdateNumberOfPoints()
{
    m_numberOfPoints = CountPoints(GetNFP(), GetNLP());
}

void CData::ComputeTimeRange()
{
    m_startTime = static_cast<double>(GetNFP()) * GetDel();
    m_endTime = static_cast<double>(GetNLP()) * GetDel();
}

void CData::GetTimeRange(double &start, double &end)
{
    ComputeTimeRange();
    start = m_startTime;
    end = m_endTime;
}

void CData::UpdateMinMax()
{
    Extremes(m_x, m_xMax, m_xMin);
    Extremes(m_y, m_yMax, m_yMin);
    Extremes(m_z, m_zMax, m_zMin);
}

namespace {

// Maps the pages of a large block at once when they are fresh; memory the allocator
// reuses (its first and last pages already there) is left as it is, since walking
// mapped pages again costs more than it saves.
void PrefaultIfFresh(void *data, std::size_t bytes)
{
    constexpr std::size_t kLarge = std::size_t{1} << 20;
    if (data == nullptr || bytes < kLarge)
        return;
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto first = (reinterpret_cast<std::uintptr_t>(data) + page - 1) / page * page;
    const auto last = (reinterpret_cast<std::uintptr_t>(data) + bytes) / page * page - page;
    unsigned char inFirst = 0;
    unsigned char inLast = 0;
    if (last > first && ::mincore(reinterpret_cast<void *>(first), page, &inFirst) == 0 &&
        ::mincore(reinterpret_cast<void *>(last), page, &inLast) == 0 && (inFirst & 1) != 0 && (inLast & 1) != 0)
        return;
    PrefaultMemory(data, bytes);
}

} // namespace

std::vector<double> CData::NewSamples(std::size_t n)
{
    std::vector<double> v;
    v.reserve(n);
    PrefaultIfFresh(v.data(), n * sizeof(double));
    v.resize(n);
    return v;
}

void CData::CopySamples(std::vector<double> &to, const std::vector<double> &from)
{
    if (&to == &from)
        return;
    if (to.capacity() < from.size()) {
        std::vector<double> fresh;
        fresh.reserve(from.size());
        PrefaultIfFresh(fresh.data(), from.size() * sizeof(double));
        to.swap(fresh);
    }
    to.assign(from.begin(), from.end());
}

void CData::TakeSamples(std::vector<double> &&x, std::vector<double> &&y)
{
    m_x = std::move(x);
    m_y = std::move(y);
    if (m_z.capacity() < m_y.size())
        m_z = NewSamples(m_y.size());
    else
        m_z.assign(m_y.size(), 0.0);
    Extremes(m_x, m_xMax, m_xMin);
    Extremes(m_y, m_yMax, m_yMin);
    m_zMax = 0.0;
    m_zMin = 0.0;
}

void CData::AssignWithY(const CData &source, std::vector<double> &&y)
{
    if (this != &source) {
        CDataFields::operator=(source);
        CopyOwnMembers(source, false);
    }
    m_y = std::move(y);
    if (m_z.size() != m_y.size())
        m_z.assign(m_y.size(), 0.0);
    // X and Z are the source's, and so are their extremes.
    Extremes(m_y, m_yMax, m_yMin);
    ComputeTimeRange();
    UpdateNumberOfPoints();
}

void CData::UpdateDerived()
{
    UpdateMinMax();
    ComputeTimeRange();
    UpdateNumberOfPoints();
}

void CData::SetStatus(const std::string &status)
{
    m_status = DataStatus::Normalise(status);
    CUDSFields::SetStatus(m_status);
}

void CData::SetChestClip(double clip)
{
    m_chestClip = clip;
    CUDSFields::SetCLIP3M(static_cast<float>(clip));
}

} // namespace kx
