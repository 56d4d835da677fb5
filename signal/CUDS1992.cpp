#include "signal/CUDS1992.h"

namespace kx {

namespace {

constexpr std::uint32_t kBlockNameOffset = 0;
constexpr std::uint32_t kBlockNameLength = 12;

// Offset of each field: the running sum of the lengths before it in its
// record, from 0 for record 1 and from the end of the block name for 2 and 3.
constexpr std::array<std::uint32_t, kUdsFieldCount> ComputeOffsets()
{
    std::array<std::uint32_t, kUdsFieldCount> offsets{};
    std::uint32_t next[4] = {0, 0, kBlockNameOffset + kBlockNameLength, kBlockNameOffset + kBlockNameLength};
    for (std::size_t i = 0; i < kUdsFieldCount; ++i) {
        const auto &info = kUdsFieldInfo[i];
        offsets[i] = next[info.record];
        next[info.record] += info.width;
    }
    return offsets;
}

constexpr auto kOffsets = ComputeOffsets();

constexpr std::uint32_t OffsetOf(UdsField f)
{
    return kOffsets[static_cast<std::size_t>(f)];
}

// The table must reproduce the published layout.
static_assert(OffsetOf(UdsField::NumForm) == 26);
static_assert(OffsetOf(UdsField::TstNo) == 49);
static_assert(OffsetOf(UdsField::ClsSpd) == 177);
static_assert(OffsetOf(UdsField::Occupant1Restraint1) == 315);
static_assert(OffsetOf(UdsField::AIS) == 379);
static_assert(OffsetOf(UdsField::Vehicle2Number) == 12);
static_assert(OffsetOf(UdsField::Occupant2Restraint2) == 166);
static_assert(OffsetOf(UdsField::IChan) == 12);
static_assert(OffsetOf(UdsField::NFP) == 278);
static_assert(OffsetOf(UdsField::SclFac) == 310);
static_assert(OffsetOf(UdsField::CD2) == 374);

} // namespace

CUDS1992::CUDS1992()
    : m_ValuesPerRecord(125)
    , m_IntSize(4)
    , m_FloatSize(4)
    , m_RecordSize(512)
    , m_BlockNameLength(kBlockNameLength)
    , m_BlockNameOffset(kBlockNameOffset)
    , m_Offset(kOffsets)
{
    for (std::size_t i = 0; i < kUdsFieldCount; ++i) {
        m_Length[i] = kUdsFieldInfo[i].width;
    }
}

CUDS1992::~CUDS1992() = default;

std::uint32_t CUDS1992::GetRecordUsed(int record) const
{
    std::uint32_t end = record == 1 ? 0 : m_BlockNameOffset + m_BlockNameLength;
    for (std::size_t i = 0; i < kUdsFieldCount; ++i) {
        if (kUdsFieldInfo[i].record == record) {
            end = m_Offset[i] + m_Length[i];
        }
    }
    return end;
}

} // namespace kx
