// Bitmap files (valid, headerless, OS/2, truncated, lying, oversized), drawing them on a
// page, and the in-memory bitmap.

#include <sys/stat.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdint>
#include <fstream>
#include <vector>

#include "shared_ui/printing/BitmapFile.h"
#include "shared_ui/printing/CCeXDib.h"
#include "shared_ui/printing/CPage.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes &b, std::uint32_t v)
{
    b.push_back(static_cast<std::uint8_t>(v & 0xFF));
    b.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}
void Put32(Bytes &b, std::uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

struct BmpShape {
    bool fileHeader = true;
    std::uint32_t headerSize = 40;
    std::int32_t width = 3;
    std::int32_t height = 2;
    std::uint16_t bits = 8;
    std::uint32_t colours = 2; // palette entries written and declared
    std::uint32_t declaredColours = 2;
    std::uint32_t offset = 0; // 0: right after the palette
    std::size_t cut = 0;      // bytes removed from the end
    bool writeBits = true;
};

// An 8-bit (or other depth) image whose pixel (x, y from the top) has index (x + y) % 2;
// palette entry 0 is red, 1 is blue.
Bytes MakeBmp(const BmpShape &s)
{
    Bytes info;
    if (s.headerSize == 12) {
        Put32(info, 12);
        Put16(info, static_cast<std::uint32_t>(s.width));
        Put16(info, static_cast<std::uint32_t>(s.height));
        Put16(info, 1);
        Put16(info, s.bits);
    } else {
        Put32(info, s.headerSize);
        Put32(info, static_cast<std::uint32_t>(s.width));
        Put32(info, static_cast<std::uint32_t>(s.height));
        Put16(info, 1);
        Put16(info, s.bits);
        Put32(info, 0); // BI_RGB
        Put32(info, 0); // image size left to the reader
        Put32(info, 2835);
        Put32(info, 2835);
        Put32(info, s.declaredColours);
        Put32(info, 0);
        while (info.size() < s.headerSize)
            info.push_back(0);
    }
    for (std::uint32_t i = 0; i < s.colours; ++i) {
        const std::uint8_t blue = (i % 2 == 1) ? 255 : 0;
        const std::uint8_t red = (i % 2 == 0) ? 255 : 0;
        info.push_back(blue);
        info.push_back(0);
        info.push_back(red);
        if (s.headerSize != 12)
            info.push_back(0);
    }
    const std::size_t line = ((static_cast<std::size_t>(s.bits) * s.width + 31) / 32) * 4;
    Bytes bits;
    for (int row = 0; s.writeBits && row < s.height; ++row) {
        const int y = s.height - 1 - row; // bottom-up
        Bytes l(line, 0);
        for (int x = 0; x < s.width; ++x) {
            const int index = (x + y) % 2;
            if (s.bits == 8) {
                l[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(index);
            } else if (s.bits == 1) {
                if (index)
                    l[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            } else if (s.bits == 24) {
                l[static_cast<std::size_t>(x) * 3 + (index ? 0 : 2)] = 255;
            }
        }
        bits.insert(bits.end(), l.begin(), l.end());
    }
    Bytes file;
    if (s.fileHeader) {
        file.push_back('B');
        file.push_back('M');
        Put32(file, static_cast<std::uint32_t>(14 + info.size() + bits.size()));
        Put32(file, 0);
        Put32(file, s.offset != 0 ? s.offset : static_cast<std::uint32_t>(14 + info.size()));
    }
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), bits.begin(), bits.end());
    file.resize(file.size() - std::min(s.cut, file.size()));
    return file;
}

class BitmapFileTest : public ::testing::Test {
protected:
    std::string Write(const Bytes &bytes, const char *name = "image.bmp")
    {
        const std::string path = dir.filePath(name).toStdString();
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    QTemporaryDir dir;
};

void ExpectCheckerboard(const QImage &image, int width, int height)
{
    ASSERT_FALSE(image.isNull());
    ASSERT_EQ(image.width(), width);
    ASSERT_EQ(image.height(), height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb expected = (x + y) % 2 ? qRgb(0, 0, 255) : qRgb(255, 0, 0);
            EXPECT_EQ(image.pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(BitmapFileTest, ValidFileLoads)
{
    const Bytes image = ReadBitmapFile(Write(MakeBmp({})));
    ASSERT_EQ(image.size(), 40U + 2 * 4 + 4 * 2);
    BitmapInfoHeader header;
    ASSERT_TRUE(GetBitmapInfo(image, header));
    EXPECT_EQ(header.biWidth, 3);
    EXPECT_EQ(header.biSizeImage, 8U);
    EXPECT_EQ(NumColours(header), 2);
    EXPECT_EQ(PaletteSize(header), 8U);
    ExpectCheckerboard(PackedBitmapToImage(image), 3, 2);
}

TEST_F(BitmapFileTest, SpecialFilesAreRefusedWithoutWaiting)
{
    const std::string fifo = dir.filePath("pipe.bmp").toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string &path : {fifo, std::string("/dev/zero"), std::string("/dev/urandom")})
        EXPECT_TRUE(ReadBitmapFile(path).empty()) << path;
}

TEST_F(BitmapFileTest, FileWithoutFileHeaderLoads)
{
    BmpShape shape;
    shape.fileHeader = false;
    const Bytes image = ReadBitmapFile(Write(MakeBmp(shape)));
    ExpectCheckerboard(PackedBitmapToImage(image), 3, 2);
}

TEST_F(BitmapFileTest, CoreHeaderIsWidenedWithItsPalette)
{
    BmpShape shape;
    shape.headerSize = 12;
    shape.bits = 1;
    shape.width = 9;
    shape.height = 3;
    const Bytes image = ReadBitmapFile(Write(MakeBmp(shape)));
    ASSERT_EQ(image.size(), 40U + 2 * 4 + 4 * 3);
    BitmapInfoHeader header;
    ASSERT_TRUE(GetBitmapInfo(image, header));
    EXPECT_EQ(header.biSize, 40U);
    EXPECT_EQ(header.biBitCount, 1);
    EXPECT_EQ(image[40 + 3], 0);       // fourth byte of entry 0
    EXPECT_EQ(image[40 + 2], 255);     // red of entry 0
    EXPECT_EQ(image[40 + 4 + 0], 255); // blue of entry 1
    ExpectCheckerboard(PackedBitmapToImage(image), 9, 3);
}

TEST_F(BitmapFileTest, TwentyFourBitFileLoads)
{
    BmpShape shape;
    shape.bits = 24;
    shape.colours = 0;
    shape.declaredColours = 0;
    shape.width = 5;
    ExpectCheckerboard(PackedBitmapToImage(ReadBitmapFile(Write(MakeBmp(shape)))), 5, 2);
}

struct BadCase {
    const char *name;
    BmpShape shape;
};

class BadBitmap : public BitmapFileTest, public ::testing::WithParamInterface<BadCase> {};

TEST_P(BadBitmap, IsRefused)
{
    EXPECT_TRUE(ReadBitmapFile(Write(MakeBmp(GetParam().shape))).empty());
}

BmpShape With(void (*change)(BmpShape &))
{
    BmpShape s;
    change(s);
    return s;
}

INSTANTIATE_TEST_SUITE_P(Cases, BadBitmap,
                         ::testing::Values(BadCase{"V4Header", With([](BmpShape &s) { s.headerSize = 108; })},
                                           BadCase{"V5Header", With([](BmpShape &s) { s.headerSize = 124; })},
                                           BadCase{"TruncatedBits", With([](BmpShape &s) { s.cut = 1; })},
                                           BadCase{"TruncatedPalette", With([](BmpShape &s) { s.cut = 8 + 6; })},
                                           BadCase{"TruncatedHeader", With([](BmpShape &s) { s.cut = 8 + 8 + 30; })},
                                           BadCase{"Oversized", With([](BmpShape &s) {
                                                       s.width = 100000;
                                                       s.height = 100000;
                                                       s.writeBits = false;
                                                   })},
                                           BadCase{"TallerThanTheFile", With([](BmpShape &s) {
                                                       s.height = -5000;
                                                       s.width = 400;
                                                       s.writeBits = false;
                                                   })},
                                           BadCase{"TooManyColours",
                                                   With([](BmpShape &s) { s.declaredColours = 300; })},
                                           BadCase{"BitsBeyondTheFile", With([](BmpShape &s) { s.offset = 100000; })},
                                           BadCase{"BitsInsideTheHeader", With([](BmpShape &s) { s.offset = 20; })},
                                           BadCase{"NoWidth", With([](BmpShape &s) { s.width = 0; })},
                                           BadCase{"OddDepth", With([](BmpShape &s) { s.bits = 7; })}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(BitmapFileTest, MissingOrEmptyFileIsRefused)
{
    EXPECT_TRUE(ReadBitmapFile(dir.filePath("none.bmp").toStdString()).empty());
    EXPECT_TRUE(ReadBitmapFile(Write({}, "empty.bmp")).empty());
    EXPECT_TRUE(ReadBitmapFile(Write({'B', 'M', 1}, "short.bmp")).empty());
}

TEST_F(BitmapFileTest, PageStretchesTheFileIntoItsRectangle)
{
    BmpShape shape;
    shape.width = 2;
    shape.height = 1;
    const std::string path = Write(MakeBmp(shape));
    QImage target(200, 100, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        CPrintInfo info;
        info.m_rectDraw = QRect(0, 0, 200, 100);
        CPage page(info, &painter, CPage::MM_TEXT);
        page.PrintBitmap(10, 20, 60, 120, path.c_str());
        page.PrintBitmap(70, 20, 90, 120, dir.filePath("missing.bmp").toUtf8().constData());
    }
    EXPECT_EQ(target.pixel(40, 30), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(100, 30), qRgb(0, 0, 255));
    EXPECT_EQ(target.pixel(10, 30), qRgb(255, 255, 255));
    EXPECT_EQ(target.pixel(60, 80), qRgb(255, 255, 255));
    EXPECT_FALSE(IsBitmapLoaded());
}

TEST(CCeXDibTest, CreatesPackedImages)
{
    CCeXDib dib;
    EXPECT_EQ(dib.GetBits(), nullptr);
    ASSERT_NE(dib.Create(5, 3, 8), nullptr);
    EXPECT_EQ(dib.GetWidth(), 5);
    EXPECT_EQ(dib.GetHeight(), 3);
    EXPECT_EQ(dib.GetLineWidth(), 8);
    EXPECT_EQ(dib.GetPaletteEntries(), 256);
    EXPECT_EQ(dib.GetBuffer().size(), 40U + 256 * 4 + 8 * 3);
    EXPECT_EQ(dib.GetBits(), dib.GetBuffer().data() + 40 + 1024);
    EXPECT_EQ(dib.Create(0, 3, 8), nullptr);
    EXPECT_EQ(dib.Create(4, 4, 7), nullptr);
    EXPECT_EQ(dib.GetBits(), nullptr);
    ASSERT_NE(dib.Create(3, 1, 24), nullptr);
    EXPECT_EQ(dib.GetLineWidth(), 12);
    EXPECT_EQ(dib.GetPaletteEntries(), 0);
    dib.SetPixelIndex(0, 0, 5); // no palette: ignored
    EXPECT_EQ(dib.GetBits()[0], 0);
}

TEST(CCeXDibTest, PixelsOutsideAreIgnoredAndRowsAreBottomUp)
{
    CCeXDib dib;
    ASSERT_NE(dib.Create(4, 2, 8), nullptr);
    dib.Clear(7);
    dib.SetPixelIndex(-1, 0, 9);
    dib.SetPixelIndex(0, 2, 9);
    dib.SetPixelIndex(4, 0, 9);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(dib.GetBits()[i], 7);
    dib.SetPixelIndex(1, 0, 3); // top row: the second line in memory
    EXPECT_EQ(dib.GetBits()[4 + 1], 3);
    EXPECT_EQ(dib.GetPixelIndex(1, 0), 3);
}

TEST(CCeXDibTest, LowDepthPixelsStayInsideTheirLine)
{
    CCeXDib one;
    ASSERT_NE(one.Create(9, 1, 1), nullptr);
    one.SetPixelIndex(8, 0, 1);
    one.SetPixelIndex(0, 0, 1);
    EXPECT_EQ(one.GetBits()[0], 0x80);
    EXPECT_EQ(one.GetBits()[1], 0x80);
    EXPECT_EQ(one.GetPixelIndex(8, 0), 1);
    EXPECT_EQ(one.GetPixelIndex(7, 0), 0);
    CCeXDib four;
    ASSERT_NE(four.Create(3, 1, 4), nullptr);
    four.SetPixelIndex(1, 0, 0xA);
    four.SetPixelIndex(2, 0, 0x5);
    EXPECT_EQ(four.GetBits()[0], 0x0A);
    EXPECT_EQ(four.GetBits()[1], 0x50);
}

TEST(CCeXDibTest, PaletteAndBlending)
{
    CCeXDib dib;
    ASSERT_NE(dib.Create(2, 1, 1), nullptr);
    dib.SetPaletteIndex(0, 200, 100, 0);
    dib.SetPaletteIndex(1, 0, 0, 0);
    dib.SetPaletteIndex(2, 9, 9, 9); // beyond the palette: ignored
    EXPECT_EQ(dib.GetPaletteColour(0), 0xC86400U);
    dib.BlendPalette(0x000000FF, 50); // towards pure red (0x00BBGGRR)
    EXPECT_EQ(dib.GetPaletteColour(0), 0xE33200U);
    EXPECT_EQ(dib.GetPaletteColour(1), 0x7F0000U);
    dib.BlendPalette(0x00FF0000, 150); // as 100: every entry becomes blue
    EXPECT_EQ(dib.GetPaletteColour(0), 0x0000FFU);
    EXPECT_EQ(dib.GetPaletteColour(1), 0x0000FFU);
}

TEST(CCeXDibTest, DrawsItsPixels)
{
    CCeXDib dib;
    ASSERT_NE(dib.Create(2, 2, 8), nullptr);
    dib.SetPaletteIndex(1, 0, 255, 0);
    dib.SetPixelIndex(1, 0, 1);
    QImage target(10, 10, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        dib.Draw(&painter, 3, 4);
        CCeXDib empty;
        empty.Draw(&painter, 0, 0);
    }
    EXPECT_EQ(target.pixel(4, 4), qRgb(0, 255, 0));
    EXPECT_EQ(target.pixel(3, 4), qRgb(0, 0, 0));
    EXPECT_EQ(target.pixel(3, 5), qRgb(0, 0, 0));
    EXPECT_EQ(target.pixel(0, 0), qRgb(255, 255, 255));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
