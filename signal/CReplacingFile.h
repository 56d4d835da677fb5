#pragma once

// The one way a file is written: into a new file beside the target, renamed over
// the target when complete, so the target is always either the old file or the whole
// new one. A link is followed (the file it names is replaced, the link stays), the
// permissions of the file replaced are kept, and only a regular file that its mode
// bits let the owner write is replaced (also when running as root).

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace kx {

class CReplacingFile {
public:
    explicit CReplacingFile(std::string path);
    // Removes the temporary file unless committed.
    ~CReplacingFile();
    CReplacingFile(const CReplacingFile &) = delete;
    CReplacingFile &operator=(const CReplacingFile &) = delete;

    // Makes the temporary file; false when the target may not be replaced or the
    // folder takes no new file.
    bool Open();
    // Appends (buffered); a failed write is remembered and fails Commit.
    void Write(const void *data, std::size_t size);
    void Write(std::string_view text) { Write(text.data(), text.size()); }
    // For writers that open files by name (images, PDF): the temporary file to write,
    // after Open, instead of Write.
    const std::string &TempPath() const { return m_Temp; }
    // Writes out, syncs and renames over the target; false on any failure, the
    // target then as it was.
    bool Commit();
    // Drops what was written; the target stays as it was.
    void Cancel();

private:
    bool Flush();

    std::string m_Path;
    std::string m_Target; // the file replaced: the path, or the file its link names
    std::string m_Temp;
    std::string m_Buffer;
    int m_Fd = -1;
    bool m_Failed = false;
};

// The whole file in one go. Throws std::logic_error "Failure to open file for
// writing." when the file cannot be begun, "Failure to write file: " + path when
// something other than a file is in the way or any later step fails.
void ReplaceFile(const std::string &path, const void *data, std::size_t size);

// For writers that open files by name: write gets the temporary path and returns
// false when it failed. False on any failure, the target then as it was.
bool ReplaceFileVia(const std::string &path, const std::function<bool(const std::string &tempPath)> &write);

} // namespace kx
