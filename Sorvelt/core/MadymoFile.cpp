#include "Sorvelt/core/MadymoFile.h"

#include "signal/CNSignal.h"
#include "signal/CTextLineReader.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstring>
#include <locale.h>
#include <stdlib.h>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace kx {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

bool IsBlankLine(std::string_view line)
{
    for (char c : line)
        if (!IsBlank(c))
            return false;
    return true;
}

enum class NumberResult { Ok, NotANumber, OutOfRange };

// A number read like "%f" (single precision) from the front of [p, end); p is moved
// past it.
NumberResult ParseSingle(const char *&p, const char *end, double &value)
{
    const char *start = p;
    if (start != end && *start == '+' && start + 1 != end && start[1] != '-' && start[1] != '+')
        ++start;
    double d = 0.0;
    const auto [ptr, ec] = std::from_chars(start, end, d);
    if (ptr == start)
        return NumberResult::NotANumber;
    if (ec == std::errc::result_out_of_range) {
        // Beyond double range: overflow becomes infinite, underflow zero, as "%f" does.
        static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
        if (cLocale == locale_t{})
            return NumberResult::OutOfRange;
        const std::string text(start, ptr);
        d = strtod_l(text.c_str(), nullptr, cLocale);
    }
    p = ptr;
    if (d > FLT_MAX)
        value = static_cast<double>(HUGE_VALF);
    else if (d < -FLT_MAX)
        value = -static_cast<double>(HUGE_VALF);
    else
        value = static_cast<double>(static_cast<float>(d));
    return NumberResult::Ok;
}

std::string Quoted(std::string_view text)
{
    std::string out = "\"";
    out.append(text.substr(0, 40));
    if (text.size() > 40)
        out += "...";
    out += "\"";
    return out;
}

std::string LinePrefix(std::size_t lineNumber)
{
    return "Line " + std::to_string(lineNumber) + ": ";
}

// Reads the C numbers of one record line into out. The first number ends at a blank
// or a tab, the following are separated by blanks. Returns an empty text on success,
// else the reason.
std::string ParseRecord(std::string_view line, std::size_t channels, std::vector<double> &out)
{
    const char *p = line.data();
    const char *end = p + line.size();
    while (end != p && IsBlank(end[-1]))
        --end;
    while (p != end && (*p == ' ' || *p == '\t'))
        ++p;

    std::size_t count = 0;
    bool first = true;
    while (p != end) {
        const char *tokenEnd = p;
        while (tokenEnd != end && *tokenEnd != ' ' && !(first && *tokenEnd == '\t'))
            ++tokenEnd;
        const std::string_view token(p, static_cast<std::size_t>(tokenEnd - p));
        if (count == channels)
            return std::to_string(count + 1) + " or more values found, " + std::to_string(channels) +
                   " expected (one per channel)";
        double value = 0.0;
        const char *q = p;
        const NumberResult result = ParseSingle(q, tokenEnd, value);
        if (result == NumberResult::OutOfRange)
            return Quoted(token) + " is out of range";
        if (result != NumberResult::Ok || q != tokenEnd)
            return Quoted(token) + " is not a number";
        out.push_back(value);
        ++count;
        p = tokenEnd;
        if (first) {
            while (p != end && (*p == ' ' || *p == '\t'))
                ++p;
            first = false;
        } else {
            while (p != end && *p == ' ')
                ++p;
        }
    }
    if (count != channels)
        return std::to_string(count) + " values found, " + std::to_string(channels) + " expected (one per channel)";
    return {};
}

bool ParseCount(const char *&p, const char *end, long long &value)
{
    while (p != end && IsBlank(*p))
        ++p;
    if (p != end && *p == '+')
        ++p;
    const auto [ptr, ec] = std::from_chars(p, end, value);
    if (ptr == p || ec != std::errc())
        return false;
    p = ptr;
    return true;
}

std::string TimeText(double milliseconds)
{
    std::ostringstream text;
    text << milliseconds;
    return text.str();
}

constexpr long long kMaxCount = 100000000;

struct FileExtent {
    std::size_t bytes = 0;
    std::size_t lines = 0; // the last line counts without its line end
};

