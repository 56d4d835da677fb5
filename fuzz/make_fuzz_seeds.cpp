// Writes the seed files of the fuzz targets, one folder per reader, with our own
// writers where we have them: UDS-1992 files in every number format and layout,
// points text in every column layout and line end, simulation output, small
// bitmaps, list files and hit lists.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "signal/CNSignal.h"
#include "signal/CUDSFile.h"

namespace {

namespace fs = std::filesystem;

void Text(const fs::path &path, const std::string &text)
{
    std::ofstream(path, std::ios::binary) << text;
}

kx::CNSignal Signal(double del, int nfp, int count)
{
    kx::CNSignal s;
    s.SetXType("TIME");
    s.SetXUnits("SECONDS");
    s.SetYUnits("G'S");
    s.SetAxis("RS");
    s.SetDel(del);
    s.SetNFP(nfp);
    s.SetNLP(nfp + count - 1);
    std::vector<double> x;
    std::vector<double> y;
    for (int i = 0; i < count; ++i) {
        x.push_back(del > 0.0 ? (nfp + i) * del : 0.0001 * i * (1.0 + 0.01 * i));
        y.push_back(40.0 * std::sin(0.05 * i) - 3.0);
    }
    s.SetXYData(x, y);
    return s;
}

void Uds(const fs::path &folder)
{
    using Format = kx::CUDSFile::FloatFormat;
    int k = 0;
    for (const double del : {0.0001, 0.0}) {
        for (const Format format : {Format::IeeeLittleEndian, Format::IeeeBigEndian, Format::Vax}) {
            for (const bool record2 : {false, true}) {
                kx::CNSignal s = Signal(del, del > 0.0 ? -20 : 0, 130);
                if (record2) {
                    s.SetVehicle2Number(2);
                    s.SetOccupant2Type("HYBRID III");
                }
                s.SetTitle("FUZZ SEED");
                kx::CUDSFile file;
                s.ToUDSFile(file);
                file.SetWriteFloatFormat(format);
                file.WriteFile((folder / ("seed" + std::to_string(k++) + ".uds")).string());
            }
        }
    }
}

void Points(const fs::path &folder)
{
    const std::string texts[] = {
        "1.5\n2.5\n-3\n",        "0 1\n0.001 2\n0.002 3\n",         "0,1,2\n3,4,5\n",
        "0 1\r\n1 2\r\n\r\n",    "\t0\t\t1\n\t1\t\t2\n\ncomment\n", "7\n1 2\n3 4 5\n",
        "-1.5e-3 +2E2\n.5 7.\n",
    };
    int k = 0;
    for (const std::string &t : texts)
        Text(folder / ("seed" + std::to_string(k++) + ".txt"), t);
}

void Madymo(const fs::path &folder)
{
    Text(folder / "seed0.out", "MADYMO time-history output\nSled run 17\n2 3\nHead acceleration\nChest acceleration\n"
                               "Resultant (G)\nX (G)\nY (G)\n1.5\n0 1 2\n3 4 5\n3.0\n6 7 8\n9 10 11\n");
    Text(folder / "seed1.out", "a\r\nb\r\n1 1\r\np\r\nc (N)\r\n0\r\n42\r\n");
    Text(folder / "seed2.out", "x\ny\n1 2\np\nc1\nc2\n0.5\n1.0e+02\t-2.5e-01\n");
}

void Put16(std::string &b, std::uint16_t v)
{
    b += static_cast<char>(v & 0xFF);
    b += static_cast<char>(v >> 8);
}
void Put32(std::string &b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A small bitmap written by hand: file header, info header, palette, rows.
std::string Bitmap(int width, int height, int bits)
{
    const int colours = bits <= 8 ? (1 << bits) : 0;
    const int stride = ((width * bits + 31) / 32) * 4;
    const std::uint32_t offset = 14 + 40 + 4 * colours;
    std::string b = "BM";
    Put32(b, offset + stride * height);
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(height));
    Put16(b, 1);
    Put16(b, static_cast<std::uint16_t>(bits));
    Put32(b, 0);
    Put32(b, static_cast<std::uint32_t>(stride * height));
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, 0);
    Put32(b, 0);
    for (int c = 0; c < colours; ++c)
        Put32(b, static_cast<std::uint32_t>(c * 0x010101 * (255 / std::max(1, colours - 1))));
    for (int r = 0; r < height; ++r)
        for (int i = 0; i < stride; ++i)
            b += static_cast<char>((r * 31 + i * 7) & 0xFF);
    return b;
}

void Bitmaps(const fs::path &folder)
{
    Text(folder / "seed1.bmp", Bitmap(5, 3, 1));
    Text(folder / "seed4.bmp", Bitmap(4, 2, 4));
    Text(folder / "seed8.bmp", Bitmap(3, 3, 8));
    Text(folder / "seed24.bmp", Bitmap(2, 2, 24));
}

void Lists(const fs::path &lists, const fs::path &hits)
{
    Text(lists / "seed0.lst", "a.uds\nb.uds\n");
    Text(lists / "seed1.lst", "C1 one.uds\r\n\r\n two.uds \r\nthree.uds\r\n");
    Text(hits / "seed0.lst", "/tmp/a.uds\n\nrelative/b.uds\n*.uds\n");
    Text(hits / "seed1.lst", "T1?.uds\r\n[ab].uds\r\n   \r\n");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_fuzz_seeds <folder>\n");
        return 2;
    }
    const fs::path root = argv[1];
    for (const char *kind : {"uds", "points", "madymo", "bitmap", "listfile", "hitlist"})
        fs::create_directories(root / kind);
    Uds(root / "uds");
    Points(root / "points");
    Madymo(root / "madymo");
    Bitmaps(root / "bitmap");
    Lists(root / "listfile", root / "hitlist");
    return 0;
}
