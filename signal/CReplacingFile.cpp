#include "signal/CReplacingFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <stdexcept>

namespace kx {

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

bool WriteAll(int fd, const char *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

CReplacingFile::CReplacingFile(std::string path)
    : m_Path(std::move(path))
{}

CReplacingFile::~CReplacingFile()
{
    Cancel();
}

bool CReplacingFile::Open()
{
    namespace fs = std::filesystem;
    Cancel();
    m_Failed = false;
    fs::path target(m_Path);
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec)
            target = resolved;
    }
    const std::string name = target.filename().string();
    if (name.empty() || name == "." || name == "..")
        return false;
    // Only a regular file is replaced, one its mode bits let the owner write and the user
    // may write: a folder that lets the rename through does not make another's file ours.
    struct stat state {};
    const bool exists = ::stat(target.c_str(), &state) == 0;
    if (exists && (!S_ISREG(state.st_mode) || (state.st_mode & S_IWUSR) == 0 || ::access(target.c_str(), W_OK) != 0))
        return false;

    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    static std::atomic<unsigned> counter{0};
    int fd = -1;
    fs::path temp;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        // Only the start of the name, so a long name does not make the temporary name
        // too long for the file system.
        temp = folder / ("." + name.substr(0, 64) + "." + std::to_string(::getpid()) + "." +
                         std::to_string(counter.fetch_add(1)) + ".tmp");
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return false;
    if (exists)
        (void)::fchmod(fd, state.st_mode & 07777);
    m_Fd = fd;
    m_Temp = temp.string();
    m_Target = target.string();
    return true;
}

bool CReplacingFile::Flush()
{
    if (m_Buffer.empty())
        return true;
    const bool ok = WriteAll(m_Fd, m_Buffer.data(), m_Buffer.size());
    m_Buffer.clear();
    return ok;
}

void CReplacingFile::Write(const void *data, std::size_t size)
{
    if (m_Fd < 0 || m_Failed || size == 0) {
        m_Failed = m_Failed || m_Fd < 0;
        return;
    }
    const char *bytes = static_cast<const char *>(data);
    if (m_Buffer.size() + size <= kBufferSize) {
        m_Buffer.append(bytes, size);
        return;
    }
    if (!Flush() || !WriteAll(m_Fd, bytes, size))
        m_Failed = true;
}

bool CReplacingFile::Commit()
{
    if (m_Fd < 0)
        return false;
    bool ok = !m_Failed && Flush();
    // The file may have been written by name through TempPath: its size is on disk.
    ok = ok && (::fsync(m_Fd) == 0 || errno == EINVAL);
    ok = (::close(m_Fd) == 0) && ok;
    m_Fd = -1;
    ok = ok && ::rename(m_Temp.c_str(), m_Target.c_str()) == 0;
    if (!ok)
        ::unlink(m_Temp.c_str());
    m_Temp.clear();
    return ok;
}

void CReplacingFile::Cancel()
{
    if (m_Fd >= 0) {
        (void)::close(m_Fd);
        m_Fd = -1;
    }
    if (!m_Temp.empty()) {
        ::unlink(m_Temp.c_str());
        m_Temp.clear();
    }
    m_Buffer.clear();
}

void ReplaceFile(const std::string &path, const void *data, std::size_t size)
{
    CReplacingFile file(path);
    if (!file.Open()) {
        // Something other than a file in the way (a folder, a device) fails as a write.
        struct stat state {};
        if (::stat(path.c_str(), &state) == 0 && !S_ISREG(state.st_mode)) {
            throw std::logic_error("Failure to write file: " + path);
        }
        throw std::logic_error("Failure to open file for writing.");
    }
    file.Write(data, size);
    if (!file.Commit())
        throw std::logic_error("Failure to write file: " + path);
}

bool ReplaceFileVia(const std::string &path, const std::function<bool(const std::string &tempPath)> &write)
{
    CReplacingFile file(path);
    if (!file.Open())
        return false;
    bool ok = false;
    try {
        ok = write(file.TempPath());
    } catch (...) {
        ok = false;
    }
    if (!ok) {
        file.Cancel();
        return false;
    }
    return file.Commit();
}

} // namespace kx
