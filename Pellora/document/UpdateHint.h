#pragma once

// What a change of the document asks its views to refresh.

#include <QObject>

namespace pellora {
Q_NAMESPACE

enum class UpdateHint {
    FileList = 1, // the list of names (sorted first)
    Plot = 2,     // the plot of the selection
    Commands = 3, // only what the commands may do (a batch job began or ended)
};
Q_ENUM_NS(UpdateHint)

} // namespace pellora
