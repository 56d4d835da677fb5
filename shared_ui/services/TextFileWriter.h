#pragma once
#include "shared_ui/kit/TextFileWriter.h"
