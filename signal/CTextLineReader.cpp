#include "signal/CTextLineReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace kx {

namespace {

constexpr std::size_t kMinBuffer = 4096;
constexpr std::size_t kMaxFirstBuffer = 64 * 1024;

} // namespace

bool CTextLineReader::IsSpecialFile(const std::string &path)
{
    struct stat state {};
    if (::stat(path.c_str(), &state) != 0)
        return false;
    return !S_ISREG(state.st_mode) && !S_ISDIR(state.st_mode);
}

std::string CTextLineReader::EmptyFileText(const std::string &path)
{
    return path + " is empty";
}

std::string CTextLineReader::NotRegularText(const std::string &path)
{
    return path + " is not a regular file";
}

std::FILE *CTextLineReader::OpenRegular(const std::string &path)
{
    // Without O_NONBLOCK opening a FIFO waits for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat state {};
    if (::fstat(fd, &state) != 0 || S_ISDIR(state.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    if (!S_ISREG(state.st_mode)) {
        ::close(fd);
        throw std::logic_error(NotRegularText(path));
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE *file = ::fdopen(fd, "rb");
    if (file == nullptr)
        ::close(fd);
    return file;
}

CTextLineReader::CTextLineReader(std::FILE *file, std::string name, std::size_t maxLineLength)
    : m_file(file)
    , m_name(std::move(name))
    , m_maxLineLength(std::max<std::size_t>(maxLineLength, 1))
{
    // A small file gets a buffer of its own size, not the largest one.
    std::size_t size = kMaxFirstBuffer;
    struct stat state {};
    if (m_file != nullptr && ::fstat(::fileno(m_file), &state) == 0 && S_ISREG(state.st_mode))
        size = std::clamp<std::size_t>(static_cast<std::size_t>(state.st_size) + 1, kMinBuffer, kMaxFirstBuffer);
    m_buffer.resize(size);
}

bool CTextLineReader::Next(std::string_view &line)
{
    if (m_skipping)
        SkipRestOfLine();
    std::size_t scanned = m_begin;
    for (;;) {
        const void *hit = m_end > scanned ? std::memchr(m_buffer.data() + scanned, '\n', m_end - scanned) : nullptr;
        const std::size_t limit = m_begin + m_maxLineLength + 1; // the line and a CR
        if (hit != nullptr) {
            const auto pos = static_cast<std::size_t>(static_cast<const char *>(hit) - m_buffer.data());
            line = Trimmed(m_begin, pos);
            ++m_lineNumber;
            m_begin = pos + 1;
            if (line.size() > m_maxLineLength)
                break;
            return true;
        }
        if (m_end > limit) {
            ++m_lineNumber;
            // The rest of this line is dropped by the next call.
            m_begin = m_end;
            m_skipping = true;
            break;
        }
        if (m_eof || m_file == nullptr) {
            if (m_begin == m_end)
                return false;
            line = Trimmed(m_begin, m_end);
            ++m_lineNumber;
            m_begin = m_end;
            if (line.size() > m_maxLineLength)
                break;
            return true;
        }
        const std::size_t kept = m_end - m_begin;
        Fill();
        scanned = kept;
    }
    line = {};
    throw std::logic_error("Line " + std::to_string(m_lineNumber) + " of " + m_name + " is longer than " +
                           std::to_string(m_maxLineLength) + " characters");
}

void CTextLineReader::SkipRestOfLine()
{
    for (;;) {
        const void *hit = m_end > m_begin ? std::memchr(m_buffer.data() + m_begin, '\n', m_end - m_begin) : nullptr;
        if (hit != nullptr) {
            m_begin = static_cast<std::size_t>(static_cast<const char *>(hit) - m_buffer.data()) + 1;
            break;
        }
        m_begin = m_end;
        if (m_eof || m_file == nullptr)
            break;
        Fill();
    }
    m_skipping = false;
}

void CTextLineReader::SetMaxLineLength(std::size_t maxLineLength)
{
    m_maxLineLength = std::max<std::size_t>(maxLineLength, 1);
}

bool CTextLineReader::Next(std::string &line)
{
    std::string_view view;
    if (!Next(view))
        return false;
    line.assign(view);
    return true;
}

std::string_view CTextLineReader::Trimmed(std::size_t from, std::size_t to) const
{
    if (to > from && m_buffer[to - 1] == '\r')
        --to;
    return std::string_view(m_buffer.data() + from, to - from);
}

void CTextLineReader::Fill()
{
    // The unread part moves to the front; the buffer grows only while a line needs it.
    const std::size_t kept = m_end - m_begin;
    if (m_begin > 0 && kept > 0)
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, kept);
    m_begin = 0;
    m_end = kept;
    if (m_end == m_buffer.size())
        m_buffer.resize(std::min(m_buffer.size() * 2, m_maxLineLength + 2 + kMinBuffer));
    const std::size_t got = std::fread(m_buffer.data() + m_end, 1, m_buffer.size() - m_end, m_file);
    m_end += got;
    if (got == 0) {
        m_eof = true;
        m_failed = std::ferror(m_file) != 0;
    }
}

} // namespace kx
