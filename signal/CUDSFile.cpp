#include "signal/CUDSFile.h"
#include "signal/CReplacingFile.h"
#include "signal/CTextLineReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>

#include "signal/UdsMemory.h"

namespace kx {

namespace {

using Bytes = CUDSFile::Bytes;
using IntOrder = CUDSFile::IntOrder;
using FloatFormat = CUDSFile::FloatFormat;

constexpr Bytes kZero{0, 0, 0, 0};

constexpr Bytes Reverse(Bytes b)
{
    return {b[3], b[2], b[1], b[0]};
}

constexpr unsigned char Byte(int v)
{
    return static_cast<unsigned char>(v & 0xFF);
}

// IEEE single (bytes most significant first) to VAX F-floating.
constexpr Bytes IeeeBigToVax(Bytes b)
{
    const unsigned char e = b[0];
    if (e == 0x00 || e == 0x80) {
        return kZero;
    }
    if (e == 0x7F || e == 0xFF) {
        return {0xFF, e, 0xFF, 0xFF};
    }
    return {b[1], Byte(e + 1), b[3], b[2]};
}

// VAX F-floating to IEEE single (bytes most significant first).
constexpr Bytes VaxToIeeeBig(Bytes b)
{
    const unsigned char e = b[1];
    if (e == 0x00 || e == 0x80) {
        return kZero;
    }
    return {Byte(e - 1), b[0], b[3], b[2]};
}

constexpr Bytes ConvertFloatBytes(Bytes b, FloatFormat from, FloatFormat to)
{
    if (from == to) {
        return b;
    }
    switch (from) {
    case FloatFormat::IeeeLittleEndian:
        if (to == FloatFormat::IeeeBigEndian)
            return Reverse(b);
        if (to == FloatFormat::Vax)
            return IeeeBigToVax(Reverse(b));
        break;
    case FloatFormat::IeeeBigEndian:
        if (to == FloatFormat::IeeeLittleEndian)
            return Reverse(b);
        if (to == FloatFormat::Vax)
            return IeeeBigToVax(b);
        break;
    case FloatFormat::Vax:
        if (to == FloatFormat::IeeeLittleEndian)
            return Reverse(VaxToIeeeBig(b));
        if (to == FloatFormat::IeeeBigEndian)
            return VaxToIeeeBig(b);
        break;
    case FloatFormat::Unknown:
        break;
    }
    return kZero;
}

constexpr Bytes ConvertIntBytes(Bytes b, IntOrder from, IntOrder to)
{
    const bool known_from = from == IntOrder::BigEndian || from == IntOrder::LittleEndian;
    const bool known_to = to == IntOrder::BigEndian || to == IntOrder::LittleEndian;
    if (known_from && known_to && from != to) {
        return Reverse(b);
    }
    if (from == to) {
        return b;
    }
    return kZero;
}

static_assert(ConvertFloatBytes({0x00, 0x00, 0x80, 0x3F}, FloatFormat::IeeeLittleEndian, FloatFormat::Vax) ==
              Bytes{0x80, 0x40, 0x00, 0x00});
static_assert(ConvertFloatBytes({0x80, 0x40, 0x00, 0x00}, FloatFormat::Vax, FloatFormat::IeeeLittleEndian) ==
              Bytes{0x00, 0x00, 0x80, 0x3F});

// Decoding and encoding of runs of float values, with the formats fixed at
// compile time so that the inner loops stay free of branches on the format.
// On a little-endian IEEE host the three file formats are converted on whole
// 32-bit words, which the compiler turns into vector code; the byte-wise
// conversion above is the reference they follow.
constexpr bool kLittleEndianHost = std::endian::native == std::endian::little;

constexpr std::uint32_t Rotate16(std::uint32_t w)
{
    return (w >> 16) | (w << 16);
}

// Written with shifts so that it vectorizes without byte-shuffle instructions.
constexpr std::uint32_t Swap32(std::uint32_t w)
{
    return (w >> 24) | ((w >> 8) & 0xFF00U) | ((w << 8) & 0xFF0000U) | (w << 24);
}

// All ones when the condition holds, else zero: selects without branches.
constexpr std::uint32_t MaskIf(bool condition)
{
    return 0U - static_cast<std::uint32_t>(condition);
}

constexpr bool IsNaNBits(std::uint32_t bits)
{
    return (bits & 0x7FFFFFFFU) > 0x7F800000U;
}

constexpr std::uint32_t ZeroIfNaN(std::uint32_t bits)
{
    return bits & MaskIf(!IsNaNBits(bits));
}

// File word (its four bytes loaded little-endian) to IEEE little-endian bits.
template <FloatFormat From>
constexpr std::uint32_t WordToIeee(std::uint32_t w)
{
    if constexpr (From == FloatFormat::IeeeLittleEndian) {
        return w;
    } else if constexpr (From == FloatFormat::IeeeBigEndian) {
        return Swap32(w);
    } else {
        // VAX [b0 b1 b2 b3] -> [b2 b3 b0 b1 - 1]; exponent byte 0 or 0x80 is zero.
        return (Rotate16(w) - 0x01000000U) & MaskIf((w & 0x7F00U) != 0);
    }
}

// IEEE little-endian bits to the file word.
template <FloatFormat To>
constexpr std::uint32_t IeeeToWord(std::uint32_t bits)
{
    if constexpr (To == FloatFormat::IeeeLittleEndian) {
        return bits;
    } else if constexpr (To == FloatFormat::IeeeBigEndian) {
        return Swap32(bits);
    } else {
        const std::uint32_t e = bits >> 24;
        const std::uint32_t top = e & 0x7FU;
        const std::uint32_t largest = MaskIf(top == 0x7FU);
        const std::uint32_t normal = Rotate16(bits) + 0x100U;
        return ((normal & ~largest) | ((0xFFFF00FFU | (e << 8)) & largest)) & MaskIf(top != 0);
    }
}

template <FloatFormat F>
constexpr bool kWordPath = F != FloatFormat::Unknown;

// Returns how many of the values were NaN (and became 0).
template <FloatFormat From, FloatFormat To>
std::size_t DecodeRun(const unsigned char *src, std::size_t count, double *dst)
{
    std::size_t nans = 0;
    if constexpr (kLittleEndianHost && To == FloatFormat::IeeeLittleEndian && kWordPath<From>) {
        // The mask that zeroes a NaN also counts the numbers.
        std::size_t numbers = 0;
        for (std::size_t i = 0; i < count; ++i) {
            std::uint32_t w;
            std::memcpy(&w, src + 4 * i, 4);
            const std::uint32_t ieee = WordToIeee<From>(w);
            const std::uint32_t keep = MaskIf(!IsNaNBits(ieee));
            numbers += keep & 1U;
            const std::uint32_t bits = ieee & keep;
            float f;
            std::memcpy(&f, &bits, 4);
            dst[i] = static_cast<double>(f);
        }
        nans = count - numbers;
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            Bytes b;
            std::memcpy(b.data(), src + 4 * i, 4);
            b = ConvertFloatBytes(b, From, To);
            float f;
            std::memcpy(&f, b.data(), 4);
            nans += std::isnan(f) ? 1U : 0U;
            dst[i] = std::isnan(f) ? 0.0 : static_cast<double>(f);
        }
    }
    return nans;
}

template <FloatFormat From, FloatFormat To>
void EncodeRun(const double *src, std::size_t count, unsigned char *dst)
{
    if constexpr (kLittleEndianHost && From == FloatFormat::IeeeLittleEndian && kWordPath<To>) {
        for (std::size_t i = 0; i < count; ++i) {
            const float f = static_cast<float>(src[i]);
            std::uint32_t bits;
            std::memcpy(&bits, &f, 4);
            const std::uint32_t w = IeeeToWord<To>(ZeroIfNaN(bits));
            std::memcpy(dst + 4 * i, &w, 4);
        }
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            float f = static_cast<float>(src[i]);
            if (std::isnan(f)) {
                f = 0.0F;
            }
            Bytes b;
            std::memcpy(b.data(), &f, 4);
            b = ConvertFloatBytes(b, From, To);
            std::memcpy(dst + 4 * i, b.data(), 4);
        }
    }
}

