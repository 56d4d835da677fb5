#include "platform/chart/content/ChartRules.h"

#include "platform/chart/content/ChartContent.h"

#include <algorithm>
#include <cmath>

namespace kxchart {

int LineStyleCode(int setting, int curve)
{
    switch (setting) {
    case 1:
        return LineThin;
    case 2:
        return LineMedium;
    case 3:
        return LineThick;
    default: {
        const int code = curve % 10;
        return code > 6 ? code + 2 : code;
    }
    }
}

QSize VectorSize(const QSize &metafileSize)
{
    // Metafile sizes are in hundredths of a millimetre; the page keeps their shape
    // at a width a reader's screen shows comfortably.
    const int width = 1000;
    if (metafileSize.width() <= 0 || metafileSize.height() <= 0)
        return {width, width / 2};
    return {width, std::max(1, int(std::lround(double(width) * metafileSize.height() / metafileSize.width())))};
}

QSize ClipboardImageSize()
{
    return {2000, 1000};
}

int ClipboardResolution()
{
    return 192;
}

} // namespace kxchart
