#include "platform/BuildVersion.h"

#ifndef KX_BUILD_VERSION
#define KX_BUILD_VERSION ""
#endif

namespace kxplatform {

const char *BuildVersion()
{
    return KX_BUILD_VERSION;
}

} // namespace kxplatform
