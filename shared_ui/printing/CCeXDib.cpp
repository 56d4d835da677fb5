#include "shared_ui/printing/CCeXDib.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace {
constexpr long long MaxBytes = 256LL * 1024 * 1024;
}

CCeXDib::~CCeXDib() = default;

std::uint8_t *CCeXDib::Create(int width, int height, int bitsPerPixel)
{
    Free();
    if (width <= 0 || height <= 0)
        return nullptr;
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32) {
        return nullptr;
    }
    const long long line = ((static_cast<long long>(bitsPerPixel) * width + 31) / 32) * 4;
    if (line * height > MaxBytes)
        return nullptr;
    BitmapInfoHeader header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<std::uint16_t>(bitsPerPixel);
    header.biCompression = BitmapCompressionRgb;
    header.biSizeImage = static_cast<std::uint32_t>(line * height);
    const int entries = bitsPerPixel == 1 ? 2 : bitsPerPixel == 4 ? 16 : bitsPerPixel == 8 ? 256 : 0;
    header.biClrUsed = static_cast<std::uint32_t>(entries);
    m_buffer.assign(
        BitmapInfoHeaderSize + static_cast<std::size_t>(entries) * 4 + static_cast<std::size_t>(line * height), 0);
    PutBitmapInfo(m_buffer, header);
    m_header = header;
    m_lineWidth = static_cast<int>(line);
    m_paletteEntries = entries;
    return m_buffer.data();
}

std::uint8_t *CCeXDib::GetBits()
{
    if (m_buffer.empty())
        return nullptr;
    return m_buffer.data() + BitmapInfoHeaderSize + static_cast<std::size_t>(m_paletteEntries) * 4;
}

void CCeXDib::Clear(std::uint8_t value)
{
    if (m_buffer.empty())
        return;
    std::memset(GetBits(), value, static_cast<std::size_t>(m_lineWidth) * GetHeight());
}

void CCeXDib::SetPixelIndex(int x, int y, std::uint8_t index)
{
    if (m_buffer.empty() || m_paletteEntries == 0)
        return;
    if (x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight())
        return;
    std::uint8_t *line = GetBits() + static_cast<std::size_t>(m_lineWidth) * (GetHeight() - y - 1);
    switch (m_header.biBitCount) {
    case 8:
        line[x] = index;
        break;
    case 4: {
        std::uint8_t &b = line[x / 2];
        if (x % 2 == 0) {
            b = static_cast<std::uint8_t>((b & 0x0F) | ((index & 0x0F) << 4));
        } else {
            b = static_cast<std::uint8_t>((b & 0xF0) | (index & 0x0F));
        }
        break;
    }
    default: {
        std::uint8_t &b = line[x / 8];
        const auto mask = static_cast<std::uint8_t>(0x80 >> (x % 8));
        b = (index & 1) ? static_cast<std::uint8_t>(b | mask) : static_cast<std::uint8_t>(b & ~mask);
        break;
    }
    }
}

int CCeXDib::GetPixelIndex(int x, int y) const
{
    if (m_buffer.empty() || m_paletteEntries == 0)
        return 0;
    if (x < 0 || y < 0 || x >= GetWidth() || y >= GetHeight())
        return 0;
    const std::uint8_t *line = m_buffer.data() + BitmapInfoHeaderSize + static_cast<std::size_t>(m_paletteEntries) * 4 +
                               static_cast<std::size_t>(m_lineWidth) * (GetHeight() - y - 1);
    switch (m_header.biBitCount) {
    case 8:
        return line[x];
    case 4:
        return (x % 2 == 0) ? (line[x / 2] >> 4) : (line[x / 2] & 0x0F);
    default:
        return (line[x / 8] >> (7 - x % 8)) & 1;
    }
}

void CCeXDib::SetPaletteIndex(int index, std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    if (m_buffer.empty() || index < 0 || index >= m_paletteEntries)
        return;
    std::uint8_t *entry = m_buffer.data() + BitmapInfoHeaderSize + static_cast<std::size_t>(index) * 4;
    entry[0] = blue;
    entry[1] = green;
    entry[2] = red;
    entry[3] = 0;
}

std::uint32_t CCeXDib::GetPaletteColour(int index) const
{
    if (m_buffer.empty() || index < 0 || index >= m_paletteEntries)
        return 0;
    const std::uint8_t *e = m_buffer.data() + BitmapInfoHeaderSize + static_cast<std::size_t>(index) * 4;
    return (static_cast<std::uint32_t>(e[2]) << 16) | (static_cast<std::uint32_t>(e[1]) << 8) | e[0];
}

void CCeXDib::BlendPalette(KxColorRef colour, int percent)
{
    if (m_buffer.empty() || m_paletteEntries == 0)
        return;
    percent = std::clamp(percent, 0, 100);
    const int red = static_cast<int>(colour & 0xFF);
    const int green = static_cast<int>((colour >> 8) & 0xFF);
    const int blue = static_cast<int>((colour >> 16) & 0xFF);
    for (int i = 0; i < m_paletteEntries; ++i) {
        std::uint8_t *e = m_buffer.data() + BitmapInfoHeaderSize + static_cast<std::size_t>(i) * 4;
        e[0] = static_cast<std::uint8_t>((e[0] * (100 - percent) + blue * percent) / 100);
        e[1] = static_cast<std::uint8_t>((e[1] * (100 - percent) + green * percent) / 100);
        e[2] = static_cast<std::uint8_t>((e[2] * (100 - percent) + red * percent) / 100);
    }
}

void CCeXDib::Draw(QPainter *dc, int x, int y)
{
    if (dc == nullptr || !dc->isActive() || m_buffer.empty())
        return;
    // The picture is rebuilt from the buffer on every draw, so pixel changes show.
    m_section = PackedBitmapToImage(m_buffer);
    if (m_section.isNull())
        return;
    dc->drawImage(QPoint(x, y), m_section);
}

void CCeXDib::Free()
{
    m_buffer.clear();
    m_buffer.shrink_to_fit();
    m_header = BitmapInfoHeader();
    m_lineWidth = 0;
    m_paletteEntries = 0;
    m_section = QImage();
}
