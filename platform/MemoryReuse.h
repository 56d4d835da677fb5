#pragma once

namespace kxplatform {

// Keeps memory that large signals and chart arrays give back inside the process, so that
// the next selection reuses it instead of having the system map fresh pages again.
// Returns false where the C library does not offer the setting.
bool KeepFreedMemoryForReuse();

} // namespace kxplatform
