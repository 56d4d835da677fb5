#pragma once
// Layout table of the UDS-1992 file: record constants and the length and
// offset of every header field within its record.

#include <array>
#include <cstdint>

#include "signal/UdsFieldTable.h"

namespace kx {

class CUDS1992 {
public:
    CUDS1992();
    CUDS1992(const CUDS1992 &) = default;
    CUDS1992 &operator=(const CUDS1992 &) = default;
    virtual ~CUDS1992();

    std::uint32_t GetValuesPerRecord() const { return m_ValuesPerRecord; }
    std::uint32_t GetIntSize() const { return m_IntSize; }
    std::uint32_t GetFloatSize() const { return m_FloatSize; }
    std::uint32_t GetRecordSize() const { return m_RecordSize; }
    std::uint32_t GetBlockNameLength() const { return m_BlockNameLength; }
    std::uint32_t GetBlockNameOffset() const { return m_BlockNameOffset; }

    // Length in bytes of a field in the file.
    std::uint32_t GetLength(UdsField field) const { return m_Length[Index(field)]; }
    // Offset of a field from the start of its record.
    std::uint32_t GetOffset(UdsField field) const { return m_Offset[Index(field)]; }
    // Offset just past the last field of a record (1, 2 or 3).
    std::uint32_t GetRecordUsed(int record) const;

private:
    static constexpr std::size_t Index(UdsField field) { return static_cast<std::size_t>(field); }

    std::uint32_t m_ValuesPerRecord;
    std::uint32_t m_IntSize;
    std::uint32_t m_FloatSize;
    std::uint32_t m_RecordSize;
    std::uint32_t m_BlockNameLength;
    std::uint32_t m_BlockNameOffset;
    std::array<std::uint32_t, kUdsFieldCount> m_Length;
    std::array<std::uint32_t, kUdsFieldCount> m_Offset;
};

} // namespace kx
