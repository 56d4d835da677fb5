// A signal saved as UDS-1992 and read back, and a signal read from points text.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "MessageOf.h"
#include "UdsTestFile.h"
#include "signal/CNSignal.h"
#include "signal/CUDSFile.h"
#include "signal/LoadWarnings.h"

namespace {

namespace fs = std::filesystem;
using kx::CNSignal;
using Vec = std::vector<double>;

class SignalFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::random_device rd;
        dir_ = fs::temp_directory_path() / ("kx_signal_file_" + std::to_string(rd()));
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    std::string Path(const std::string &name) const { return (dir_ / name).string(); }
    std::string Folder() const { return dir_.string() + "/"; }
    void WriteText(const std::string &name, const std::string &text) const
    {
        std::ofstream(Path(name), std::ios::binary) << text;
    }
    static std::string ReadBytes(const std::string &path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    fs::path dir_;
};

using kx::test::MessageOf;

// Sets every header field to a value of its own that survives the file: texts in
// upper case within the field width, integers and float-exact reals.
void FillEveryField(CNSignal &s)
{
    int index = 0;
    const auto text = [&](std::uint32_t width) { return ("F" + std::to_string(index)).substr(0, width); };
#define KX_FILL_Text(stem, width) s.Set##stem(text(width));
#define KX_FILL_Int(stem, width) s.Set##stem(1000 + index * 7);
#define KX_FILL_Float(stem, width) s.Set##stem(index + 0.25);
#define KX_FILL(stem, width, kind, def)                                                                                \
    ++index;                                                                                                           \
    KX_FILL_##kind(stem, width)
    KX_UDS_ALL_FIELDS(KX_FILL)
#undef KX_FILL
#undef KX_FILL_Text
#undef KX_FILL_Int
#undef KX_FILL_Float
}

// Expects every header field of a to equal that of b.
void ExpectSameHeader(const CNSignal &a, const CNSignal &b)
{
#define KX_SAME(stem, width, kind, def) EXPECT_EQ(a.Get##stem(), b.Get##stem()) << #stem;
    KX_UDS_ALL_FIELDS(KX_SAME)
#undef KX_SAME
}

CNSignal ConstantStepSignal(int nfp, int n, double del)
{
    CNSignal s;
    s.SetDel(del);
    s.SetNFP(nfp);
    s.SetNLP(nfp + n - 1);
    Vec y(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        y[static_cast<std::size_t>(i)] = (i % 17) * 0.5 - 3.0;
    s.SetYData(y);
    return s;
}

TEST_F(SignalFile, EveryHeaderFieldAndSampleSurvivesSaveAndReload)
{
    CNSignal s;
    FillEveryField(s);
    s.SetDel(0.0);
    s.SetNFP(1);
    s.SetNLP(300);
    s.SetVehicle1Year(1995);
    s.SetStatus("QD");
    s.SetChestClip(61.5);
    Vec x(300), y(300);
    for (std::size_t i = 0; i < 300; ++i) {
        x[i] = static_cast<double>(i * i) / 64.0;
        y[i] = 1000.0 - static_cast<double>(i) * 2.5;
    }
    s.SetXYData(x, y);
    s.SaveToUDSFile(Path("full.uds"));

    CNSignal r;
    r.LoadUDSFile(Path("full.uds"));
    CNSignal expected(s);
    expected.SetFileVer("UDS-1992");
    expected.SetFileForm("X-Y");
    expected.SetNumForm("IEEE");
    ExpectSameHeader(r, expected);
    EXPECT_EQ(r.GetStatus(), "QUESTIONABLE DATA");
    EXPECT_EQ(r.GetChestClip(), 61.5);
    EXPECT_EQ(r.GetX(), x);
    EXPECT_EQ(r.GetY(), y);
    EXPECT_EQ(r.GetZ(), Vec(300, 0.0));
    EXPECT_EQ(r.GetNumberOfPoints(), 300);
    EXPECT_DOUBLE_EQ(r.GetYMax(), 1000.0);
    EXPECT_DOUBLE_EQ(r.GetXMax(), 299.0 * 299.0 / 64.0);
}

TEST_F(SignalFile, ConstantStepSignalIsWrittenAsYFileAndReloadsItsTimeAxis)
{
    CNSignal s = ConstantStepSignal(-100, 1000, 0.0001);
    s.SaveToUDSFile(Path("y.uds"));

    kx::CUDSFile raw;
    raw.ReadFile(Path("y.uds"));
    EXPECT_EQ(raw.GetFileForm(), "Y");
    EXPECT_EQ(fs::file_size(Path("y.uds")), 512U * 2 + 512U * 8);

    CNSignal r;
    r.LoadUDSFile(Path("y.uds"));
    EXPECT_EQ(r.GetFileForm(), "Y");
    EXPECT_EQ(r.GetY(), s.GetY());
    ASSERT_EQ(r.GetX().size(), 1000U);
    for (std::size_t i = 0; i < r.GetX().size(); i += 111)
        EXPECT_NEAR(r.GetX()[i], s.GetX()[i], 1e-7);
    EXPECT_EQ(r.GetNumberOfPoints(), 1000);
    double start = 0, end = 0;
    r.GetTimeRange(start, end);
    EXPECT_NEAR(start, -0.01, 1e-7);
    EXPECT_NEAR(end, 0.0899, 1e-7);
    EXPECT_EQ(r.GetDel(), static_cast<double>(0.0001F));
}

TEST_F(SignalFile, BigEndianChoiceWritesSunNumbers)
{
    CNSignal s = ConstantStepSignal(0, 130, 0.5);
    s.SetWriteBigEndian(true);
    s.SaveToUDSFile(Path("sun.uds"));
    CNSignal r;
    r.LoadUDSFile(Path("sun.uds"));
    EXPECT_EQ(r.GetNumForm(), "SUN");
    EXPECT_EQ(r.GetY(), s.GetY());
    EXPECT_EQ(r.GetX(), s.GetX());
}

// Saving hands the samples straight to the writer: the bytes are those the point-list
// route writes, in every layout and byte order, and the signal keeps no point objects
// and loses no sample (a failed save included).
TEST_F(SignalFile, SaveWritesTheSamplesAsThePointRouteDoes)
{
    const auto bytes = [](const std::string &path) {
        std::ifstream in(path, std::ios::binary);
        return std::vector<char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    int k = 0;
    for (const double del : {0.0, 0.0001}) {
        for (const bool bigEndian : {false, true}) {
            SCOPED_TRACE(std::to_string(del) + (bigEndian ? " big-endian" : " little-endian"));
            kx::CNSignal s;
            s.SetDel(del);
            s.SetNFP(-7);
            s.SetNLP(-7 + 300 - 1);
            std::vector<double> x;
            std::vector<double> y;
            for (int i = 0; i < 300; ++i) {
                x.push_back(del == 0.0 ? 0.001 * i * i : (-7 + i) * del);
                y.push_back(1.0 / (i + 1) - 0.25);
            }
            s.SetXYData(x, y);
            s.SetWriteBigEndian(bigEndian);
            const std::string direct = Path("direct" + std::to_string(k) + ".uds");
            const std::string viaPoints = Path("points" + std::to_string(k++) + ".uds");
            s.SaveToUDSFile(direct);
            EXPECT_TRUE(s.GetPoints().empty());
            EXPECT_EQ(s.GetX(), x);
            EXPECT_EQ(s.GetY(), y);

            kx::CUDSFile file;
            s.ToUDSFile(file);
            file.SetPoints(kx::CNSignal(s).MakePoints());
            file.WriteFile(viaPoints);
            EXPECT_EQ(bytes(direct), bytes(viaPoints));

            // A refused save gives the samples back as well.
            EXPECT_THROW(s.SaveToUDSFile(Path("no-such-folder/x.uds")), std::logic_error);
            EXPECT_EQ(s.GetX(), x);
            EXPECT_EQ(s.GetY(), y);
        }
    }
}

TEST_F(SignalFile, ChannelClassComesFromTheFilterFrequencies)
{
    struct Case {
        double prefilter, cutoff;
        const char *status;
        int expected;
    };
    const Case cases[] = {
        {1650, 0, "AM", 1000},
        {1650, 300, "FILTERED", 180},
        {1650, 100, "FILTERED", 60},
        {1650, 100, "FIR100 FILTERED", 1},
        {1650, 100, "fir100 filtered", 1},
        {1650, 50, "AM", 1001},
    };
    for (const Case &c : cases) {
        CNSignal s = ConstantStepSignal(0, 10, 0.001);
        s.SetPreFil(c.prefilter);
        s.SetFCut(c.cutoff);
        s.SetStatus(c.status);
        s.SaveToUDSFile(Path("class.uds"));
        CNSignal r;
        r.LoadUDSFile(Path("class.uds"));
        EXPECT_EQ(r.GetFilterClass(), c.expected) << c.status << " " << c.cutoff;
    }
}

TEST_F(SignalFile, CarriedTextsPassThroughTheFileObject)
{
    CNSignal s = ConstantStepSignal(0, 10, 0.001);
    s.SetFileName("b.uds");
    s.SetPathName("/x/b.uds");
    s.SetFileText("third");
    s.SetExtraText1("e1");
    s.SetExtraText5("e5");
    kx::CUDSFile file;
    s.ToUDSFile(file);
    EXPECT_EQ(file.GetFileName(), "b.uds");
    EXPECT_EQ(file.GetPathName(), "/x/b.uds");
    EXPECT_EQ(file.GetText3(), "third");

    CNSignal r;
    r.FromUDSFile(file);
    EXPECT_EQ(r.GetFileName(), "b.uds");
    EXPECT_EQ(r.GetPathName(), "/x/b.uds");
    EXPECT_EQ(r.GetFileText(), "third");
    EXPECT_EQ(r.GetExtraText1(), "e1");
    EXPECT_EQ(r.GetExtraText5(), "e5");
    EXPECT_EQ(r.GetY(), s.GetY());
}

TEST_F(SignalFile, RefusedLoadsLeaveTheSignalAsItWas)
{
    CNSignal good = ConstantStepSignal(0, 200, 0.001);
    good.SaveToUDSFile(Path("good.uds"));
    const std::string bytes = ReadBytes(Path("good.uds"));
    std::ofstream(Path("short.uds"), std::ios::binary) << bytes.substr(0, 600);
    std::ofstream(Path("nodata.uds"), std::ios::binary) << bytes.substr(0, 1024);
    WriteText("empty.txt", "");
    WriteText("bad.txt", "0 1\n1 x\n");

    struct Case {
        const char *name;
        std::function<void(CNSignal &)> load;
        std::string message;
    };
    const Case cases[] = {
        {"missing UDS", [&](CNSignal &s) { s.LoadUDSFile(Path("none.uds")); },
         "Failure to open file: " + Path("none.uds") + " for reading."},
        {"size", [&](CNSignal &s) { s.LoadUDSFile(Path("short.uds")); }, "File size not a multiple of 512 bytes."},
        {"no data", [&](CNSignal &s) { s.LoadUDSFile(Path("nodata.uds")); },
         "File size too small - Insufficient data points"},
        {"points text as UDS", [&](CNSignal &s) { s.LoadUDSFile(Path("bad.txt")); },
         "File size not a multiple of 512 bytes."},
        {"missing points", [&](CNSignal &s) { s.ReadPointsFile(Folder(), "none.txt"); },
         "Failure to open file: " + Path("none.txt") + " for reading."},
        {"bad points", [&](CNSignal &s) { s.ReadPointsFile(Folder(), "bad.txt"); },
         "Failure to parse the file: " + Path("bad.txt") + " for reading."},
        {"no points", [&](CNSignal &s) { s.ReadPointsFile(Folder(), "empty.txt"); }, Path("empty.txt") + " is empty"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        CNSignal s = ConstantStepSignal(5, 20, 0.25);
        s.SetTitle("KEEP");
        s.SetFileName("keep.uds");
        const CNSignal before(s);
        EXPECT_EQ(MessageOf([&] { c.load(s); }), c.message);
        EXPECT_EQ(s.GetX(), before.GetX());
        EXPECT_EQ(s.GetY(), before.GetY());
        EXPECT_EQ(s.GetNumberOfPoints(), before.GetNumberOfPoints());
        EXPECT_EQ(s.GetTitle(), "KEEP");
        EXPECT_EQ(s.GetFileName(), "keep.uds");
        EXPECT_EQ(s.GetTstSrc(), before.GetTstSrc());
    }
}

TEST_F(SignalFile, RefusedSaveKeepsTheExistingFile)
{
    CNSignal good = ConstantStepSignal(0, 50, 0.001);
    good.SaveToUDSFile(Path("keep.uds"));
    const std::string bytes = ReadBytes(Path("keep.uds"));

    CNSignal bad = ConstantStepSignal(0, 10, 0.001);
    bad.SetNLP(10);
    EXPECT_EQ(MessageOf([&] { bad.SaveToUDSFile(Path("keep.uds")); }),
              "NLP - NFP + 1: 11 does not equal to array size: 10");
    EXPECT_EQ(ReadBytes(Path("keep.uds")), bytes);

    EXPECT_EQ(MessageOf([&] { good.SaveToUDSFile(Path("missing/keep.uds")); }), "Failure to open file for writing.");
    EXPECT_EQ(MessageOf([&] { good.SaveToUDSFile(""); }), "Failure to write file due to empty path and file name.");
}

TEST_F(SignalFile, SamplesStoredAsNaNAreCountedAndWarnedOfOnce)
{
    using kx::test::Numbers;
    using kx::test::UdsTestFile;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    UdsTestFile t = UdsTestFile::Make(Numbers::Ieee, "Y", 0, 3, 0.001F, false, 1);
    t.Data(0, "Y DATA", {1.0F, nan, nan, 4.0F});
    t.Save(Path("nan.uds"));
    t.Data(0, "Y DATA", {1.0F, 2.0F, 3.0F, 4.0F});
    t.Save(Path("clean.uds"));

    CNSignal s;
    s.LoadUDSFile(Path("nan.uds"));
    EXPECT_EQ(s.GetY(), (Vec{1.0, 0.0, 0.0, 4.0}));
    EXPECT_EQ(s.GetNaNSampleCount(), 2U);
    EXPECT_EQ(CNSignal(s).GetNaNSampleCount(), 2U);

    std::vector<std::string> messages{"earlier"};
    EXPECT_TRUE(kx::AddNaNSampleWarning(messages, Path("nan.uds"), s));
    EXPECT_EQ(messages,
              (std::vector<std::string>{"earlier", Path("nan.uds") + ": 2 samples stored as NaN were read as 0"}));

    // Reading another file, or points text, forgets the count.
    s.LoadUDSFile(Path("clean.uds"));
    EXPECT_EQ(s.GetNaNSampleCount(), 0U);
    EXPECT_FALSE(kx::AddNaNSampleWarning(messages, Path("clean.uds"), s));
    EXPECT_EQ(messages.size(), 2U);
    s.LoadUDSFile(Path("nan.uds"));
    WriteText("pts.txt", "0 1\n0.001 2\n");
    s.ReadPointsFile(Folder(), "pts.txt");
    EXPECT_EQ(s.GetNaNSampleCount(), 0U);

    EXPECT_EQ(kx::NaNSampleWarning("a.uds", 0), "");
    EXPECT_EQ(kx::NaNSampleWarning("a.uds", 1), "a.uds: 1 sample stored as NaN was read as 0");
    EXPECT_EQ(kx::NaNSampleWarning("a.uds", 125), "a.uds: 125 samples stored as NaN were read as 0");
}

TEST_F(SignalFile, PointsFileBecomesATimeSignal)
{
    WriteText("pts.txt", "  0.000   1.5\r\n  0.001  -2.5\r\n  0.002   4.0\r\n\r\nend of data\r\n");
    CNSignal s;
    s.ReadPointsFile(Folder(), "pts.txt");
    EXPECT_EQ(s.GetX(), (Vec{0.0, 0.001, 0.002}));
    EXPECT_EQ(s.GetY(), (Vec{1.5, -2.5, 4.0}));
    EXPECT_EQ(s.GetZ(), Vec(3, 0.0));
    EXPECT_EQ(s.GetXType(), "TIME");
    EXPECT_EQ(s.GetXUnits(), "SECONDS");
    EXPECT_EQ(s.GetTstSrc(), "ASCII File");
    EXPECT_EQ(s.GetNFP(), 0);
    EXPECT_EQ(s.GetNLP(), 2);
    EXPECT_EQ(s.GetNumberOfPoints(), 3);
    EXPECT_EQ(s.GetFileName(), "pts.txt");
    EXPECT_EQ(s.GetDirectory(), Folder());
    EXPECT_EQ(s.GetPathName(), Path("pts.txt"));
    EXPECT_DOUBLE_EQ(s.GetYMin(), -2.5);

    // An X-Y signal read from text saves and reloads as such.
    s.SaveToUDSFile(Path("pts.uds"));
    CNSignal r;
    r.LoadUDSFile(Path("pts.uds"));
    EXPECT_EQ(r.GetFileForm(), "X-Y");
    EXPECT_EQ(r.GetY(), s.GetY());
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(r.GetX()[i], static_cast<double>(static_cast<float>(s.GetX()[i])));
}

} // namespace
