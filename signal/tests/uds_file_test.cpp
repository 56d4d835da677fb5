// Reading and writing UDS-1992 files: number formats, record layouts, header
// rules and the samples.

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cstring>
#include <utility>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "UdsTestFile.h"
#include "signal/CUDSFile.h"

namespace kx {
namespace {

using test::Numbers;
using test::ReadBytes;
using test::UdsTestFile;
using Bytes = CUDSFile::Bytes;
using FloatFormat = CUDSFile::FloatFormat;
using IntOrder = CUDSFile::IntOrder;

Bytes BytesOf(float v)
{
    Bytes b;
    std::memcpy(b.data(), &v, 4);
    return b;
}

float FloatOf(Bytes b)
{
    float v;
    std::memcpy(&v, b.data(), 4);
    return v;
}

struct WriteFormat {
    bool big_endian;
    FloatFormat format;
};

// --- conversions ------------------------------------------------------------

TEST(UdsNumbers, HostIsLittleEndianIeee)
{
    EXPECT_EQ(CUDSFile::ProbeHostIntOrder(), IntOrder::LittleEndian);
    EXPECT_EQ(CUDSFile::ProbeHostFloatFormat(), FloatFormat::IeeeLittleEndian);
    const CUDSFile file;
    EXPECT_EQ(file.GetHostIntOrder(), IntOrder::LittleEndian);
    EXPECT_EQ(file.GetHostFloatFormat(), FloatFormat::IeeeLittleEndian);
    EXPECT_EQ(file.GetFileIntOrder(), IntOrder::Unknown);
    EXPECT_EQ(file.GetFileFloatFormat(), FloatFormat::Unknown);
}

TEST(UdsNumbers, IntConversion)
{
    const Bytes b{0x01, 0x02, 0x03, 0x04};
    const Bytes reversed{0x04, 0x03, 0x02, 0x01};
    const Bytes zero{0, 0, 0, 0};
    EXPECT_EQ(CUDSFile::ConvertInt(b, IntOrder::LittleEndian, IntOrder::BigEndian), reversed);
    EXPECT_EQ(CUDSFile::ConvertInt(b, IntOrder::BigEndian, IntOrder::LittleEndian), reversed);
    EXPECT_EQ(CUDSFile::ConvertInt(b, IntOrder::BigEndian, IntOrder::BigEndian), b);
    EXPECT_EQ(CUDSFile::ConvertInt(b, IntOrder::Unknown, IntOrder::LittleEndian), zero);
    EXPECT_EQ(CUDSFile::ConvertInt(b, IntOrder::LittleEndian, IntOrder::Unknown), zero);
}

struct VaxCase {
    const char *what;
    float ieee;
    Bytes vax;
};

// IEEE little-endian to VAX, and back where the value is representable.
TEST(UdsNumbers, VaxFromIeee)
{
    const float max = std::numeric_limits<float>::max();
    const float inf = std::numeric_limits<float>::infinity();
    const VaxCase cases[] = {
        {"one", 1.0F, {0x80, 0x40, 0x00, 0x00}},
        {"minus one", -1.0F, {0x80, 0xC0, 0x00, 0x00}},
        {"half", 0.5F, {0x00, 0x40, 0x00, 0x00}},
        {"zero", 0.0F, {0, 0, 0, 0}},
        {"minus zero", -0.0F, {0, 0, 0, 0}},
        {"smallest normal", FLT_MIN, {0, 0, 0, 0}},
        {"denormal", FLT_MIN / 4, {0, 0, 0, 0}},
        {"largest", max, {0xFF, 0x7F, 0xFF, 0xFF}},
        {"most negative", -max, {0xFF, 0xFF, 0xFF, 0xFF}},
        {"infinity", inf, {0xFF, 0x7F, 0xFF, 0xFF}},
        {"minus infinity", -inf, {0xFF, 0xFF, 0xFF, 0xFF}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const Bytes le = BytesOf(c.ieee);
        EXPECT_EQ(CUDSFile::ConvertFloat(le, FloatFormat::IeeeLittleEndian, FloatFormat::Vax), c.vax);
        const Bytes be{le[3], le[2], le[1], le[0]};
        EXPECT_EQ(CUDSFile::ConvertFloat(be, FloatFormat::IeeeBigEndian, FloatFormat::Vax), c.vax);
    }
}

TEST(UdsNumbers, IeeeFromVax)
{
    // The largest VAX value is above every finite IEEE float's exponent by 2.
    EXPECT_EQ(
        FloatOf(CUDSFile::ConvertFloat({0xFF, 0x7F, 0xFF, 0xFF}, FloatFormat::Vax, FloatFormat::IeeeLittleEndian)),
        std::ldexp(1.0F - std::ldexp(1.0F, -24), 127));
    EXPECT_EQ(
        FloatOf(CUDSFile::ConvertFloat({0x80, 0x40, 0x00, 0x00}, FloatFormat::Vax, FloatFormat::IeeeLittleEndian)),
        1.0F);
    EXPECT_EQ(CUDSFile::ConvertFloat({0x80, 0x40, 0x00, 0x00}, FloatFormat::Vax, FloatFormat::IeeeBigEndian),
              (Bytes{0x3F, 0x80, 0x00, 0x00}));
    // Exponent field 0 is zero, with or without the sign bit (reserved operand).
    for (const Bytes &b : {Bytes{0x12, 0x00, 0x34, 0x56}, Bytes{0x12, 0x80, 0x34, 0x56}}) {
        EXPECT_EQ(CUDSFile::ConvertFloat(b, FloatFormat::Vax, FloatFormat::IeeeLittleEndian), (Bytes{0, 0, 0, 0}));
    }
    // Every normal float of moderate size comes back unchanged.
    for (float v : {3.14159F, -9.80665F, 1.0e-30F, 6.5e30F, 1650.0F, -1.0e-4F}) {
        const Bytes vax = CUDSFile::ConvertFloat(BytesOf(v), FloatFormat::IeeeLittleEndian, FloatFormat::Vax);
        EXPECT_EQ(FloatOf(CUDSFile::ConvertFloat(vax, FloatFormat::Vax, FloatFormat::IeeeLittleEndian)), v);
        const auto expected = test::VaxBytes(v);
        EXPECT_EQ(std::vector<unsigned char>(vax.begin(), vax.end()), expected) << v;
    }
}

TEST(UdsNumbers, IeeeByteOrdersAndUnknownFormats)
{
    const Bytes b = BytesOf(1.5F);
    const Bytes reversed{b[3], b[2], b[1], b[0]};
    EXPECT_EQ(CUDSFile::ConvertFloat(b, FloatFormat::IeeeLittleEndian, FloatFormat::IeeeBigEndian), reversed);
    EXPECT_EQ(CUDSFile::ConvertFloat(reversed, FloatFormat::IeeeBigEndian, FloatFormat::IeeeLittleEndian), b);
    EXPECT_EQ(CUDSFile::ConvertFloat(b, FloatFormat::Vax, FloatFormat::Vax), b);
    EXPECT_EQ(CUDSFile::ConvertFloat(b, FloatFormat::Unknown, FloatFormat::IeeeLittleEndian), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(CUDSFile::ConvertFloat(b, FloatFormat::IeeeLittleEndian, FloatFormat::Unknown), (Bytes{0, 0, 0, 0}));
    EXPECT_EQ(CUDSFile::GetFloatFormatName(FloatFormat::IeeeLittleEndian), "IEEE");
    EXPECT_EQ(CUDSFile::GetFloatFormatName(FloatFormat::IeeeBigEndian), "SUN");
    EXPECT_EQ(CUDSFile::GetFloatFormatName(FloatFormat::Vax), "VAX");
    EXPECT_EQ(CUDSFile::GetFloatFormatName(FloatFormat::Unknown), "UKNOWN");
}

// The sample arrays are converted in bulk; every bit pattern must come out
// as the single-value conversion gives it, NaN as 0.
std::vector<std::uint32_t> Patterns()
{
    std::vector<std::uint32_t> p = {0x00000000U, 0x80000000U, 0x00000001U, 0x807FFFFFU, 0x00800000U,
                                    0x01000000U, 0x3F800000U, 0xBF800000U, 0x7F7FFFFFU, 0xFF7FFFFFU,
                                    0x7F800000U, 0xFF800000U, 0x7FC00000U, 0xFFFFFFFFU, 0x00004080U,
                                    0x00008080U, 0x00000080U, 0x00007F00U, 0x0000FF00U, 0x12345678U};
    std::uint32_t state = 12345;
    while (p.size() < 250) {
        state = state * 1103515245U + 12345U;
        const std::uint32_t hi = state & 0xFFFF0000U;
        state = state * 1103515245U + 12345U;
        p.push_back(hi | (state >> 16));
    }
    return p;
}

using UdsBulkTest = test::UdsFolderTest;

TEST_F(UdsBulkTest, DecodingFollowsTheSingleValueRules)
{
    const std::vector<std::uint32_t> patterns = Patterns();
    const std::pair<Numbers, FloatFormat> formats[] = {{Numbers::Ieee, FloatFormat::IeeeLittleEndian},
                                                       {Numbers::Sun, FloatFormat::IeeeBigEndian},
                                                       {Numbers::Vax, FloatFormat::Vax}};
    for (const auto &[numbers, format] : formats) {
        SCOPED_TRACE(CUDSFile::GetFloatFormatName(format));
        UdsTestFile t = UdsTestFile::Make(numbers, "Y", 0, 249, 1.0F, false, 2);
        t.Data(0, "Y DATA", {});
        t.Data(1, "Y DATA", {});
        for (std::size_t i = 0; i < patterns.size(); ++i) {
            const std::size_t at = t.DataStart() + 512 * (i / 125) + 12 + 4 * (i % 125);
            std::memcpy(t.Bytes().data() + at, &patterns[i], 4);
        }
        t.Save(PathOf("bits.uds"));
        CUDSFile r;
        r.ReadFile(PathOf("bits.uds"));
        ASSERT_EQ(r.GetSampleY().size(), patterns.size());
        for (std::size_t i = 0; i < patterns.size(); ++i) {
            Bytes stored;
            std::memcpy(stored.data(), &patterns[i], 4);
            float expected = FloatOf(CUDSFile::ConvertFloat(stored, format, FloatFormat::IeeeLittleEndian));
            if (std::isnan(expected))
                expected = 0.0F;
            ASSERT_EQ(r.GetSampleY()[i], static_cast<double>(expected)) << std::hex << patterns[i];
        }
    }
}

TEST_F(UdsBulkTest, EncodingFollowsTheSingleValueRules)
{
    std::vector<double> values;
    for (std::uint32_t bits : Patterns()) {
        float f;
        std::memcpy(&f, &bits, 4);
        values.push_back(f);
    }
    values.push_back(1.0e300); // beyond float: infinity
    values.push_back(-1.0e300);
    values.push_back(1.0e-300); // below float: zero
    values.push_back(std::numeric_limits<double>::quiet_NaN());
    while (values.size() % 125 != 0)
        values.push_back(0.1 * values.size());
    const auto n = static_cast<std::int32_t>(values.size());
    for (WriteFormat w : {WriteFormat{false, FloatFormat::IeeeLittleEndian},
                          WriteFormat{true, FloatFormat::IeeeBigEndian}, WriteFormat{false, FloatFormat::Vax}}) {
        SCOPED_TRACE(CUDSFile::GetFloatFormatName(w.format));
        CUDSFile f;
        f.SetFileForm("Y");
        f.SetNFP(1);
        f.SetNLP(n);
        f.SetSamples({}, values);
        if (w.big_endian) {
            f.SetWriteBigEndian();
        } else {
            f.SetWriteFloatFormat(w.format);
        }
        f.WriteFile(PathOf("enc.uds"));
        const auto bytes = ReadBytes(PathOf("enc.uds"));
        for (std::size_t i = 0; i < values.size(); ++i) {
            float v = static_cast<float>(values[i]);
            if (std::isnan(v))
                v = 0.0F;
            const Bytes expected = CUDSFile::ConvertFloat(BytesOf(v), FloatFormat::IeeeLittleEndian, w.format);
            const std::size_t at = 1024 + 512 * (i / 125) + 12 + 4 * (i % 125);
            ASSERT_EQ(Bytes({bytes[at], bytes[at + 1], bytes[at + 2], bytes[at + 3]}), expected) << i;
        }
    }
}

// --- round trips -------------------------------------------------------------

enum class WriteAs { Host, BigEndian, Vax };

struct RoundTrip {
    WriteAs format;
    const char *file_form;
    bool record2;
};

std::string CaseName(const ::testing::TestParamInfo<RoundTrip> &info)
{
    const char *formats[] = {"Ieee", "Sun", "Vax"};
    return std::string(formats[static_cast<int>(info.param.format)]) +
           (std::string(info.param.file_form) == "Y" ? "_Y" : "_XY") + (info.param.record2 ? "_Record2" : "_NoRecord2");
}

template <UdsKind K>
typename UdsKindType<K>::Value ValueFor(int i, std::size_t width)
{
    if constexpr (K == UdsKind::Text) {
        std::string text("V");
        text.append(std::to_string(i)).append("ABCDEFGHIJKLMNOP");
        return text.substr(0, width);
    } else if constexpr (K == UdsKind::Int) {
        return i * 1000003 - 7;
    } else {
        return static_cast<float>(i) * -0.3F + 0.125F;
    }
}

// Every stored field gets a value of its own that survives the file as it is
// (upper case, within its width, no padding).
void FillStoredFields(CUDSFields &f)
{
    int i = 0;
#define KX_FILL(stem, width, kind, def) f.Set##stem(ValueFor<UdsKind::kind>(++i, width));
    KX_UDS_ALL_FIELDS(KX_FILL)
#undef KX_FILL
    f.SetFileVer("UDS-1992");
    f.SetVehicle1Year(1987);
}

class UdsRoundTripTest : public test::UdsFolderTest, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(UdsRoundTripTest, EveryFieldAndValueComesBack)
{
    const RoundTrip &p = GetParam();
    const bool xy = std::string(p.file_form) == "X-Y";
    const std::int32_t nfp = -50;
    const std::int32_t nlp = 249; // 300 points: two full records and a partial one
    const float del = 1.0e-4F;

    CUDSFile writer;
    FillStoredFields(writer);
    if (!p.record2) {
#define KX_DEFAULT(stem, width, kind, def) writer.Set##stem(def);
        KX_UDS_RECORD2_FIELDS(KX_DEFAULT)
#undef KX_DEFAULT
    }
    writer.SetFileForm(p.file_form);
    writer.SetNFP(nfp);
    writer.SetNLP(nlp);
    writer.SetDel(del);
    CUDSFile::PointList points;
    for (int i = 0; i < 300; ++i) {
        const double y = 60.0 * std::sin(i * 0.05) - 1.0e-3 * i;
        points.push_back(std::make_shared<CPoint<double>>(0.001 * i - 0.05, y, 0.0));
    }
    writer.SetPoints(points);
    switch (p.format) {
    case WriteAs::Host:
        break;
    case WriteAs::BigEndian:
        writer.SetWriteBigEndian();
        break;
    case WriteAs::Vax:
        writer.SetWriteFloatFormat(FloatFormat::Vax);
        break;
    }
    const std::string path = PathOf("round.uds");
    writer.WriteFile(path);
    const char *numform[] = {"IEEE", "SUN", "VAX"};
    EXPECT_EQ(writer.GetNumForm(), numform[static_cast<int>(p.format)]);
    EXPECT_EQ(writer.HasComponent2Record(), p.record2);

    const auto bytes = ReadBytes(path);
    const std::size_t records = 2 + (p.record2 ? 1 : 0) + 3 * (xy ? 2 : 1);
    ASSERT_EQ(bytes.size(), 512 * records);
    EXPECT_EQ(writer.ComputeFileSize(), bytes.size());

    CUDSFile reader;
    reader.ReadFile(path);
    EXPECT_EQ(reader.HasComponent2Record(), p.record2);
    EXPECT_TRUE(reader.SameFields(static_cast<const CUDSFields &>(writer)));
    EXPECT_EQ(reader.GetNumForm(), numform[static_cast<int>(p.format)]);

    const auto &got = reader.GetPoints();
    ASSERT_EQ(got.size(), points.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        ASSERT_TRUE(got[i]);
        EXPECT_EQ(got[i]->GetY(), static_cast<float>(points[i]->GetY())) << i;
        const double x =
            xy ? static_cast<float>(points[i]->GetX()) : static_cast<float>((nfp + static_cast<double>(i)) * del);
        EXPECT_EQ(got[i]->GetX(), x) << i;
        EXPECT_EQ(got[i]->GetZ(), 0.0);
        EXPECT_TRUE(got[i]->GetLabel().empty());
    }
    EXPECT_EQ(reader.GetSampleY().size(), points.size());
}

INSTANTIATE_TEST_SUITE_P(Formats, UdsRoundTripTest,
                         ::testing::Values(RoundTrip{WriteAs::Host, "Y", false}, RoundTrip{WriteAs::Host, "X-Y", true},
                                           RoundTrip{WriteAs::BigEndian, "Y", true},
                                           RoundTrip{WriteAs::BigEndian, "X-Y", false},
                                           RoundTrip{WriteAs::Vax, "Y", false}, RoundTrip{WriteAs::Vax, "X-Y", true},
                                           RoundTrip{WriteAs::Host, "X-Y", false},
                                           RoundTrip{WriteAs::Vax, "X-Y", false}),
                         CaseName);

// --- bytes as written --------------------------------------------------------

using UdsWriteBytesTest = test::UdsFolderTest;

// A small X-Y signal of 126 points: two records per array.
CUDSFile &Make126(CUDSFile &f)
{
    f.SetNFP(0);
    f.SetNLP(125);
    f.SetDel(0.001F);
    std::vector<double> x(126);
    std::vector<double> y(126);
    for (int i = 0; i < 126; ++i) {
        x[i] = i * 0.001;
        y[i] = 1.0 + i;
    }
    f.SetSamples(x, y);
    return f;
}

TEST_F(UdsWriteBytesTest, NumberBytesInEachFormat)
{
    struct Expect {
        WriteAs as;
        std::vector<unsigned char> numform, nchan, one;
    };
    const Expect cases[] = {
        {WriteAs::Host, {'I', 'E', 'E', 'E', ' '}, {1, 0, 0, 0}, {0x00, 0x00, 0x80, 0x3F}},
        {WriteAs::BigEndian, {'S', 'U', 'N', ' ', ' '}, {0, 0, 0, 1}, {0x3F, 0x80, 0x00, 0x00}},
        {WriteAs::Vax, {'V', 'A', 'X', ' ', ' '}, {1, 0, 0, 0}, {0x80, 0x40, 0x00, 0x00}},
    };
    for (const auto &c : cases) {
        CUDSFile f;
        Make126(f);
        if (c.as == WriteAs::BigEndian)
            f.SetWriteBigEndian();
        if (c.as == WriteAs::Vax)
            f.SetWriteFloatFormat(FloatFormat::Vax);
        f.WriteFile(PathOf("b.uds"));
        const auto b = ReadBytes(PathOf("b.uds"));
        ASSERT_EQ(b.size(), 512U * 6);
        auto at = [&](std::size_t offset, std::size_t n) {
            return std::vector<unsigned char>(b.begin() + offset, b.begin() + offset + n);
        };
        EXPECT_EQ(at(26, 5), c.numform);
        EXPECT_EQ(at(12, 4), c.nchan);
        EXPECT_EQ(at(1024 + 12, 4), c.one); // first Y value
        EXPECT_EQ(at(512 + 310, 4), c.one); // SCLFAC
    }
}

TEST_F(UdsWriteBytesTest, RecordLayoutOfAnXYFile)
{
    CUDSFile f;
    Make126(f);
    f.SetTitle(std::string(80, 'a'));
    f.SetAIS("");
    f.SetYUnits("g");
    f.WriteFile(PathOf("xy.uds"));
    const auto b = ReadBytes(PathOf("xy.uds"));
    ASSERT_EQ(b.size(), 512U * 6);
    auto text = [&](std::size_t offset, std::size_t n) {
        return std::string(b.begin() + offset, b.begin() + offset + n);
    };
    EXPECT_EQ(text(0, 12), "UDS-1992    ");
    EXPECT_EQ(text(65, 70), std::string(70, 'A')); // cut to the width
    EXPECT_EQ(text(379, 1), " ");                  // padded with a blank, not a zero
    EXPECT_EQ(text(135, 25), "OTHER" + std::string(20, ' '));
    for (std::size_t i = 380; i < 512; ++i)
        ASSERT_EQ(b[i], 0) << i; // past the last field
    EXPECT_EQ(text(512, 12), "CURVE HDR   ");
    EXPECT_EQ(text(512 + 108, 20), "G" + std::string(19, ' '));
    const char *names[] = {"Y DATA      ", "Y DATA      ", "X DATA      ", "X DATA      "};
    for (std::size_t r = 0; r < 4; ++r) {
        const std::size_t start = 1024 + 512 * r;
        EXPECT_EQ(text(start, 12), names[r]);
        if (r % 2 == 1) {
            // One value in the second record of each array; the other 124 slots are zero.
            for (std::size_t i = start + 16; i < start + 512; ++i)
                ASSERT_EQ(b[i], 0) << i;
        }
    }
}

TEST_F(UdsWriteBytesTest, YFileWithRecord2FillsTheLastSlot)
{
    CUDSFile f;
    f.SetFileForm("Y");
    f.SetVehicle2Number(2);
    f.SetNFP(0);
    f.SetNLP(249);
    f.SetDel(0.001F);
    std::vector<double> y(250);
    for (int i = 0; i < 250; ++i)
        y[i] = i;
    f.SetSamples({}, y);
    f.WriteFile(PathOf("y.uds"));
    const auto b = ReadBytes(PathOf("y.uds"));
    ASSERT_EQ(b.size(), 2560U);
    EXPECT_EQ(std::string(b.begin() + 512, b.begin() + 524), "CMP-2 HDR   ");
    EXPECT_EQ(std::string(b.begin() + 2048, b.begin() + 2060), "Y DATA      ");
    float last;
    std::memcpy(&last, b.data() + 2048 + 12 + 124 * 4, 4);
    EXPECT_EQ(last, 249.0F);
}

TEST_F(UdsWriteBytesTest, Record2OnlyForASecondComponent)
{
    struct Case {
        std::int32_t vehicle2;
        const char *occupant2;
        bool record2;
    } cases[] = {{0, "", false}, {0, "   ", false}, {5, "", true}, {0, "H3", true}};
    for (const auto &c : cases) {
        CUDSFile f;
        Make126(f);
        f.SetVehicle2Number(c.vehicle2);
        f.SetOccupant2Type(c.occupant2);
        f.SetVehicle2Year(49);
        f.WriteFile(PathOf("c.uds"));
        EXPECT_EQ(f.HasComponent2Record(), c.record2);
        EXPECT_EQ(ReadBytes(PathOf("c.uds")).size(), 512U * (6 + (c.record2 ? 1 : 0)));
        CUDSFile r;
        r.ReadFile(PathOf("c.uds"));
        EXPECT_EQ(r.HasComponent2Record(), c.record2);
        EXPECT_EQ(r.GetVehicle2Year(), c.record2 ? 49 : 0); // never widened
    }
}

TEST_F(UdsWriteBytesTest, SamplesAndPointsWriteTheSameFile)
{
    CUDSFile from_samples;
    Make126(from_samples);
    from_samples.WriteFile(PathOf("s.uds"));
    CUDSFile from_points;
    Make126(from_points);
    const CUDSFile::PointList points = from_points.GetPoints();
    from_points.SetPoints(points);
    from_points.WriteFile(PathOf("p.uds"));
    EXPECT_EQ(ReadBytes(PathOf("s.uds")), ReadBytes(PathOf("p.uds")));
}

TEST_F(UdsWriteBytesTest, NaNIsWrittenAsZero)
{
    CUDSFile f;
    Make126(f);
    std::vector<double> y(126, 2.0);
    y[3] = std::numeric_limits<double>::quiet_NaN();
    f.SetSamples(f.GetSampleX(), y);
    f.SetRD1(std::numeric_limits<float>::quiet_NaN());
    f.WriteFile(PathOf("nan.uds"));
    const auto b = ReadBytes(PathOf("nan.uds"));
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(b[1024 + 12 + 12 + i], 0); // Y[3]
        EXPECT_EQ(b[512 + 334 + i], 0);      // RD1
    }
    CUDSFile r;
    r.ReadFile(PathOf("nan.uds"));
    EXPECT_EQ(r.GetSampleY()[3], 0.0);
    EXPECT_EQ(r.GetRD1(), 0.0F);
}

// --- header rules -----------------------------------------------------------

TEST_F(UdsWriteBytesTest, TestAndCurveNumbersFromTheirNames)
{
    struct Case {
        std::int32_t tstno;
        const char *tstnam;
        std::int32_t written;
        std::int32_t curno; // CURNO stays 0 and is taken from CURNAM, the same text
    } cases[] = {
        {0, "1234", 1234, 1234},
        {0, "  77ABC", 77, 77},
        {0, "V1234", 0, 0},
        {0, "0", 0, 0},
        {5, "1234", 5, 1234},
        {0, "-12", -12, -12},
        {0, "99999999999", 2147483647, 2147483647},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tstnam);
        CUDSFile f;
        Make126(f);
        f.SetTstNo(c.tstno);
        f.SetTstNam(c.tstnam);
        f.SetCurNam(c.tstnam);
        f.WriteFile(PathOf("t.uds"));
        EXPECT_EQ(f.GetTstNo(), c.written);
        CUDSFile r;
        r.ReadFile(PathOf("t.uds"));
        EXPECT_EQ(r.GetTstNo(), c.written);
        EXPECT_EQ(r.GetCurNo(), c.curno);
    }
}

TEST_F(UdsWriteBytesTest, TwoDigitYearsAreWidened)
{
    struct Case {
        std::int32_t stored, read;
    } cases[] = {{49, 2049}, {50, 1950}, {0, 0}, {100, 100}, {1, 2001}, {99, 1999}, {1998, 1998}, {-5, -5}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.stored);
        UdsTestFile t = UdsTestFile::Make(Numbers::Ieee, "Y", 0, 1, 0.1F, true, 1);
        t.Int(test::kVehicle1Year, c.stored);
        t.Int(512 + test::kVehicle2Year, c.stored);
        t.Data(0, "Y DATA", {1.0F, 2.0F});
        t.Save(PathOf("year.uds"));
        CUDSFile r;
        r.ReadFile(PathOf("year.uds"));
        EXPECT_EQ(r.GetVehicle1Year(), c.read);
        EXPECT_EQ(r.GetVehicle2Year(), c.stored);

        // The writer widens the field set's year too.
        CUDSFile w;
        Make126(w);
        w.SetVehicle1Year(c.stored);
        w.WriteFile(PathOf("w.uds"));
        EXPECT_EQ(w.GetVehicle1Year(), c.read);
    }
}

TEST_F(UdsWriteBytesTest, TextsAreUpperCasedTrimmedAndCarriedTextsStayOut)
{
    CUDSFile f;
    Make126(f);
    f.SetTitle("  frontal impact 56 kph  ");
    f.SetExtraText1("kept out of the file");
    f.SetFileName("a.uds");
    f.SetText3("third");
    f.WriteFile(PathOf("x.uds"));
    const auto b = ReadBytes(PathOf("x.uds"));
    EXPECT_EQ(std::string(b.begin() + 65, b.begin() + 65 + 24), "FRONTAL IMPACT 56 KPH   ");
    CUDSFile r;
    r.ReadFile(PathOf("x.uds"));
    EXPECT_EQ(r.GetTitle(), "FRONTAL IMPACT 56 KPH");
    EXPECT_TRUE(r.GetExtraText1().empty());
    EXPECT_TRUE(r.GetFileName().empty());
    EXPECT_TRUE(r.GetText3().empty());
}

// --- hand-built files ---------------------------------------------------------

using UdsReadTest = test::UdsFolderTest;

TEST_F(UdsReadTest, HandBuiltVaxFile)
{
    UdsTestFile t = UdsTestFile::Make(Numbers::Vax, "X-Y", 0, 2, 0.5F, false, 2);
    t.Int(test::kNChan, 3);
    t.Float(test::kClsSpd, 56.0F);
    t.Raw(t.DataStart() + 12, {0x80, 0x40, 0x00, 0x00}); // 1.0 by hand
    t.Float(t.DataStart() + 16, -2.5F);
    t.Float(t.DataStart() + 20, 1.0e-3F);
    t.Data(1, "X DATA", {0.0F, 0.5F, 1.0F});
    t.Text(t.DataStart(), "Y DATA", 12);
    t.Save(PathOf("vax.uds"));

    CUDSFile r;
    r.ReadFile(PathOf("vax.uds"));
    EXPECT_EQ(r.GetFileIntOrder(), IntOrder::LittleEndian);
    EXPECT_EQ(r.GetFileFloatFormat(), FloatFormat::Vax);
    EXPECT_EQ(r.GetNumForm(), "VAX");
    EXPECT_EQ(r.GetNChan(), 3);
    EXPECT_EQ(r.GetClsSpd(), 56.0F);
    EXPECT_EQ(r.GetDel(), 0.5F);
    EXPECT_EQ(r.GetSampleY(), (std::vector<double>{1.0, -2.5, static_cast<double>(1.0e-3F)}));
    EXPECT_EQ(r.GetSampleX(), (std::vector<double>{0.0, 0.5, 1.0}));
}

TEST_F(UdsReadTest, HandBuiltSunAndIeeeFiles)
{
    for (Numbers n : {Numbers::Sun, Numbers::Ieee}) {
        UdsTestFile t = UdsTestFile::Make(n, "Y", 10, 14, 0.001F, false, 1);
        t.Int(test::kTstNo, 4711);
        t.Float(t.Curve() + test::kPreFil, 600.0F);
        t.Data(0, "Y DATA", {1.0F, -1.0F, 2.0F, -2.0F, 3.0F});
        t.Save(PathOf("f.uds"));
        CUDSFile r;
        r.ReadFile(PathOf("f.uds"));
        EXPECT_EQ(r.GetTstNo(), 4711);
        EXPECT_EQ(r.GetPreFil(), 600.0F);
        const auto &points = r.GetPoints();
        ASSERT_EQ(points.size(), 5U);
        for (int i = 0; i < 5; ++i) {
            // x = (NFP + i) * DEL as a 32-bit float: 0.010 ... 0.014
            EXPECT_EQ(points[i]->GetX(), static_cast<float>((10 + i) * 0.001F)) << i;
            EXPECT_FLOAT_EQ(points[i]->GetX(), 0.010F + 0.001F * i);
            EXPECT_EQ(points[i]->GetZ(), 0.0);
        }
        EXPECT_EQ(points[3]->GetY(), -2.0);
    }
}

TEST_F(UdsReadTest, XRecordsBeforeYRecordsReadTheSame)
{
    std::vector<float> ys(130);
    std::vector<float> xs(130);
    for (int i = 0; i < 130; ++i) {
        ys[i] = 0.5F * i;
        xs[i] = -1.0F * i;
    }
    const std::vector<float> y1(ys.begin(), ys.begin() + 125), y2(ys.begin() + 125, ys.end());
    const std::vector<float> x1(xs.begin(), xs.begin() + 125), x2(xs.begin() + 125, xs.end());
    const char *orders[][4] = {{"Y", "Y", "X", "X"}, {"X", "X", "Y", "Y"}, {"X", "Y", "X", "Y"}};
    for (const auto &order : orders) {
        UdsTestFile t = UdsTestFile::Make(Numbers::Ieee, "X-Y", 1, 130, 0.0F, false, 4);
        int yi = 0;
        int xi = 0;
        for (int r = 0; r < 4; ++r) {
            if (order[r][0] == 'Y') {
                t.Data(r, "Y DATA", yi++ == 0 ? y1 : y2);
            } else {
                t.Data(r, "X DATA", xi++ == 0 ? x1 : x2);
            }
        }
        t.Save(PathOf("o.uds"));
        CUDSFile f;
        f.ReadFile(PathOf("o.uds"));
        ASSERT_EQ(f.GetSampleY().size(), 130U);
        EXPECT_EQ(f.GetSampleY(), std::vector<double>(ys.begin(), ys.end()));
        EXPECT_EQ(f.GetSampleX(), std::vector<double>(xs.begin(), xs.end()));
    }
}

TEST_F(UdsReadTest, NulBytesArePadding)
{
    UdsTestFile t = UdsTestFile::Make(Numbers::Ieee, "Y", 0, 1, 0.1F, false, 1);
    t.Text(test::kFileVer, "UDS-1992", 12, '\0');
    t.Text(test::kFileForm, "Y", 10, '\0');
    t.Text(test::kNumForm, "IEEE", 5, '\0');
    t.Text(test::kTitle, "sled test", 70, '\0');
    t.Text(t.Curve(), "CURVE HDR", 12, '\0');
    t.Text(t.Curve() + test::kYUnits, "g", 20, '\0');
    t.Data(0, "Y DATA", {1.0F, 2.0F});
    t.Text(t.DataStart(), "Y DATA", 12, '\0');
    t.Save(PathOf("nul.uds"));
    CUDSFile r;
    r.ReadFile(PathOf("nul.uds"));
    EXPECT_EQ(r.GetTitle(), "SLED TEST");
    EXPECT_EQ(r.GetYUnits(), "G");
    EXPECT_EQ(r.GetNumForm(), "IEEE");
    EXPECT_EQ(r.GetSampleY(), (std::vector<double>{1.0, 2.0}));
}

TEST_F(UdsReadTest, StoredNaNReadsAsZero)
{
    UdsTestFile t = UdsTestFile::Make(Numbers::Ieee, "Y", 0, 2, 0.1F, false, 1);
    t.Data(0, "Y DATA", {1.0F, std::numeric_limits<float>::quiet_NaN(), 3.0F});
    t.Float(t.Curve() + test::kPreFil, std::numeric_limits<float>::quiet_NaN());
    t.Save(PathOf("nan.uds"));
    CUDSFile r;
    r.ReadFile(PathOf("nan.uds"));
    EXPECT_EQ(r.GetSampleY(), (std::vector<double>{1.0, 0.0, 3.0}));
    EXPECT_EQ(r.GetPreFil(), 0.0F);
}

TEST_F(UdsReadTest, StoredNaNSamplesAreCounted)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<float> many(130, 1.0F);
    many[0] = many[124] = many[125] = nan; // across the two records
    struct Case {
        const char *what;
        Numbers numbers;
        const char *form;
        std::vector<float> y;
        std::vector<float> x;
        std::size_t count;
    };
    const Case cases[] = {
        {"none", Numbers::Ieee, "Y", {1.0F, 2.0F, 3.0F}, {}, 0},
        {"one", Numbers::Ieee, "Y", {1.0F, nan, 3.0F}, {}, 1},
        {"big-endian", Numbers::Sun, "Y", {nan, nan, 3.0F}, {}, 2},
        {"two records", Numbers::Ieee, "Y", many, {}, 3},
        // A sample whose X and Y are both NaN counts once.
        {"X-Y", Numbers::Ieee, "X-Y", {nan, 2.0F, nan}, {nan, nan, 0.2F}, 3},
        {"VAX has no NaN", Numbers::Vax, "Y", {1.0F, 2.0F, 3.0F}, {}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const std::int32_t n = static_cast<std::int32_t>(c.y.size());
        const bool xy = std::string(c.form) == "X-Y";
        const std::size_t records = (c.y.size() + 124) / 125;
        UdsTestFile t = UdsTestFile::Make(c.numbers, c.form, 0, n - 1, 0.1F, false, records * (xy ? 2 : 1));
        for (std::size_t r = 0; r < records; ++r) {
            const auto from = c.y.begin() + static_cast<std::ptrdiff_t>(125 * r);
            t.Data(r, "Y DATA", std::vector<float>(from, std::min(from + 125, c.y.end())));
        }
        if (xy)
            t.Data(1, "X DATA", c.x);
        t.Save(PathOf("nan.uds"));
        CUDSFile r;
        r.ReadFile(PathOf("nan.uds"));
        EXPECT_EQ(r.GetNaNSampleCount(), c.count);
        EXPECT_EQ(r.GetSampleY().size(), c.y.size());
        for (double v : r.GetSampleY())
            EXPECT_FALSE(std::isnan(v));
        for (double v : r.GetSampleX())
            EXPECT_FALSE(std::isnan(v));
    }
}

TEST_F(UdsReadTest, Record2IsKnownOnlyByItsName)
{
    // Something at offset 512 that is not "CMP-2 HDR": that is record 3.
    UdsTestFile t = UdsTestFile::Make(Numbers::Ieee, "Y", 0, 1, 0.1F, false, 1);
    t.Data(0, "Y DATA", {4.0F, 5.0F});
    t.Save(PathOf("r.uds"));
    CUDSFile r;
    r.ReadFile(PathOf("r.uds"));
    EXPECT_FALSE(r.HasComponent2Record());
    EXPECT_EQ(r.GetSampleY(), (std::vector<double>{4.0, 5.0}));
}

TEST_F(UdsReadTest, PointsAreIndependentObjects)
{
    UdsTestFile t = UdsTestFile::Make(Numbers::Ieee, "Y", 0, 2, 1.0F, false, 1);
    t.Data(0, "Y DATA", {1.0F, 2.0F, 3.0F});
    t.Save(PathOf("p.uds"));
    CUDSFile::PointList kept;
    {
        CUDSFile r;
        r.ReadFile(PathOf("p.uds"));
        kept = r.GetPoints();
        EXPECT_EQ(&r.GetPoints(), &r.GetPoints());
    }
    // The points outlive the file object and change one at a time.
    ASSERT_EQ(kept.size(), 3U);
    kept[1]->SetY(20.0);
    EXPECT_EQ(kept[0]->GetY(), 1.0);
    EXPECT_EQ(kept[1]->GetY(), 20.0);
    EXPECT_EQ(kept[2]->GetX(), 2.0);
}

} // namespace
} // namespace kx