// Counts the bytes and lines of the file and goes back to its start.
FileExtent MeasureFile(std::FILE *file)
{
    FileExtent extent;
    std::vector<char> block(std::size_t{1} << 20);
    char last = '\n';
    for (;;) {
        const std::size_t got = std::fread(block.data(), 1, block.size(), file);
        if (got == 0)
            break;
        extent.bytes += got;
        const char *p = block.data();
        const char *end = p + got;
        while (const void *hit = std::memchr(p, '\n', static_cast<std::size_t>(end - p))) {
            ++extent.lines;
            p = static_cast<const char *>(hit) + 1;
        }
        last = end[-1];
    }
    if (last != '\n')
        ++extent.lines;
    std::rewind(file);
    return extent;
}

} // namespace

MadymoFile::MadymoFile() = default;

MadymoFile::~MadymoFile()
{
    Close();
}

bool MadymoFile::Close()
{
    if (!m_open)
        return false;
    std::fclose(m_file);
    m_file = nullptr;
    m_open = false;
    return true;
}

void MadymoFile::Clear()
{
    m_times.clear();
    m_values.clear();
    m_channelNames.clear();
    m_parameterNames.clear();
}

bool MadymoFile::Read(const std::filesystem::path &path)
{
    Close();
    Clear();
    m_messages.clear();

    try {
        m_file = CTextLineReader::OpenRegular(path.string());
    } catch (const std::exception &e) {
        m_messages.push_back(e.what());
        return false;
    }
    if (m_file == nullptr) {
        m_messages.push_back("Cannot open the file " + path.string());
        return false;
    }
    m_open = true;
    bool parsed = false;
    try {
        parsed = Parse(path.string());
    } catch (const std::bad_alloc &) {
        m_messages.push_back("Not enough memory to read " + path.string());
    } catch (const std::exception &e) {
        m_messages.push_back(e.what());
    }
    if (!parsed) {
        Clear();
        Close();
        return false;
    }
    return true;
}

