#pragma once

namespace kxplatform {

// Keeps memory that large signals and chart arrays give back inside the process, so that
// the next selection reuses it instead of having the system map fresh pages again.
// Returns false where the C library does not offer the setting.
bool KeepFreedMemoryForReuse();

// While it lives, blocks of a megabyte and more get their own mappings again, and when
// it ends the free pages of the heap go back to the system: for a job that needs far more
// memory than the program holds otherwise (a printed or saved 3-D surface). Jobs may
// nest; the outermost one ends it. For the thread that runs the user interface.
class MappedLargeBlocks {
public:
    MappedLargeBlocks();
    ~MappedLargeBlocks();
    MappedLargeBlocks(const MappedLargeBlocks &) = delete;
    MappedLargeBlocks &operator=(const MappedLargeBlocks &) = delete;
};

} // namespace kxplatform
