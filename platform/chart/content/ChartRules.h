#pragma once

// Chart rules the programs share: line styles by curve and the sizes of exported pictures.

#include <QSize>

namespace kxchart {

// Line style of curve `curve` for the plot-option setting: 1 thin, 2 medium, 3 thick,
// anything else one style per curve (codes 0-6, then 9-11, repeating every ten curves).
int LineStyleCode(int setting, int curve);

// Page size of a vector picture for a metafile size in hundredths of a millimetre:
// 1000 wide, keeping the metafile's shape (1000 x 500 for an empty size).
QSize VectorSize(const QSize &metafileSize);

// The clipboard image: 10000 by 5000 metafile units as pixels at the clipboard resolution.
QSize ClipboardImageSize();
int ClipboardResolution();

} // namespace kxchart
