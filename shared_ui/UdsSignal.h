#pragma once
// The signal class for Qt code: Qt's "signals" keyword macro is lifted while its header is
// read, as that header uses the word as a parameter name.

#pragma push_macro("signals")
#undef signals
#include "testdata/CNSignal.h"
#pragma pop_macro("signals")