using DecodeFn = std::size_t (*)(const unsigned char *, std::size_t, double *);
using EncodeFn = void (*)(const double *, std::size_t, unsigned char *);

template <FloatFormat From>
DecodeFn DecoderTo(FloatFormat to)
{
    switch (to) {
    case FloatFormat::IeeeLittleEndian:
        return &DecodeRun<From, FloatFormat::IeeeLittleEndian>;
    case FloatFormat::IeeeBigEndian:
        return &DecodeRun<From, FloatFormat::IeeeBigEndian>;
    case FloatFormat::Vax:
        return &DecodeRun<From, FloatFormat::Vax>;
    case FloatFormat::Unknown:
        break;
    }
    return &DecodeRun<From, FloatFormat::Unknown>;
}

DecodeFn Decoder(FloatFormat from, FloatFormat to)
{
    switch (from) {
    case FloatFormat::IeeeLittleEndian:
        return DecoderTo<FloatFormat::IeeeLittleEndian>(to);
    case FloatFormat::IeeeBigEndian:
        return DecoderTo<FloatFormat::IeeeBigEndian>(to);
    case FloatFormat::Vax:
        return DecoderTo<FloatFormat::Vax>(to);
    case FloatFormat::Unknown:
        break;
    }
    return DecoderTo<FloatFormat::Unknown>(to);
}

