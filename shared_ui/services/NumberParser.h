#pragma once
#include "shared_ui/kit/NumberParser.h"
