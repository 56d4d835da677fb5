#pragma once

namespace kxplatform {

// The suite's version as set by the build, e.g. "2.15.3.30".
const char *BuildVersion();

} // namespace kxplatform
