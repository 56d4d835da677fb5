#pragma once
// Hand-built UDS-1992 files for tests. Offsets are written out here from the
// record tables, independent of the library's layout table.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

namespace kx::test {

enum class Numbers { Ieee, Sun, Vax, Blank };

// Byte offsets used by the tests (record-relative).
inline constexpr std::size_t kFileVer = 0, kNChan = 12, kFileForm = 16, kNumForm = 26, kTstNo = 49, kTstNam = 53,
                             kTitle = 65, kClsSpd = 177, kVehicle1Year = 257, kAIS = 379;
inline constexpr std::size_t kVehicle2Number = 12, kVehicle2Year = 88, kOccupant2Type = 129;
inline constexpr std::size_t kCurNo = 26, kCurNam = 30, kYUnits = 108, kNFP = 278, kNLP = 282, kDel = 286,
                             kPreFil = 294, kCD2 = 374;

// VAX F-floating bytes of a normal float, from its sign, exponent and
// fraction: word 1 = sign | exponent + 2 | top fraction bits, then word 2.
inline std::vector<unsigned char> VaxBytes(float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    if ((bits & 0x7FFFFFFFU) == 0)
        return {0, 0, 0, 0};
    const std::uint32_t sign = bits >> 31;
    const std::uint32_t exponent = ((bits >> 23) & 0xFF) + 2;
    const std::uint32_t fraction = bits & 0x7FFFFF;
    const std::uint32_t word1 = (sign << 15) | (exponent << 7) | (fraction >> 16);
    const std::uint32_t word2 = fraction & 0xFFFF;
    return {static_cast<unsigned char>(word1 & 0xFF), static_cast<unsigned char>(word1 >> 8),
            static_cast<unsigned char>(word2 & 0xFF), static_cast<unsigned char>(word2 >> 8)};
}

class UdsTestFile {
public:
    UdsTestFile(Numbers numbers, std::size_t records)
        : m_Numbers(numbers)
        , m_Bytes(512 * records, 0)
    {}

    // A file with records 1 and 3 (and 2), and `data` data records left zero.
    static UdsTestFile Make(Numbers numbers, const std::string &file_form, std::int32_t nfp, std::int32_t nlp,
                            float del, bool record2, std::size_t data)
    {
        UdsTestFile f(numbers, 2 + (record2 ? 1 : 0) + data);
        f.Text(kFileVer, "UDS-1992", 12);
        f.Text(kFileForm, file_form, 10);
        const char *names[] = {"IEEE", "SUN", "VAX", ""};
        f.Text(kNumForm, names[static_cast<int>(numbers)], 5);
        f.Text(31, "MET", 3);
        if (record2) {
            f.Text(512, "CMP-2 HDR", 12);
        }
        f.m_Curve = record2 ? 1024 : 512;
        f.Text(f.m_Curve, "CURVE HDR", 12);
        f.Int(f.m_Curve + kNFP, nfp);
        f.Int(f.m_Curve + kNLP, nlp);
        f.Float(f.m_Curve + kDel, del);
        return f;
    }

    std::size_t Curve() const { return m_Curve; }
    std::size_t DataStart() const { return m_Curve + 512; }

    void Text(std::size_t at, const std::string &text, std::size_t width, char pad = ' ')
    {
        for (std::size_t i = 0; i < width; ++i) {
            m_Bytes.at(at + i) = static_cast<unsigned char>(i < text.size() ? text[i] : pad);
        }
    }

    void Raw(std::size_t at, std::initializer_list<unsigned char> bytes)
    {
        for (unsigned char b : bytes)
            m_Bytes.at(at++) = b;
    }

    void Int(std::size_t at, std::int32_t value)
    {
        const auto u = static_cast<std::uint32_t>(value);
        unsigned char le[4] = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8),
                               static_cast<unsigned char>(u >> 16), static_cast<unsigned char>(u >> 24)};
        for (int i = 0; i < 4; ++i) {
            m_Bytes.at(at + i) = m_Numbers == Numbers::Sun ? le[3 - i] : le[i];
        }
    }

    void Float(std::size_t at, float value)
    {
        std::vector<unsigned char> b;
        if (m_Numbers == Numbers::Vax) {
            b = VaxBytes(value);
        } else {
            std::uint32_t u;
            std::memcpy(&u, &value, 4);
            b = {static_cast<unsigned char>(u), static_cast<unsigned char>(u >> 8), static_cast<unsigned char>(u >> 16),
                 static_cast<unsigned char>(u >> 24)};
            if (m_Numbers == Numbers::Sun)
                b = {b[3], b[2], b[1], b[0]};
        }
        for (int i = 0; i < 4; ++i)
            m_Bytes.at(at + i) = b[i];
    }

    // Data record `index` (0 = first after record 3): its name and values.
    void Data(std::size_t index, const std::string &name, const std::vector<float> &values)
    {
        const std::size_t at = DataStart() + 512 * index;
        Text(at, name, 12);
        for (std::size_t i = 0; i < values.size(); ++i)
            Float(at + 12 + 4 * i, values[i]);
    }

    std::vector<unsigned char> &Bytes() { return m_Bytes; }

    void Save(const std::filesystem::path &path) const
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char *>(m_Bytes.data()), static_cast<std::streamsize>(m_Bytes.size()));
        ASSERT_TRUE(out.good());
    }

private:
    Numbers m_Numbers;
    std::vector<unsigned char> m_Bytes;
    std::size_t m_Curve = 512;
};

inline std::vector<unsigned char> ReadBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Stores a NaN over each of the given samples of a "Y" file in IEEE numbers without
// record 2 (as the library writes a signal on this machine).
inline void StoreSampleBytes(const std::filesystem::path &path, const std::vector<int> &samples,
                             const unsigned char (&bytes)[4])
{
    std::fstream file(path, std::ios::binary | std::ios::in | std::ios::out);
    for (int i : samples) {
        file.seekp(1024 + 512 * (i / 125) + 12 + 4 * (i % 125));
        file.write(reinterpret_cast<const char *>(bytes), 4);
    }
    ASSERT_TRUE(file.good());
}

inline void StoreNaNSamples(const std::filesystem::path &path, const std::vector<int> &samples)
{
    const unsigned char nan[4] = {0x00, 0x00, 0xC0, 0x7F};
    StoreSampleBytes(path, samples, nan);
}

// Stores +inf (or -inf) as Y of the given samples.
inline void StoreInfiniteSamples(const std::filesystem::path &path, const std::vector<int> &samples,
                                 bool negative = false)
{
    const unsigned char inf[4] = {0x00, 0x00, 0x80, static_cast<unsigned char>(negative ? 0xFF : 0x7F)};
    StoreSampleBytes(path, samples, inf);
}

// A fresh folder per test, removed afterwards.
class UdsFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "kx_uds_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" + info->name();
        for (char &c : name) {
            if (c == '/')
                c = '_';
        }
        m_Folder = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(m_Folder);
        std::filesystem::create_directories(m_Folder);
    }
    void TearDown() override
    {
        std::error_code ec;
        std::filesystem::permissions(m_Folder, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ec);
        std::filesystem::remove_all(m_Folder, ec);
    }
    std::string PathOf(const std::string &name) const { return (m_Folder / name).string(); }
    std::vector<std::string> FolderContents() const
    {
        std::vector<std::string> names;
        for (const auto &e : std::filesystem::directory_iterator(m_Folder)) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::filesystem::path m_Folder;
};

} // namespace kx::test
