#include "shared_ui/printing/BitmapFile.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <istream>
#include <mutex>

#include "shared_ui/printing/CPrinter.h"
#include "signal/CTextLineReader.h"

namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t CoreHeaderSize = 12;
constexpr std::size_t ReadPiece = 32768;
constexpr std::uint64_t MaxPixels = 64ULL * 1024 * 1024;

std::uint16_t U16(const std::uint8_t *p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t U32(const std::uint8_t *p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
void Put16(std::uint8_t *p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v & 0xFF);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::uint8_t *p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF);
}

bool ValidDepth(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

std::uint64_t LineBytes64(std::uint64_t bits, std::uint64_t width)
{
    return ((bits * width + 31) / 32) * 4;
}

std::uint64_t AbsHeight(std::int32_t height)
{
    return height < 0 ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(height))
                      : static_cast<std::uint64_t>(height);
}

struct LoadedBitmap {
    std::mutex mutex;
    bool loaded = false;
    std::vector<std::uint8_t> header;
    std::vector<std::uint8_t> image;
    std::size_t filePosition = 0;
    QRect source;
};

LoadedBitmap &Loaded()
{
    static LoadedBitmap state;
    return state;
}

void FreeLocked(LoadedBitmap &b)
{
    b.loaded = false;
    b.header.clear();
    b.header.shrink_to_fit();
    b.image.clear();
    b.image.shrink_to_fit();
    b.filePosition = 0;
}

int LoadLocked(LoadedBitmap &b, const std::string &path)
{
    FreeLocked(b);
    b.image = ReadBitmapFile(path);
    if (b.image.empty())
        return 0;
    BitmapInfoHeader header;
    GetBitmapInfo(b.image, header);
    const std::size_t headerBytes = BitmapInfoHeaderSize + PaletteSize(header);
    b.header.assign(b.image.begin(), b.image.begin() + static_cast<std::ptrdiff_t>(headerBytes));
    b.filePosition = headerBytes;
    b.loaded = true;
    return 1;
}

} // namespace

