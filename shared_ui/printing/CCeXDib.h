#pragma once
// An in-memory device-independent bitmap with a palette, drawn on a QPainter.

#include <QImage>

#include <cstdint>
#include <vector>

#include "shared_ui/printing/BitmapFile.h"
#include "shared_ui/printing/CPrinter.h"

class QPainter;

class CCeXDib {
public:
    CCeXDib() = default;
    virtual ~CCeXDib();
    CCeXDib(const CCeXDib &) = delete;
    CCeXDib &operator=(const CCeXDib &) = delete;

    // Frees the old image; returns the new packed buffer, or null for an unusable size.
    std::uint8_t *Create(int width, int height, int bitsPerPixel);
    void Clear(std::uint8_t value);
    // x from the left, y from the top; ignored outside the bitmap or without a palette.
    void SetPixelIndex(int x, int y, std::uint8_t index);
    void SetPaletteIndex(int index, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    // Moves every palette entry percent (at most 100) of the way to the colour.
    void BlendPalette(KxColorRef colour, int percent);
    void Draw(QPainter *dc, int x, int y);

    int GetWidth() const { return m_header.biWidth; }
    int GetHeight() const { return m_header.biHeight; }
    int GetLineWidth() const { return m_lineWidth; }
    int GetPaletteEntries() const { return m_paletteEntries; }
    std::uint8_t *GetBits();
    const std::vector<std::uint8_t> &GetBuffer() const { return m_buffer; }
    // Palette entry as 0x00RRGGBB; 0 beyond the palette.
    std::uint32_t GetPaletteColour(int index) const;
    // Palette index of a pixel; 0 outside the bitmap or without a palette.
    int GetPixelIndex(int x, int y) const;
    void Free();

private:
    std::vector<std::uint8_t> m_buffer;
    BitmapInfoHeader m_header;
    int m_lineWidth = 0;
    int m_paletteEntries = 0;
    QImage m_section; // made on first draw
};
