#pragma once
// Device-independent bitmaps: reading .bmp files into a packed image (info header,
// palette, pixels) and drawing such images. Every size in a file's headers is checked
// against the file's length before anything is read.

#include <QImage>
#include <QRect>

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

class QPainter;
struct PrintState;

// The 40-byte info header of a packed device-independent bitmap.
struct BitmapInfoHeader {
    std::uint32_t biSize = 40;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 1;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};

constexpr std::uint32_t BitmapCompressionRgb = 0;
constexpr std::uint32_t BitmapCompressionBitFields = 3;
constexpr std::size_t BitmapInfoHeaderSize = 40;

// Palette entries of a header (colours used, or the default of its bit depth).
int NumColours(const BitmapInfoHeader &header);
// Bytes of the palette (and of the three masks of a bit-field image).
std::size_t PaletteSize(const BitmapInfoHeader &header);
// Bytes of one pixel row, rounded up to four bytes.
std::size_t BitmapLineBytes(const BitmapInfoHeader &header);

// Writes and reads the info header at the start of a packed image.
void PutBitmapInfo(std::vector<std::uint8_t> &image, const BitmapInfoHeader &header);
bool GetBitmapInfo(const std::vector<std::uint8_t> &image, BitmapInfoHeader &header);

// Reads exactly size bytes in pieces of 32768; false on a short read.
bool ReadLarge(std::istream &file, std::uint8_t *buffer, std::size_t size);
// Info header and palette of a .bmp file (a 12-byte core header is widened); empty on
// failure. bitsOffset receives where the pixels start, imageSize their length.
std::vector<std::uint8_t> ReadBitmapInfo(std::istream &file, std::size_t fileLength, std::size_t &bitsOffset,
                                         std::size_t &imageSize);
// The whole packed image of a .bmp file; empty when the file is missing, truncated or
// inconsistent.
std::vector<std::uint8_t> ReadBitmapFile(const std::string &path);

// The packed image as a QImage (null for an image it cannot show).
QImage PackedBitmapToImage(const std::vector<std::uint8_t> &image);

// The one loaded bitmap of the process (file name = the state's text).
int LoadBitmapFile(const PrintState &state);
bool IsBitmapLoaded();
void FreeBitmap();
// Part of the loaded bitmap to draw; an empty rectangle is the whole bitmap.
void SetBitmapSourceRect(const QRect &source);
// Loads the state's file, stretches it into (col, row)-(right, bottom), frees it.
void PrintBitmap(PrintState &state);
// Stretches the source part of a packed image (rows counted from the top) into the
// destination, in the painter's logical units.
void StretchBitmap(QPainter *dc, const QRect &destination, const std::vector<std::uint8_t> &image, const QRect &source);