int NumColours(const BitmapInfoHeader &header)
{
    if (header.biClrUsed != 0)
        return static_cast<int>(header.biClrUsed);
    switch (header.biBitCount) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

std::size_t PaletteSize(const BitmapInfoHeader &header)
{
    std::size_t bytes = static_cast<std::size_t>(NumColours(header)) * 4;
    if (header.biCompression == BitmapCompressionBitFields)
        bytes += 12;
    return bytes;
}

std::size_t BitmapLineBytes(const BitmapInfoHeader &header)
{
    if (header.biWidth <= 0)
        return 0;
    return static_cast<std::size_t>(LineBytes64(header.biBitCount, static_cast<std::uint64_t>(header.biWidth)));
}

void PutBitmapInfo(std::vector<std::uint8_t> &image, const BitmapInfoHeader &h)
{
    if (image.size() < BitmapInfoHeaderSize)
        image.resize(BitmapInfoHeaderSize);
    std::uint8_t *p = image.data();
    Put32(p, h.biSize);
    Put32(p + 4, static_cast<std::uint32_t>(h.biWidth));
    Put32(p + 8, static_cast<std::uint32_t>(h.biHeight));
    Put16(p + 12, h.biPlanes);
    Put16(p + 14, h.biBitCount);
    Put32(p + 16, h.biCompression);
    Put32(p + 20, h.biSizeImage);
    Put32(p + 24, static_cast<std::uint32_t>(h.biXPelsPerMeter));
    Put32(p + 28, static_cast<std::uint32_t>(h.biYPelsPerMeter));
    Put32(p + 32, h.biClrUsed);
    Put32(p + 36, h.biClrImportant);
}

bool GetBitmapInfo(const std::vector<std::uint8_t> &image, BitmapInfoHeader &h)
{
    if (image.size() < BitmapInfoHeaderSize)
        return false;
    const std::uint8_t *p = image.data();
    h.biSize = U32(p);
    h.biWidth = static_cast<std::int32_t>(U32(p + 4));
    h.biHeight = static_cast<std::int32_t>(U32(p + 8));
    h.biPlanes = U16(p + 12);
    h.biBitCount = U16(p + 14);
    h.biCompression = U32(p + 16);
    h.biSizeImage = U32(p + 20);
    h.biXPelsPerMeter = static_cast<std::int32_t>(U32(p + 24));
    h.biYPelsPerMeter = static_cast<std::int32_t>(U32(p + 28));
    h.biClrUsed = U32(p + 32);
    h.biClrImportant = U32(p + 36);
    return h.biSize == BitmapInfoHeaderSize;
}

bool ReadLarge(std::istream &file, std::uint8_t *buffer, std::size_t size)
{
    while (size > 0) {
        const std::size_t piece = std::min(size, ReadPiece);
        file.read(reinterpret_cast<char *>(buffer), static_cast<std::streamsize>(piece));
        if (static_cast<std::size_t>(file.gcount()) != piece)
            return false;
        buffer += piece;
        size -= piece;
    }
    return true;
}

std::vector<std::uint8_t> ReadBitmapInfo(std::istream &file, std::size_t fileLength, std::size_t &bitsOffset,
                                         std::size_t &imageSize)
{
    bitsOffset = 0;
    imageSize = 0;
    std::size_t headerPos = 0;
    std::uint64_t fileOffset = 0;
    std::array<std::uint8_t, FileHeaderSize> fileHeader{};
    file.seekg(0);
    if (fileLength >= FileHeaderSize && ReadLarge(file, fileHeader.data(), FileHeaderSize) &&
        U16(fileHeader.data()) == 0x4D42) {
        headerPos = FileHeaderSize;
        fileOffset = U32(fileHeader.data() + 10);
    }
    file.clear();
    file.seekg(static_cast<std::streamoff>(headerPos));
    if (fileLength < headerPos + 4)
        return {};
    std::array<std::uint8_t, BitmapInfoHeaderSize> raw{};
    if (!ReadLarge(file, raw.data(), 4))
        return {};
    const std::uint32_t headerSize = U32(raw.data());

    BitmapInfoHeader h;
    bool core = false;
    if (headerSize == BitmapInfoHeaderSize) {
        if (fileLength < headerPos + BitmapInfoHeaderSize)
            return {};
        if (!ReadLarge(file, raw.data() + 4, BitmapInfoHeaderSize - 4))
            return {};
        std::vector<std::uint8_t> tmp(raw.begin(), raw.end());
        GetBitmapInfo(tmp, h);
    } else if (headerSize == CoreHeaderSize) {
        if (fileLength < headerPos + CoreHeaderSize)
            return {};
        if (!ReadLarge(file, raw.data() + 4, CoreHeaderSize - 4))
            return {};
        core = true;
        h.biWidth = U16(raw.data() + 4);
        h.biHeight = U16(raw.data() + 6);
        h.biPlanes = U16(raw.data() + 8);
        h.biBitCount = U16(raw.data() + 10);
    } else {
        return {};
    }

    // Every size is checked against the file before anything more is read.
    if (!ValidDepth(h.biBitCount) || h.biWidth <= 0 || h.biHeight == 0)
        return {};
    if (h.biCompression != BitmapCompressionRgb &&
        !(h.biCompression == BitmapCompressionBitFields && (h.biBitCount == 16 || h.biBitCount == 32))) {
        return {};
    }
    const std::uint64_t width = static_cast<std::uint64_t>(h.biWidth);
    const std::uint64_t height = AbsHeight(h.biHeight);
    if (width * height > MaxPixels)
        return {};
    if (h.biBitCount <= 8) {
        const std::uint32_t most = 1U << h.biBitCount;
        if (h.biClrUsed > most)
            return {};
        if (h.biClrUsed == 0)
            h.biClrUsed = most;
    }
    const std::uint64_t colours = h.biClrUsed;
    const std::uint64_t rawPalette =
        colours * (core ? 3 : 4) + (h.biCompression == BitmapCompressionBitFields ? 12 : 0);
    const std::uint64_t headerEnd = headerPos + (core ? CoreHeaderSize : BitmapInfoHeaderSize) + rawPalette;
    if (headerEnd > fileLength)
        return {};
    const std::uint64_t bits = LineBytes64(h.biBitCount, width) * height;
    const std::uint64_t start = fileOffset != 0 ? fileOffset : headerEnd;
    if (start < headerEnd || start > fileLength || bits > fileLength - start)
        return {};

    h.biSize = BitmapInfoHeaderSize;
    h.biSizeImage = static_cast<std::uint32_t>(bits);
    std::vector<std::uint8_t> packed(BitmapInfoHeaderSize + PaletteSize(h), 0);
    PutBitmapInfo(packed, h);
    std::vector<std::uint8_t> palette(static_cast<std::size_t>(rawPalette));
    if (!palette.empty() && !ReadLarge(file, palette.data(), palette.size()))
        return {};
    if (core) {
        for (std::size_t i = 0; i < colours; ++i) {
            std::memcpy(&packed[BitmapInfoHeaderSize + i * 4], &palette[i * 3], 3);
        }
    } else if (!palette.empty()) {
        std::memcpy(&packed[BitmapInfoHeaderSize], palette.data(), palette.size());
    }
    bitsOffset = static_cast<std::size_t>(start);
    imageSize = static_cast<std::size_t>(bits);
    return packed;
}

std::vector<std::uint8_t> ReadBitmapFile(const std::string &path)
{
    // A FIFO would block the open, a device never end.
    if (kx::CTextLineReader::IsSpecialFile(path))
        return {};
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return {};
    file.seekg(0, std::ios::end);
    const std::streamoff end = file.tellg();
    if (end <= 0)
        return {};
    const auto length = static_cast<std::size_t>(end);
    std::size_t bitsOffset = 0;
    std::size_t imageSize = 0;
    std::vector<std::uint8_t> image = ReadBitmapInfo(file, length, bitsOffset, imageSize);
    if (image.empty())
        return {};
    const std::size_t headerBytes = image.size();
    image.resize(headerBytes + imageSize);
    file.clear();
    file.seekg(static_cast<std::streamoff>(bitsOffset));
    if (!ReadLarge(file, image.data() + headerBytes, imageSize))
        return {};
    return image;
}

QImage PackedBitmapToImage(const std::vector<std::uint8_t> &image)
{
    BitmapInfoHeader h;
    if (!GetBitmapInfo(image, h))
        return QImage();
    if (!ValidDepth(h.biBitCount) || h.biWidth <= 0 || h.biHeight == 0)
        return QImage();
    const std::uint64_t width = static_cast<std::uint64_t>(h.biWidth);
    const std::uint64_t height = AbsHeight(h.biHeight);
    if (width * height > MaxPixels)
        return QImage();
    const std::size_t line = BitmapLineBytes(h);
    const std::size_t bitsStart = BitmapInfoHeaderSize + PaletteSize(h);
    if (image.size() < bitsStart || (image.size() - bitsStart) / line < height)
        return QImage();
    const bool topDown = h.biHeight < 0;
    const int w = static_cast<int>(width);
    const int ht = static_cast<int>(height);
    const std::uint8_t *bits = image.data() + bitsStart;
    auto lineOf = [&](int y) { return bits + line * static_cast<std::size_t>(topDown ? y : ht - 1 - y); };

    if (h.biBitCount <= 8) {
        QImage out(w, ht, QImage::Format_Indexed8);
        if (out.isNull())
            return QImage();
        const int colours = 1 << h.biBitCount;
        const int known = std::min(colours, NumColours(h));
        QList<QRgb> table(colours, qRgb(0, 0, 0));
        for (int i = 0; i < known; ++i) {
            const std::uint8_t *q = image.data() + BitmapInfoHeaderSize + static_cast<std::size_t>(i) * 4;
            table[i] = qRgb(q[2], q[1], q[0]);
        }
        out.setColorTable(table);
        for (int y = 0; y < ht; ++y) {
            const std::uint8_t *src = lineOf(y);
            uchar *dst = out.scanLine(y);
            for (int x = 0; x < w; ++x) {
                int index = 0;
                if (h.biBitCount == 8) {
                    index = src[x];
                } else if (h.biBitCount == 4) {
                    const std::uint8_t b = src[x / 2];
                    index = (x % 2 == 0) ? (b >> 4) : (b & 0x0F);
                } else {
                    index = (src[x / 8] >> (7 - x % 8)) & 1;
                }
                dst[x] = static_cast<uchar>(index);
            }
        }
        return out;
    }

    QImage out(w, ht, QImage::Format_RGB32);
    if (out.isNull())
        return QImage();
    for (int y = 0; y < ht; ++y) {
        const std::uint8_t *src = lineOf(y);
        auto *dst = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            if (h.biBitCount == 16) {
                const int v = U16(src + x * 2);
                const int r = (v >> 10) & 0x1F;
                const int g = (v >> 5) & 0x1F;
                const int b = v & 0x1F;
                dst[x] = qRgb(r * 255 / 31, g * 255 / 31, b * 255 / 31);
            } else {
                const int step = h.biBitCount / 8;
                const std::uint8_t *p = src + x * step;
                dst[x] = qRgb(p[2], p[1], p[0]);
            }
        }
    }
    return out;
}