template <FloatFormat From>
EncodeFn EncoderTo(FloatFormat to)
{
    switch (to) {
    case FloatFormat::IeeeLittleEndian:
        return &EncodeRun<From, FloatFormat::IeeeLittleEndian>;
    case FloatFormat::IeeeBigEndian:
        return &EncodeRun<From, FloatFormat::IeeeBigEndian>;
    case FloatFormat::Vax:
        return &EncodeRun<From, FloatFormat::Vax>;
    case FloatFormat::Unknown:
        break;
    }
    return &EncodeRun<From, FloatFormat::Unknown>;
}

EncodeFn Encoder(FloatFormat from, FloatFormat to)
{
    switch (from) {
    case FloatFormat::IeeeLittleEndian:
        return EncoderTo<FloatFormat::IeeeLittleEndian>(to);
    case FloatFormat::IeeeBigEndian:
        return EncoderTo<FloatFormat::IeeeBigEndian>(to);
    case FloatFormat::Vax:
        return EncoderTo<FloatFormat::Vax>(to);
    case FloatFormat::Unknown:
        break;
    }
    return EncoderTo<FloatFormat::Unknown>(to);
}

// White space of the classic locale; NUL counts as padding too.
bool IsPadding(char c)
{
    return c == ' ' || c == '\0' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

char ToUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Upper case, padding removed at both ends, NUL inside read as a blank.
std::string NormalizeText(const char *data, std::size_t length)
{
    std::size_t begin = 0;
    std::size_t end = length;
    while (begin < end && IsPadding(data[begin]))
        ++begin;
    while (end > begin && IsPadding(data[end - 1]))
        --end;
    std::string text(data + begin, end - begin);
    for (char &c : text) {
        c = c == '\0' ? ' ' : ToUpper(c);
    }
    return text;
}

std::string NormalizeText(const std::string &text)
{
    return NormalizeText(text.data(), text.size());
}

// Leading decimal integer of a text, as atoi reads it; out-of-range values
// are held at the int32 limits.
std::int32_t LeadingInteger(const std::string &text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min(value * 10 + (text[i] - '0'), kLimit);
    }
    value = negative ? -value : value;
    value = std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                     std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(value);
}

std::int32_t WidenYear(std::int32_t year)
{
    if (year >= 1 && year <= 99) {
        return year < 50 ? year + 2000 : year + 1900;
    }
    return year;
}

[[noreturn]] void Fail(const std::string &text)
{
    throw std::logic_error(text);
}

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd)
        : m_Fd(fd)
    {}
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    ~FileDescriptor() { Close(); }
    int Get() const { return m_Fd; }
    bool Valid() const { return m_Fd >= 0; }
    // Returns false when closing reports an error.
    bool Close()
    {
        if (m_Fd < 0)
            return true;
        const int rc = ::close(m_Fd);
        m_Fd = -1;
        return rc == 0;
    }

private:
    int m_Fd;
};

