#pragma once
#include "shared_ui/dialogs/DialogWarning.h"
#include "shared_ui/kit/CommandGuard.h"
