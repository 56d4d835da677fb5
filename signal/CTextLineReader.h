#pragma once
// Line-by-line reading of a text file with a bounded line length, and the check that
// every reader makes before opening a file: only regular files are read (a FIFO
// would block, a device never ends).

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace kx {

class CTextLineReader {
public:
    static constexpr std::size_t kDefaultMaxLineLength = std::size_t{1} << 20;

    // True when path names something that exists and is neither a regular file nor a
    // folder (FIFO, device, socket), links followed.
    static bool IsSpecialFile(const std::string &path);
    // "<path> is not a regular file".
    static std::string NotRegularText(const std::string &path);
    // "<path> is empty": what every reader says of a file of no bytes.
    static std::string EmptyFileText(const std::string &path);
    // Opens path for binary reading without blocking on a FIFO: nullptr when it does not
    // open or is a folder; throws std::logic_error with NotRegularText for other files
    // that are not regular.
    static std::FILE *OpenRegular(const std::string &path);

    // Reads lines from file (not owned, not closed); name is used in messages.
    CTextLineReader(std::FILE *file, std::string name, std::size_t maxLineLength = kDefaultMaxLineLength);
    CTextLineReader(const CTextLineReader &) = delete;
    CTextLineReader &operator=(const CTextLineReader &) = delete;

    // The next line without its LF or CR-LF, valid until the next call; false at the end
    // (the last line may lack its line end). Throws std::logic_error "Line <n> of <name>
    // is longer than <max> characters" for a longer line; the next call goes on after it.
    bool Next(std::string_view &line);
    // Same, copied.
    bool Next(std::string &line);
    // A new bound for the lines that follow.
    void SetMaxLineLength(std::size_t maxLineLength);
    // Number of the line Next returned last (1 for the first).
    std::size_t LineNumber() const { return m_lineNumber; }
    // True when reading stopped on a read error rather than at the end.
    bool Failed() const { return m_failed; }

private:
    std::string_view Trimmed(std::size_t from, std::size_t to) const;
    void Fill();
    // Drops what is left of a line that was too long, up to and with its line end.
    void SkipRestOfLine();

    std::FILE *m_file;
    std::string m_name;
    std::size_t m_maxLineLength;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0;
    std::size_t m_end = 0;
    std::size_t m_lineNumber = 0;
    bool m_eof = false;
    bool m_failed = false;
    bool m_skipping = false;
};

} // namespace kx
