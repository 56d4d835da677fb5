#pragma once

// What a change of the document asks its views to redo.

#include <QObject>

namespace sorvelt {
Q_NAMESPACE

enum class UpdateHint : int {
    All = 0,  // everything: the tree is filled again
    Tree = 1, // the tree only; the chart keeps what it shows
    Plot = 2, // the chart only
};
Q_ENUM_NS(UpdateHint)

} // namespace sorvelt
