#pragma once

// Puts text on the system clipboard (and the selection, where there is one).

#include <QString>

namespace kxres {

// False when there is no clipboard (no GUI application).
bool PutTextOnClipboard(const QString &text);

} // namespace kxres
