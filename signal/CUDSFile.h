#pragma once
// Reader and writer of UDS-1992 signal files.
//
// A file object serves one read or one write. ReadFile fills the header
// fields and the samples; WriteFile lays the header fields and the samples
// into one buffer and replaces the target file in one step. Failures throw
// std::logic_error with the text the user sees.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "signal/CPoint.h"
#include "signal/CUDS1992.h"
#include "signal/CUDSFields.h"

namespace kx {

class CUDSFile : public CUDS1992, public CUDSFields {
public:
    enum class IntOrder : int { BigEndian = 1, LittleEndian = 2, Unknown = 3 };
    enum class FloatFormat : int { IeeeLittleEndian = 1, IeeeBigEndian = 2, Vax = 3, Unknown = 4 };

    using PointPtr = std::shared_ptr<CPoint<double>>;
    using PointList = std::vector<PointPtr>;
    using Bytes = std::array<unsigned char, 4>;

    CUDSFile();
    CUDSFile(const CUDSFile &) = delete;
    CUDSFile &operator=(const CUDSFile &) = delete;
    ~CUDSFile() override;

    void ReadFile(const std::string &path);
    void WriteFile(const std::string &path);

    // The samples as points (x, y, z = 0, empty label). After a read or
    // SetSamples the list is built on first use (x = 0 where no x was given).
    const PointList &GetPoints() const;
    void SetPoints(const PointList &points);

    // The samples as plain arrays: what the last read decoded, or what
    // SetSamples gave. Cheaper than the point list for large signals.
    const std::vector<double> &GetSampleX() const { return m_SampleX; }
    const std::vector<double> &GetSampleY() const { return m_SampleY; }
    // Samples to write, in place of a point list. x may be empty for a "Y" file.
    void SetSamples(std::vector<double> x, std::vector<double> y);
    // Moves the sample arrays out (what a read decoded or SetSamples gave), leaving
    // this object without samples.
    void TakeSamples(std::vector<double> &x, std::vector<double> &y);

    // Write big-endian integers and IEEE big-endian floats ("SUN").
    void SetWriteBigEndian() { m_WriteBigEndian = true; }
    bool GetWriteBigEndian() const { return m_WriteBigEndian; }
    // Write in the given float format (and its integer order) instead of the
    // host's; the big-endian flag still takes precedence.
    void SetWriteFloatFormat(FloatFormat format) { m_WriteFormat = format; }

    const std::string &GetFileName() const { return m_FileName; }
    void SetFileName(const std::string &name) { m_FileName = name; }
    const std::string &GetPathName() const { return m_PathName; }
    void SetPathName(const std::string &name) { m_PathName = name; }
    const std::string &GetText3() const { return m_Text3; }
    void SetText3(const std::string &text) { m_Text3 = text; }

    IntOrder GetFileIntOrder() const { return m_FileIntOrder; }
    FloatFormat GetFileFloatFormat() const { return m_FileFloatFormat; }
    IntOrder GetHostIntOrder() const { return m_HostIntOrder; }
    FloatFormat GetHostFloatFormat() const { return m_HostFloatFormat; }
    // Record 2 was present (read) or was written.
    bool HasComponent2Record() const { return m_HasRecord2; }
    // Samples of the last read whose Y (or X) was stored as NaN and read as 0.
    std::size_t GetNaNSampleCount() const { return m_NaNSamples; }
    // Samples of the last read whose Y (or X) is infinite; they are kept.
    std::size_t GetInfSampleCount() const { return m_InfSamples; }

    // Number conversions on the four bytes of one value, as stored.
    static IntOrder ProbeHostIntOrder();
    static FloatFormat ProbeHostFloatFormat();
    static Bytes ConvertInt(Bytes bytes, IntOrder from, IntOrder to);
    static Bytes ConvertFloat(Bytes bytes, FloatFormat from, FloatFormat to);
    // NUMFORM text of a float format: "IEEE", "SUN", "VAX" or "UKNOWN".
    static std::string GetFloatFormatName(FloatFormat format);
    // Integer order that goes with a float format.
    static IntOrder IntOrderOf(FloatFormat format);

    // Size in bytes of the file the current fields and samples make.
    std::uint64_t ComputeFileSize() const;

private:
    std::int32_t ReadInt(std::size_t offset);
    float ReadFloat(std::size_t offset);
    void WriteInt(std::int32_t value, std::size_t offset);
    void WriteFloat(float value, std::size_t offset);
    std::string ReadText(std::size_t offset, std::size_t length) const;
    void WriteText(const std::string &text, std::size_t offset, std::size_t length);

    template <UdsKind K>
    typename UdsKindType<K>::Value ReadField(std::size_t base, UdsField field);
    template <UdsKind K>
    void WriteField(std::size_t base, UdsField field, typename UdsKindType<K>::Get value);

    void SetFileIntOrderFromNUMFORM();
    void SetFileFloatFormatFromNUMFORM();

    void ReadTestRecord();
    void ReadComponent2Record();
    void ReadCurveRecord();
    void ReadDataRecords(int fd, const std::string &path);

    void BuildRecords();
    // The point count must be NLP - NFP + 1 (and X as long as Y in an X-Y file).
    void CheckPointCount() const;
    void WriteTestRecord();
    void WriteComponent2Record();
    void WriteCurveRecord();
    void WriteDataRecords();

    void FreeBuffer();
    void ClearSamples();
    std::size_t HeaderRecords() const;
    std::uint64_t SampleCount() const;
    bool WantsRecord2() const;

    Bytes m_Scratch{};
    IntOrder m_FileIntOrder = IntOrder::Unknown;
    FloatFormat m_FileFloatFormat = FloatFormat::Unknown;
    IntOrder m_HostIntOrder = IntOrder::Unknown;
    FloatFormat m_HostFloatFormat = FloatFormat::Unknown;
    bool m_HasRecord2 = false;
    bool m_WriteBigEndian = false;
    FloatFormat m_WriteFormat = FloatFormat::Unknown;
    // The header records while a file is read, the whole file while it is
    // built. m_BufferSize is the size of the file.
    std::unique_ptr<unsigned char[]> m_Buffer;
    std::size_t m_BufferSize = 0;

    // Samples are held either as a point list or as plain arrays; the point
    // list is made from the arrays when first asked for.
    mutable PointList m_Points;
    mutable bool m_PointsFromSamples = false;
    std::vector<double> m_SampleX;
    std::vector<double> m_SampleY;
    std::size_t m_NaNSamples = 0;
    std::size_t m_InfSamples = 0;

    std::string m_FileName;
    std::string m_PathName;
    std::string m_Text3;
};

} // namespace kx
