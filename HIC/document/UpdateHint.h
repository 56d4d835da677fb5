#pragma once

// What a change of HIC's document asks its view to do.

#include <QObject>

namespace hic {
Q_NAMESPACE

enum class UpdateHint {
    Redraw = 0,        // redraw in the current mode
    ShowResultant = 1, // the document switched to a plot mode: redraw in it
    ShowSurface = 2,
    ShowXYZ = 3,
    ShowSfc = 4,
    ShowAis = 5,
};
Q_ENUM_NS(UpdateHint)

// The hint that tells of a switch to plot mode `mode`.
constexpr UpdateHint ShowModeHint(int mode)
{
    return static_cast<UpdateHint>(mode + 1);
}

} // namespace hic