bool MadymoFile::Parse(const std::string &name)
{
    // The values are sized from the file before they are read: grown by doubling they
    // would need up to twice their final size while being copied.
    const FileExtent extent = MeasureFile(m_file);
    CTextLineReader reader(m_file, name);
    std::string_view line;
    const std::string notLayout = "Not a MADYMO time-history file: ";

    // Lines 1 and 2 are not used; line 3 holds the counts.
    for (int i = 0; i < 3; ++i) {
        if (!reader.Next(line)) {
            m_messages.push_back(notLayout +
                                 "the file ends before the line with the numbers of parameters and channels");
            return false;
        }
    }
    long long parameters = 0;
    long long channels = 0;
    {
        const char *p = line.data();
        const char *end = p + line.size();
        if (!ParseCount(p, end, parameters) || !ParseCount(p, end, channels)) {
            m_messages.push_back(notLayout + "line 3 does not hold the numbers of parameters and channels");
            return false;
        }
        if (parameters < 1 || channels < 1 || parameters > kMaxCount || channels > kMaxCount ||
            parameters * channels > kMaxCount) {
            m_messages.push_back(notLayout + "line 3 gives " + std::to_string(parameters) + " parameters and " +
                                 std::to_string(channels) + " channels");
            return false;
        }
    }

    const auto readNames = [&](long long count, std::vector<std::string> &names, const char *what) {
        for (long long i = 0; i < count; ++i) {
            if (!reader.Next(line)) {
                m_messages.push_back(notLayout + "the file ends after " + std::to_string(i) + " of " +
                                     std::to_string(count) + " " + what + " names");
                return false;
            }
            names.emplace_back(line);
        }
        return true;
    };
    if (!readNames(parameters, m_parameterNames, "parameter") || !readNames(channels, m_channelNames, "channel"))
        return false;

    const std::size_t P = static_cast<std::size_t>(parameters);
    const std::size_t C = static_cast<std::size_t>(channels);
    // A record line holds one number per channel: its bound grows with the channels
    // (whose names the file has already shown to be there).
    constexpr std::size_t kCharactersPerValue = 64;
    reader.SetMaxLineLength(std::max(CTextLineReader::kDefaultMaxLineLength, C * kCharactersPerValue));

    // Each block takes a time line and P record lines, each value at least a digit and a
    // separator or line end. A bound too large to reserve is left to the reading.
    {
        const std::size_t dataLines = extent.lines > reader.LineNumber() ? extent.lines - reader.LineNumber() : 0;
        const std::size_t blocks = dataLines / (P + 1);
        const std::size_t perBlock = P * C;
        const std::size_t byBytes = extent.bytes / 2;
        const std::size_t values = blocks <= byBytes / perBlock ? blocks * perBlock : byBytes;
        try {
            m_times.reserve(blocks);
            m_values.reserve(values);
        } catch (const std::bad_alloc &) {
        } catch (const std::length_error &) {}
    }

    // Reports a defect in the block of the given time: when only blank lines follow, the
    // file was cut short and the block is dropped; otherwise the file is refused. A time
    // line with no record after it (nothing, or blank lines only) is the file's normal end.
    const auto blockFault = [&](const std::string &reason, double milliseconds, std::size_t recordsRead,
                                bool recordMissing) {
        std::string_view rest;
        while (reader.Next(rest)) {
            if (!IsBlankLine(rest)) {
                m_messages.push_back(reason);
                return false;
            }
        }
        if (recordsRead == 0 && recordMissing)
            return true;
        m_messages.push_back("The file ends inside the block of time " + TimeText(milliseconds) + " ms (" +
                             std::to_string(recordsRead) + " of " + std::to_string(P) +
                             " records complete); the block was dropped");
        return true;
    };

    while (reader.Next(line)) {
        if (IsBlankLine(line))
            continue;
        const std::size_t timeLine = reader.LineNumber();
        const char *p = line.data();
        const char *end = p + line.size();
        while (p != end && IsBlank(*p))
            ++p;
        double milliseconds = 0.0;
        const NumberResult timeResult = ParseSingle(p, end, milliseconds);
        if (timeResult != NumberResult::Ok) {
            m_messages.push_back(LinePrefix(timeLine) + "the time line " + Quoted(line) +
                                 " does not start with a time");
            return false;
        }

        const std::size_t blockStart = m_values.size();
        for (std::size_t record = 0; record < P; ++record) {
            if (!reader.Next(line)) {
                m_values.resize(blockStart);
                return blockFault(std::string(), milliseconds, record, true);
            }
            const std::string reason = ParseRecord(line, C, m_values);
            if (!reason.empty()) {
                const std::size_t faultLine = reader.LineNumber();
                m_values.resize(blockStart);
                return blockFault(LinePrefix(faultLine) + reason, milliseconds, record, IsBlankLine(line));
            }
        }
        m_times.push_back(milliseconds / 1000.0);
    }
    if (reader.Failed() || std::ferror(m_file) != 0) {
        m_messages.push_back("Error reading the file");
        return false;
    }
    return true;
}

bool MadymoFile::GetColumn(int parameter, int channel, std::vector<double> &y) const
{
    const std::size_t P = m_parameterNames.size();
    const std::size_t C = m_channelNames.size();
    if (parameter < 0 || channel < 0 || static_cast<std::size_t>(parameter) >= P ||
        static_cast<std::size_t>(channel) >= C)
        return false;
    const std::size_t stride = P * C;
    y.clear();
    y.reserve(m_times.size());
    std::size_t k = static_cast<std::size_t>(parameter) * C + static_cast<std::size_t>(channel);
    for (std::size_t t = 0; t < m_times.size() && k < m_values.size(); ++t, k += stride)
        y.push_back(m_values[k]);
    return true;
}

bool MadymoFile::GetSignal(int parameter, int channel, CNSignal &signal)
{
    if (m_values.empty())
        throw std::logic_error("No Signal Data in Vector vy");
    if (!GetColumn(parameter, channel, m_work))
        return false;
    // Point numbers 0 .. count - 1; a single sample is numbered 1 .. 1, since a
    // header with both numbers 0 counts no point at all.
    const int last = static_cast<int>(m_work.size()) - 1;
    signal.SetNFP(last == 0 ? 1 : 0);
    signal.SetNLP(last == 0 ? 1 : last);
    signal.SetXYData(m_times, m_work);
    return true;
}

} // namespace kx