// Reads up to size bytes at offset; fewer only at the end of the file.
// Returns false on a read error.
bool ReadAt(int fd, unsigned char *data, std::size_t size, std::uint64_t offset, std::size_t &got)
{
    got = 0;
    while (got < size) {
        const ssize_t n = ::pread(fd, data + got, size - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

// ---------------------------------------------------------------------------

CUDSFile::CUDSFile()
{
    if (m_HostIntOrder == IntOrder::Unknown) {
        m_HostIntOrder = ProbeHostIntOrder();
    }
    if (m_HostFloatFormat == FloatFormat::Unknown) {
        m_HostFloatFormat = ProbeHostFloatFormat();
    }
}

CUDSFile::~CUDSFile() = default;

CUDSFile::IntOrder CUDSFile::ProbeHostIntOrder()
{
    const std::int32_t probe = 0x6386;
    Bytes b;
    std::memcpy(b.data(), &probe, 4);
    if (b == Bytes{0x86, 0x63, 0x00, 0x00})
        return IntOrder::LittleEndian;
    if (b == Bytes{0x00, 0x00, 0x63, 0x86})
        return IntOrder::BigEndian;
    return IntOrder::Unknown;
}

CUDSFile::FloatFormat CUDSFile::ProbeHostFloatFormat()
{
    volatile float probe = 1.153e-6F;
    const float value = probe;
    Bytes b;
    std::memcpy(b.data(), &value, 4);
    if (b == Bytes{0xC7, 0xC0, 0x9A, 0x35})
        return FloatFormat::IeeeLittleEndian;
    if (b == Bytes{0x35, 0x9A, 0xC0, 0xC7})
        return FloatFormat::IeeeBigEndian;
    if (b == Bytes{0x9A, 0x36, 0xC7, 0xC0})
        return FloatFormat::Vax;
    return FloatFormat::Unknown;
}

CUDSFile::Bytes CUDSFile::ConvertInt(Bytes bytes, IntOrder from, IntOrder to)
{
    return ConvertIntBytes(bytes, from, to);
}

CUDSFile::Bytes CUDSFile::ConvertFloat(Bytes bytes, FloatFormat from, FloatFormat to)
{
    return ConvertFloatBytes(bytes, from, to);
}

std::string CUDSFile::GetFloatFormatName(FloatFormat format)
{
    switch (format) {
    case FloatFormat::IeeeLittleEndian:
        return "IEEE";
    case FloatFormat::IeeeBigEndian:
        return "SUN";
    case FloatFormat::Vax:
        return "VAX";
    case FloatFormat::Unknown:
        break;
    }
    return "UKNOWN";
}

CUDSFile::IntOrder CUDSFile::IntOrderOf(FloatFormat format)
{
    switch (format) {
    case FloatFormat::IeeeLittleEndian:
    case FloatFormat::Vax:
        return IntOrder::LittleEndian;
    case FloatFormat::IeeeBigEndian:
        return IntOrder::BigEndian;
    case FloatFormat::Unknown:
        break;
    }
    return IntOrder::Unknown;
}

// --- points and samples ------------------------------------------------------

const CUDSFile::PointList &CUDSFile::GetPoints() const
{
    if (m_PointsFromSamples) {
        // One block holds every point; each list entry shares ownership of it.
        const std::size_t n = m_SampleY.size();
        m_Points.clear();
        m_Points.reserve(n);
        PrefaultMemory(m_Points.data(), n * sizeof(PointPtr));
        if (n > 0) {
            auto block = std::allocate_shared<CPoint<double>[]>(PrefaultAllocator<CPoint<double>>(), n);
            for (std::size_t i = 0; i < n; ++i) {
                CPoint<double> &p = block[i];
                p.SetX(i < m_SampleX.size() ? m_SampleX[i] : 0.0);
                p.SetY(m_SampleY[i]);
                m_Points.emplace_back(block, &p);
            }
        }
        m_PointsFromSamples = false;
    }
    return m_Points;
}

void CUDSFile::SetPoints(const PointList &points)
{
    m_Points = points;
    m_PointsFromSamples = false;
    m_SampleX.clear();
    m_SampleY.clear();
}

void CUDSFile::SetSamples(std::vector<double> x, std::vector<double> y)
{
    m_SampleX = std::move(x);
    m_SampleY = std::move(y);
    m_Points.clear();
    m_PointsFromSamples = true;
}

void CUDSFile::TakeSamples(std::vector<double> &x, std::vector<double> &y)
{
    x = std::move(m_SampleX);
    y = std::move(m_SampleY);
    ClearSamples();
}

void CUDSFile::ClearSamples()
{
    m_SampleX.clear();
    m_SampleY.clear();
    m_Points.clear();
    m_PointsFromSamples = false;
}

// --- numbers and texts in the buffer ----------------------------------------

std::int32_t CUDSFile::ReadInt(std::size_t offset)
{
    std::memcpy(m_Scratch.data(), m_Buffer.get() + offset, 4);
    m_Scratch = ConvertIntBytes(m_Scratch, m_FileIntOrder, m_HostIntOrder);
    std::int32_t value;
    std::memcpy(&value, m_Scratch.data(), 4);
    return value;
}

float CUDSFile::ReadFloat(std::size_t offset)
{
    std::memcpy(m_Scratch.data(), m_Buffer.get() + offset, 4);
    m_Scratch = ConvertFloatBytes(m_Scratch, m_FileFloatFormat, m_HostFloatFormat);
    float value;
    std::memcpy(&value, m_Scratch.data(), 4);
    return std::isnan(value) ? 0.0F : value;
}

void CUDSFile::WriteInt(std::int32_t value, std::size_t offset)
{
    std::memcpy(m_Scratch.data(), &value, 4);
    m_Scratch = ConvertIntBytes(m_Scratch, m_HostIntOrder, m_FileIntOrder);
    std::memcpy(m_Buffer.get() + offset, m_Scratch.data(), 4);
}

void CUDSFile::WriteFloat(float value, std::size_t offset)
{
    if (std::isnan(value)) {
        value = 0.0F;
    }
    std::memcpy(m_Scratch.data(), &value, 4);
    m_Scratch = ConvertFloatBytes(m_Scratch, m_HostFloatFormat, m_FileFloatFormat);
    std::memcpy(m_Buffer.get() + offset, m_Scratch.data(), 4);
}

std::string CUDSFile::ReadText(std::size_t offset, std::size_t length) const
{
    return NormalizeText(reinterpret_cast<const char *>(m_Buffer.get() + offset), length);
}

void CUDSFile::WriteText(const std::string &text, std::size_t offset, std::size_t length)
{
    const std::string value = NormalizeText(text);
    unsigned char *field = m_Buffer.get() + offset;
    std::memset(field, ' ', length);
    std::memcpy(field, value.data(), std::min(length, value.size()));
}

template <>
std::string CUDSFile::ReadField<UdsKind::Text>(std::size_t base, UdsField field)
{
    return ReadText(base + GetOffset(field), GetLength(field));
}
template <>
std::int32_t CUDSFile::ReadField<UdsKind::Int>(std::size_t base, UdsField field)
{
    return ReadInt(base + GetOffset(field));
}
template <>
float CUDSFile::ReadField<UdsKind::Float>(std::size_t base, UdsField field)
{
    return ReadFloat(base + GetOffset(field));
}

template <>
void CUDSFile::WriteField<UdsKind::Text>(std::size_t base, UdsField field, const std::string &value)
{
    WriteText(value, base + GetOffset(field), GetLength(field));
}
template <>
void CUDSFile::WriteField<UdsKind::Int>(std::size_t base, UdsField field, std::int32_t value)
{
    WriteInt(value, base + GetOffset(field));
}
template <>
void CUDSFile::WriteField<UdsKind::Float>(std::size_t base, UdsField field, float value)
{
    WriteFloat(value, base + GetOffset(field));
}

#define KX_UDS_READ_FIELD(stem, width, kind, def) Set##stem(ReadField<UdsKind::kind>(base, UdsField::stem));
#define KX_UDS_WRITE_FIELD(stem, width, kind, def) WriteField<UdsKind::kind>(base, UdsField::stem, Get##stem());

void CUDSFile::SetFileIntOrderFromNUMFORM()
{
    if (m_FileIntOrder != IntOrder::Unknown)
        return;
    const std::string form = NormalizeText(GetNumForm());
    if (form == "IEEE" || form == "VAX") {
        m_FileIntOrder = IntOrder::LittleEndian;
    } else if (form == "SUN") {
        m_FileIntOrder = IntOrder::BigEndian;
    }
}

void CUDSFile::SetFileFloatFormatFromNUMFORM()
{
    if (m_FileFloatFormat != FloatFormat::Unknown)
        return;
    const std::string form = NormalizeText(GetNumForm());
    if (form == "IEEE") {
        m_FileFloatFormat = FloatFormat::IeeeLittleEndian;
    } else if (form == "VAX") {
        m_FileFloatFormat = FloatFormat::Vax;
    } else if (form == "SUN") {
        m_FileFloatFormat = FloatFormat::IeeeBigEndian;
    }
}

// --- sizes -------------------------------------------------------------------

std::size_t CUDSFile::HeaderRecords() const
{
    return m_HasRecord2 ? 3 : 2;
}

std::uint64_t CUDSFile::SampleCount() const
{
    const std::int64_t n = std::int64_t{GetNLP()} - std::int64_t{GetNFP()} + 1;
    return n > 0 ? static_cast<std::uint64_t>(n) : 0;
}

bool CUDSFile::WantsRecord2() const
{
    return GetVehicle2Number() != 0 || !NormalizeText(GetOccupant2Type()).empty();
}

std::uint64_t CUDSFile::ComputeFileSize() const
{
    const std::uint64_t record = GetRecordSize();
    std::uint64_t size = record + (WantsRecord2() ? record : 0) + record;
    const std::uint64_t per = GetValuesPerRecord();
    const std::uint64_t records = (SampleCount() + per - 1) / per;
    const std::string form = NormalizeText(GetFileForm());
    if (form == "X-Y") {
        size += 2 * record * records;
    } else if (form == "Y") {
        size += record * records;
    }
    return size;
}

void CUDSFile::FreeBuffer()
{
    m_Buffer.reset();
    m_BufferSize = 0;
}

// --- reading -----------------------------------------------------------------

void CUDSFile::ReadFile(const std::string &path)
{
    if (path.empty()) {
        Fail("Failure read file due to empty path and file name.");
    }
    // Not blocking on a FIFO: it is refused below as soon as it is open.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat state {};
    if (!file.Valid()) {
        Fail("Failure to open file: " + path + " for reading.");
    }
    if (::fstat(file.Get(), &state) != 0) {
        FreeBuffer();
        Fail("Failure to get file information: " + path);
    }
    if (S_ISDIR(state.st_mode)) {
        Fail("Failure to open file: " + path + " for reading.");
    }
    if (!S_ISREG(state.st_mode)) {
        Fail(CTextLineReader::NotRegularText(path));
    }
    const std::uint64_t record = GetRecordSize();
    const auto size = static_cast<std::uint64_t>(state.st_size);
    if (size == 0) {
        Fail(CTextLineReader::EmptyFileText(path));
    }
    if (size % record != 0) {
        FreeBuffer();
        Fail("File size not a multiple of 512 bytes.");
    }

    // Only the header records are loaded before the header has been checked
    // against the file size; the data records follow in ReadDataRecords.
    try {
        const std::uint64_t loaded = std::min<std::uint64_t>(size, 3 * record);
        m_Buffer = std::make_unique_for_overwrite<unsigned char[]>(loaded);
        std::size_t got = 0;
        if (!ReadAt(file.Get(), m_Buffer.get(), loaded, 0, got)) {
            Fail("Failure to open file: " + path + " for reading.");
        }
        // A file cut short since its size was taken counts at its new length.
        m_BufferSize = got < loaded ? got : size;
        if (m_BufferSize % record != 0) {
            Fail("File size not a multiple of 512 bytes.");
        }

        ReadTestRecord();
        ReadComponent2Record();
        ReadCurveRecord();
        ReadDataRecords(file.Get(), path);
        file.Close();
        SetVehicle1Year(WidenYear(GetVehicle1Year()));
    } catch (const std::bad_alloc &) {
        FreeBuffer();
        ClearSamples();
        Fail(TooLargeToReadText(path, SampleCount()));
    } catch (const std::length_error &) {
        FreeBuffer();
        ClearSamples();
        Fail(TooLargeToReadText(path, SampleCount()));
    } catch (const std::exception &e) {
        FreeBuffer();
        throw std::logic_error(e.what());
    }
    FreeBuffer();
}

void CUDSFile::ReadTestRecord()
{
    if (m_BufferSize < GetRecordUsed(1)) {
        Fail("Data buffer too small");
    }
    const std::size_t base = 0;
    SetFileVer(ReadField<UdsKind::Text>(base, UdsField::FileVer));
    if (GetFileVer() != "UDS-1992") {
        Fail("Not a UDS-1992 Signal File");
    }
    SetFileForm(ReadField<UdsKind::Text>(base, UdsField::FileForm));
    SetNumForm(ReadField<UdsKind::Text>(base, UdsField::NumForm));
    SetDimSys(ReadField<UdsKind::Text>(base, UdsField::DimSys));
    SetFileIntOrderFromNUMFORM();
    SetFileFloatFormatFromNUMFORM();
    KX_UDS_RECORD1_FIELDS(KX_UDS_READ_FIELD)
}

void CUDSFile::ReadComponent2Record()
{
    const std::size_t base = GetRecordSize();
    if (m_BufferSize < base + GetRecordUsed(2)) {
        Fail("Data buffer too small");
    }
    if (ReadText(base + GetBlockNameOffset(), GetBlockNameLength()) != "CMP-2 HDR") {
        m_HasRecord2 = false;
        return;
    }
    m_HasRecord2 = true;
    KX_UDS_RECORD2_FIELDS(KX_UDS_READ_FIELD)
}

void CUDSFile::ReadCurveRecord()
{
    const std::size_t base = GetRecordSize() * (m_HasRecord2 ? 2 : 1);
    if (m_BufferSize < base + GetRecordUsed(3)) {
        Fail("Data buffer too small");
    }
    if (ReadText(base + GetBlockNameOffset(), GetBlockNameLength()) != "CURVE HDR") {
        Fail("Invalid 3rd Record Header");
    }
    KX_UDS_RECORD3_FIELDS(KX_UDS_READ_FIELD)
}

void CUDSFile::ReadDataRecords(int fd, const std::string &path)
{
    if (GetNFP() == GetNLP()) {
        Fail("Equal array indices, NFP = NLP in file");
    }
    if (GetNFP() > GetNLP()) {
        Fail("Crossed array indices, NFP > NLP in file");
    }
    // Everything in 64 bits and checked against the file before allocating.
    const std::uint64_t record = GetRecordSize();
    const std::uint64_t per = GetValuesPerRecord();
    const std::uint64_t header = record * HeaderRecords();
    const std::uint64_t records = (m_BufferSize - header) / record;
    const std::uint64_t n = SampleCount();
    const std::uint64_t padded = (n + per - 1) / per * per;
    const std::string &form = GetFileForm();
    const std::uint64_t expected = form == "Y" ? padded : 2 * padded;
    if (per * records > expected) {
        Fail("File size too large");
    }
    if (per * records < expected) {
        Fail("File size too small - Insufficient data points");
    }

    ClearSamples();
    m_NaNSamples = 0;
    m_InfSamples = 0;
    const bool xy = form == "X-Y";
    if (!xy && form != "Y") {
        Fail("Format is not known.");
    }
    // The times of a "Y" file are multiples of DEL (a stored NaN has already become 0).
    if (!xy && !(std::isfinite(GetDel()) && GetDel() > 0.0F)) {
        Fail("Invalid time step DEL in file: " + path + " (it must be a positive number)");
    }
    if (!xy && !(std::isfinite(static_cast<float>(GetNFP() * static_cast<double>(GetDel()))) &&
                 std::isfinite(static_cast<float>(GetNLP() * static_cast<double>(GetDel()))))) {
        Fail("Invalid time step DEL in file: " + path + " (the times NFP x DEL to NLP x DEL must be finite numbers)");
    }
    // Refused before any allocation: the arrays (and the signal made from them) must fit.
    if (!FitsInMemory(n * 3 * sizeof(double))) {
        Fail(TooLargeToReadText(path, n));
    }

    const DecodeFn decode = Decoder(m_FileFloatFormat, m_HostFloatFormat);
    std::vector<double> x;
    std::vector<double> y;
    const auto make_room = [n](std::vector<double> &values) {
        values.reserve(n);
        PrefaultMemory(values.data(), n * sizeof(double));
    };
    make_room(y);
    if (xy) {
        make_room(x);
    }
    // The records are read in chunks and each is decoded into a small array
    // and appended, so the arrays are written once and never pass n values.
    constexpr std::uint64_t kChunkRecords = 256;
    const std::size_t name_at = GetBlockNameOffset();
    const std::size_t values_at = GetBlockNameOffset() + GetBlockNameLength();
    const auto chunk_bytes = static_cast<std::size_t>(std::min(records, kChunkRecords) * record);
    const auto chunk = std::make_unique_for_overwrite<unsigned char[]>(chunk_bytes);
    std::vector<double> values(per);
    // Which samples held a NaN in Y or X: made only when a record has one.
    std::vector<bool> nan_at;
    for (std::uint64_t first = 0; first < records; first += kChunkRecords) {
        const std::uint64_t count = std::min(kChunkRecords, records - first);
        const auto bytes = static_cast<std::size_t>(count * record);
        std::size_t got = 0;
        if (!ReadAt(fd, chunk.get(), bytes, header + first * record, got)) {
            Fail("Failure to open file: " + path + " for reading.");
        }
        if (got != bytes) {
            Fail("File size too small - Insufficient data points");
        }
        for (std::uint64_t k = 0; k < count; ++k) {
            const unsigned char *data = chunk.get() + k * record;
            const std::string name =
                NormalizeText(reinterpret_cast<const char *>(data + name_at), GetBlockNameLength());
            std::vector<double> *target = nullptr;
            if (name == "Y DATA") {
                target = &y;
            } else if (xy && name == "X DATA") {
                target = &x;
            } else {
                Fail("Unknown Data Block");
            }
            const auto take = static_cast<std::ptrdiff_t>(std::min<std::uint64_t>(per, n - target->size()));
            if (decode(data + values_at, static_cast<std::size_t>(take), values.data()) > 0) {
                nan_at.resize(n);
                for (std::ptrdiff_t i = 0; i < take; ++i) {
                    Bytes stored;
                    std::memcpy(stored.data(), data + values_at + 4 * i, 4);
                    const Bytes host = ConvertFloatBytes(stored, m_FileFloatFormat, m_HostFloatFormat);
                    float value;
                    std::memcpy(&value, host.data(), 4);
                    if (std::isnan(value))
                        nan_at[target->size() + static_cast<std::size_t>(i)] = true;
                }
            }
            target->insert(target->end(), values.begin(), values.begin() + take);
        }
    }
    if (y.size() != n || (xy && x.size() != n)) {
        Fail("Unknown Data Block");
    }
    if (!xy) {
        make_room(x);
        const double first = GetNFP();
        const double step = GetDel();
        for (std::size_t i = 0; i < n; ++i) {
            x.push_back(static_cast<float>((first + static_cast<double>(i)) * step));
        }
    }
    // NaN has become 0, so every value that is not finite is infinite (and kept).
    std::size_t infinite = 0;
    for (std::size_t i = 0; i < n; ++i)
        infinite += (!std::isfinite(y[i]) || (xy && !std::isfinite(x[i]))) ? 1U : 0U;
    m_SampleX = std::move(x);
    m_SampleY = std::move(y);
    m_PointsFromSamples = true;
    m_NaNSamples = static_cast<std::size_t>(std::count(nan_at.begin(), nan_at.end(), true));
    m_InfSamples = infinite;
}

// --- writing -----------------------------------------------------------------

void CUDSFile::WriteFile(const std::string &path)
{
    if (path.empty()) {
        Fail("Failure to write file due to empty path and file name.");
    }
    if (GetNFP() > GetNLP()) {
        Fail("Crossed array indices, NFP > NLP");
    }
    if (GetNFP() == GetNLP()) {
        Fail("Equal array indices, NFP = NLP");
    }
    try {
        BuildRecords();
    } catch (const std::exception &e) {
        FreeBuffer();
        throw std::logic_error(e.what());
    }
    try {
        kx::ReplaceFile(path, m_Buffer.get(), m_BufferSize);
    } catch (...) {
        FreeBuffer();
        throw;
    }
    FreeBuffer();
}

void CUDSFile::BuildRecords()
{
    if (m_WriteBigEndian) {
        m_FileIntOrder = IntOrder::BigEndian;
        m_FileFloatFormat = FloatFormat::IeeeBigEndian;
    } else {
        m_HostIntOrder = ProbeHostIntOrder();
        m_HostFloatFormat = ProbeHostFloatFormat();
        const FloatFormat format = m_WriteFormat != FloatFormat::Unknown ? m_WriteFormat : m_HostFloatFormat;
        m_FileIntOrder = m_WriteFormat != FloatFormat::Unknown ? IntOrderOf(format) : m_HostIntOrder;
        m_FileFloatFormat = format;
    }
    SetNumForm(GetFloatFormatName(m_FileFloatFormat));
    if (m_FileIntOrder == IntOrder::Unknown || m_FileFloatFormat == FloatFormat::Unknown) {
        Fail("Couldn't set byte order of float format.");
    }
    SetVehicle1Year(WidenYear(GetVehicle1Year()));
    // Before the buffer is sized from NFP and NLP, which may claim far more.
    CheckPointCount();

    const std::uint64_t size = ComputeFileSize();
    m_Buffer = std::make_unique_for_overwrite<unsigned char[]>(size);
    PrefaultMemory(m_Buffer.get(), size);
    std::memset(m_Buffer.get(), 0, size);
    m_BufferSize = size;

    WriteTestRecord();
    WriteComponent2Record();
    WriteCurveRecord();
    WriteDataRecords();
}

void CUDSFile::WriteTestRecord()
{
    if (GetTstNo() == 0) {
        const std::int32_t number = LeadingInteger(GetTstNam());
        if (number != 0) {
            SetTstNo(number);
        }
    }
    const std::size_t base = 0;
    KX_UDS_RECORD1_FIELDS(KX_UDS_WRITE_FIELD)
}

void CUDSFile::WriteComponent2Record()
{
    m_HasRecord2 = WantsRecord2();
    if (!m_HasRecord2) {
        return;
    }
    const std::size_t base = GetRecordSize();
    WriteText("CMP-2 HDR", base + GetBlockNameOffset(), GetBlockNameLength());
    KX_UDS_RECORD2_FIELDS(KX_UDS_WRITE_FIELD)
}

void CUDSFile::WriteCurveRecord()
{
    const std::size_t base = GetRecordSize() * (m_HasRecord2 ? 2 : 1);
    WriteText("CURVE HDR", base + GetBlockNameOffset(), GetBlockNameLength());
    if (GetCurNo() == 0) {
        const std::int32_t number = LeadingInteger(GetCurNam());
        if (number != 0) {
            SetCurNo(number);
        }
    }
    KX_UDS_RECORD3_FIELDS(KX_UDS_WRITE_FIELD)
}

void CUDSFile::CheckPointCount() const
{
    const std::uint64_t n = SampleCount();
    const std::size_t m = m_PointsFromSamples ? m_SampleY.size() : m_Points.size();
    const auto mismatch = [n](std::size_t count) {
        Fail("NLP - NFP + 1: " + std::to_string(n) + " does not equal to array size: " + std::to_string(count));
    };
    if (n != m) {
        mismatch(m);
    }
    if (m_PointsFromSamples && NormalizeText(GetFileForm()) == "X-Y" && m_SampleX.size() != m) {
        mismatch(m_SampleX.size());
    }
}

void CUDSFile::WriteDataRecords()
{
    const std::size_t m = m_PointsFromSamples ? m_SampleY.size() : m_Points.size();
    const std::string form = NormalizeText(GetFileForm());
    const bool xy = form == "X-Y";
    if (!xy && form != "Y") {
        return;
    }

    // The values to write, one array each for Y and (in an X-Y file) X.
    std::vector<double> from_points_x;
    std::vector<double> from_points_y;
    const std::vector<double> *xs = &m_SampleX;
    const std::vector<double> *ys = &m_SampleY;
    if (!m_PointsFromSamples) {
        from_points_y.reserve(m);
        if (xy)
            from_points_x.reserve(m);
        for (const PointPtr &p : m_Points) {
            from_points_y.push_back(p ? p->GetY() : 0.0);
            if (xy)
                from_points_x.push_back(p ? p->GetX() : 0.0);
        }
        xs = &from_points_x;
        ys = &from_points_y;
    }

    const EncodeFn encode = Encoder(m_HostFloatFormat, m_FileFloatFormat);
    const std::size_t record = GetRecordSize();
    const std::size_t per = GetValuesPerRecord();
    const std::size_t values_at = GetBlockNameOffset() + GetBlockNameLength();
    std::size_t start = record * HeaderRecords();
    const auto write_array = [&](const std::vector<double> &values, const char *name) {
        for (std::size_t done = 0; done < values.size(); done += per, start += record) {
            WriteText(name, start + GetBlockNameOffset(), GetBlockNameLength());
            encode(values.data() + done, std::min(per, values.size() - done), m_Buffer.get() + start + values_at);
        }
    };
    write_array(*ys, "Y DATA");
    if (xy) {
        write_array(*xs, "X DATA");
    }
}

} // namespace kx