int LoadBitmapFile(const PrintState &state)
{
    LoadedBitmap &b = Loaded();
    std::lock_guard<std::mutex> lock(b.mutex);
    return LoadLocked(b, state.text);
}

bool IsBitmapLoaded()
{
    LoadedBitmap &b = Loaded();
    std::lock_guard<std::mutex> lock(b.mutex);
    return b.loaded;
}

void FreeBitmap()
{
    LoadedBitmap &b = Loaded();
    std::lock_guard<std::mutex> lock(b.mutex);
    FreeLocked(b);
}

void SetBitmapSourceRect(const QRect &source)
{
    LoadedBitmap &b = Loaded();
    std::lock_guard<std::mutex> lock(b.mutex);
    b.source = source;
}

void StretchBitmap(QPainter *dc, const QRect &destination, const std::vector<std::uint8_t> &image, const QRect &source)
{
    if (dc == nullptr || !dc->isActive())
        return;
    const QImage picture = PackedBitmapToImage(image);
    if (picture.isNull())
        return;
    const QRect part = source.isEmpty() ? picture.rect() : source.intersected(picture.rect());
    if (part.isEmpty())
        return;
    dc->drawImage(QRectF(destination), picture, QRectF(part));
}

void PrintBitmap(PrintState &state)
{
    if (state.right <= state.col || state.bottom <= state.row)
        return;
    LoadedBitmap &b = Loaded();
    std::lock_guard<std::mutex> lock(b.mutex);
    if (LoadLocked(b, state.text) == 0)
        return;
    const QRect destination(state.col, state.row, state.right - state.col, state.bottom - state.row);
    StretchBitmap(state.dc, destination, b.image, b.source);
    FreeLocked(b);
}
