// Moving a signal to and from UDS-1992 files and points text files.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>

#include "signal/CData.h"
#include "signal/CPoints.h"
#include "signal/CUDSFile.h"
#include "signal/DataStatus.h"
#include "signal/TimeStep.h"

namespace kx {

namespace {

constexpr double kFir100Cutoff = 100.0;
constexpr double kFir100Stop = 189.0;

// Header values as the file object holds them: reals narrowed to float.
float ToFile(double value)
{
    return static_cast<float>(value);
}
std::int32_t ToFile(std::int32_t value)
{
    return value;
}
const std::string &ToFile(const std::string &value)
{
    return value;
}

} // namespace

void CData::LoadUDSFile(const std::string &path)
{
    auto file = std::make_unique<CUDSFile>();
    file->ReadFile(path);
    // The decoded samples move over; only the point list route can still refuse.
    if (!file->GetSampleY().empty() && file->GetSampleX().size() == file->GetSampleY().size()) {
        std::vector<double> x;
        std::vector<double> y;
        file->TakeSamples(x, y);
        TakeSamples(std::move(x), std::move(y));
    } else {
        SetPoints(file->GetPoints());
    }
    HeaderFromUDSFile(*file);
    if (m_pathName.empty())
        m_pathName = path;
}

void CData::FromUDSFile(const CUDSFile &file)
{
    // The samples first: they are the only part that can be refused.
    const std::vector<double> &sx = file.GetSampleX();
    const std::vector<double> &sy = file.GetSampleY();
    if (!sy.empty() && sx.size() == sy.size())
        TakeSamples(std::vector<double>(sx), std::vector<double>(sy));
    else
        SetPoints(file.GetPoints());
    HeaderFromUDSFile(file);
}

void CData::HeaderFromUDSFile(const CUDSFile &file)
{
    m_fileName = file.GetFileName();
    m_pathName = file.GetPathName();
    m_fileText = file.GetText3();
    m_nanSampleCount = file.GetNaNSampleCount();
    m_infSampleCount = file.GetInfSampleCount();

    // Every header field through this signal's setters: reals widen to double,
    // STATUS is normalised; CLIP3M is the chest clip value.
#define KX_FIELD_FROM_FILE(stem, width, kind, def) Set##stem(file.Get##stem());
    KX_UDS_ALL_FIELDS(KX_FIELD_FROM_FILE)
#undef KX_FIELD_FROM_FILE
    SetChestClip(file.GetCLIP3M());
    SetExtraText1(file.GetExtraText1());
    SetExtraText2(file.GetExtraText2());
    SetExtraText3(file.GetExtraText3());
    SetExtraText4(file.GetExtraText4());
    SetExtraText5(file.GetExtraText5());

    // A signal filtered with FIR100 keeps its class, so it is not filtered twice, even
    // when a later step (overlap distortion, truncation) replaced its status: FIR100
    // leaves its own cut-off and stop frequencies in the header.
    if (m_status == DataStatus::Fir100Filtered || (GetFCut() == kFir100Cutoff && GetFStp() == kFir100Stop))
        m_filterClass = filter_class::Fir100;
    else
        m_filterClass = ChannelClassFromFrequencies(GetPreFil(), GetFCut());

    if (file.GetFileForm() == "X-Y")
        TakeStepFromTimes();
    ComputeTimeRange();
    UpdateNumberOfPoints();
}

void CData::TakeStepFromTimes()
{
    // Times on a grid give the step (and the first point number) the grid has; any
    // others leave no step, so the signal is saved with its own times.
    if (const std::optional<TimeGrid> grid = FindTimeGrid(m_x, GetNFP(), GetDel())) {
        SetDel(grid->step);
        SetNFP(grid->first);
        SetNLP(grid->first + static_cast<std::int32_t>(m_x.size()) - 1);
    } else {
        SetDel(0.0);
    }
}

bool CData::HasTimeStep() const
{
    const double step = GetDel();
    if (!(step > 0.0) || !std::isfinite(step))
        return false;
    return m_x.size() != m_y.size() || TimesOnGrid(m_x, step, GetNFP());
}

void CData::ToUDSFile(CUDSFile &file)
{
    if (m_writeBigEndian)
        file.SetWriteBigEndian();
    // The writer takes plain arrays: X only for an "X-Y" file, shorter X or Z read as 0.
    std::vector<double> x;
    if (!HasTimeStep()) {
        x.assign(m_x.begin(), m_x.begin() + static_cast<std::ptrdiff_t>(std::min(m_x.size(), m_y.size())));
        x.resize(m_y.size(), 0.0);
    }
    file.SetSamples(std::move(x), m_y);
    HeaderToUDSFile(file);
}

void CData::HeaderToUDSFile(CUDSFile &file) const
{
    file.SetFileName(m_fileName);
    file.SetPathName(m_pathName);
    file.SetText3(m_fileText);

#define KX_FIELD_TO_FILE(stem, width, kind, def) file.Set##stem(ToFile(Get##stem()));
    KX_UDS_ALL_FIELDS(KX_FIELD_TO_FILE)
#undef KX_FIELD_TO_FILE
    file.SetFileVer("UDS-1992");
    // Times that are not the multiples of a step are written one by one, never
    // replaced by (NFP + i) * DEL.
    const bool ownTimes = !HasTimeStep();
    file.SetFileForm(ownTimes ? "X-Y" : "Y");
    if (ownTimes)
        file.SetDel(0.0F);
    file.SetStatus(m_status);
    file.SetCLIP3M(ToFile(m_chestClip));
    file.SetExtraText1(GetExtraText1());
    file.SetExtraText2(GetExtraText2());
    file.SetExtraText3(GetExtraText3());
    file.SetExtraText4(GetExtraText4());
    file.SetExtraText5(GetExtraText5());
}

void CData::SaveToUDSFile(const std::string &path)
{
    auto file = std::make_unique<CUDSFile>();
    const bool xy = !HasTimeStep();
    if (xy && m_x.size() != m_y.size()) {
        ToUDSFile(*file);
        file->WriteFile(path);
        return;
    }
    if (m_writeBigEndian)
        file->SetWriteBigEndian();
    HeaderToUDSFile(*file);
    // The samples are lent to the writer, not copied, and come back whatever happens.
    struct Lent {
        CData &data;
        CUDSFile &file;
        bool xy;
        ~Lent()
        {
            std::vector<double> x;
            std::vector<double> y;
            file.TakeSamples(x, y);
            data.m_y = std::move(y);
            if (xy)
                data.m_x = std::move(x);
        }
    };
    file->SetSamples(xy ? std::move(m_x) : std::vector<double>(), std::move(m_y));
    const Lent lent{*this, *file, xy};
    file->WriteFile(path);
}

void CData::ReadPointsFile(const std::string &directory, const std::string &name)
{
    const std::string fullName = directory + name;
    CPoints points;
    points.ReadFile(fullName);
    if (points.GetCount() == 0)
        throw std::logic_error(NoPointsText(fullName));
    SetPoints(points.GetPoints());
    m_nanSampleCount = 0;
    m_infSampleCount = 0;

    m_fileName = name;
    m_directory = directory;
    m_pathName = fullName;
    SetXType("TIME");
    SetXUnits("SECONDS");
    SetNFP(0);
    SetNLP(static_cast<std::int32_t>(points.GetCount()) - 1);
    SetTstSrc("ASCII File");
    ComputeTimeRange();
    UpdateNumberOfPoints();
}

} // namespace kx
