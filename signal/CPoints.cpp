#include "signal/CPoints.h"
#include "signal/CTextLineReader.h"
#include "signal/UdsMemory.h"

#include <boost/spirit/home/x3.hpp>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <type_traits>

namespace kx {

namespace {

namespace x3 = boost::spirit::x3;

// A real number as written in a points file: optional sign, digits with an optional
// fraction (or a fraction alone), optional exponent. No "nan" or "inf" words; a value
// beyond the range of double is refused. The text is converted correctly rounded.
struct NumberParser : x3::parser<NumberParser> {
    using attribute_type = double;
    static bool const has_attribute = true;

    template <typename Iterator, typename Context, typename RContext, typename Attribute>
    bool parse(Iterator &first, Iterator const &last, Context const &, RContext const &, Attribute &attr) const
    {
        static_assert(std::is_same_v<Iterator, const char *>, "points text is parsed from memory");
        const char *p = first;
        const char *const end = last;
        const char *start = p;
        if (p != end && (*p == '+' || *p == '-'))
            ++p;
        if (start != end && *start == '+')
            ++start; // from_chars takes no plus sign
        const auto digits = [&] {
            const char *q = p;
            while (p != end && *p >= '0' && *p <= '9')
                ++p;
            return p - q;
        };
        std::ptrdiff_t mantissa = digits();
        if (p != end && *p == '.') {
            ++p;
            mantissa += digits();
        }
        if (mantissa == 0)
            return false;
        if (p != end && (*p == 'e' || *p == 'E')) {
            const char *mark = p;
            ++p;
            if (p != end && (*p == '+' || *p == '-'))
                ++p;
            if (digits() == 0)
                p = mark; // no exponent after all
        }
        double value = 0.0;
        const auto result = std::from_chars(start, p, value);
        if (result.ec != std::errc() || result.ptr != p)
            return false;
        x3::traits::move_to(value, attr);
        first = p;
        return true;
    }
};

const NumberParser number{};
const auto blank = x3::char_(" \t\v\f");
const auto separator = +(blank | x3::lit(','));

bool IsBlankChar(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

// Calls f(line) for each line of text (line ends CR, LF or CR-LF, not included)
// until f returns false; returns the offset where the line f refused starts, or npos.
template <typename F>
std::size_t ForEachLine(std::string_view text, F &&f)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        if (!f(text.substr(pos, end - pos)))
            return pos;
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n')
            ++end;
        pos = end + 1;
    }
    return std::string_view::npos;
}

} // namespace

int syntax::ParseLine(std::string_view line, double (&values)[3])
{
    int count = 0;
    auto store = [&](auto &ctx) {
        if (count < 3)
            values[count] = x3::_attr(ctx);
        ++count;
    };
    const auto grammar =
        *blank >> number[store] >> x3::repeat(0, 2)[separator >> number[store]] >> *(blank | x3::lit(',')) >> x3::eoi;
    const char *first = line.data();
    const char *last = line.data() + line.size();
    if (!x3::parse(first, last, grammar) || count < 1 || count > 3)
        return 0;
    return count;
}

bool syntax::IsBlankLine(std::string_view line)
{
    for (char c : line) {
        if (!IsBlankChar(c))
            return false;
    }
    return true;
}

bool syntax::Parse(std::string_view text, PointList &points)
{
    int columns = 0;
    bool ok = true;
    ForEachLine(text, [&](std::string_view line) {
        double v[3] = {0.0, 0.0, 0.0};
        const int n = ParseLine(line, v);
        if (n == 0) {
            ok = IsBlankLine(line);
            return ok;
        }
        // Runs of one, two and three values follow each other in that order only.
        if (n < columns) {
            ok = false;
            return false;
        }
        columns = n;
        if (n == 1)
            points.push_back(std::make_shared<CPoint<double>>(0.0, v[0], 0.0));
        else
            points.push_back(std::make_shared<CPoint<double>>(v[0], v[1], v[2]));
        return true;
    });
    return ok;
}

CPoints::CPoints() = default;

CPoints::~CPoints()
{
    m_points.clear();
}

void CPoints::CutAtGap(std::string &text)
{
    // The points end at the first blank line; the blank line itself stays.
    std::size_t cut = std::string::npos;
    ForEachLine(text, [&](std::string_view line) {
        if (!syntax::IsBlankLine(line))
            return true;
        cut = static_cast<std::size_t>(line.data() - text.data()) + line.size();
        return false;
    });
    if (cut == std::string::npos)
        return;
    if (cut < text.size() && text[cut] == '\r') {
        ++cut;
        if (cut < text.size() && text[cut] == '\n')
            ++cut;
    } else if (cut < text.size() && text[cut] == '\n') {
        ++cut;
    }
    text.erase(cut);
}

void CPoints::Parse(const std::string &text)
{
    m_points.clear();
    PointList points;
    if (!syntax::Parse(text, points))
        throw std::logic_error("Failure to parse the data.");
    m_points = std::move(points);
}

void CPoints::ReadFile(const std::string &path)
{
    const std::string openFailure = "Failure to open file: " + path + " for reading.";
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw std::logic_error(openFailure);
    if (CTextLineReader::IsSpecialFile(path))
        throw std::logic_error(CTextLineReader::NotRegularText(path));
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open())
        throw std::logic_error(openFailure);

    std::string text;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    const std::string tooLarge = path + " is too large to read: it does not fit in memory";
    if (size > 0 && !FitsInMemory(static_cast<std::uint64_t>(size) * 2))
        throw std::logic_error(tooLarge);
    try {
        ReadText(in, size, text, openFailure);
    } catch (const std::bad_alloc &) {
        throw std::logic_error(tooLarge);
    } catch (const std::length_error &) {
        throw std::logic_error(tooLarge);
    }

    CutAtGap(text);
    try {
        Parse(text);
    } catch (const std::bad_alloc &) {
        throw std::logic_error(tooLarge);
    } catch (const std::logic_error &) {
        throw std::logic_error("Failure to parse the file: " + path + " for reading.");
    }
}

void CPoints::ReadText(std::istream &in, std::streamoff size, std::string &text, const std::string &openFailure)
{
    if (size >= 0) {
        in.seekg(0, std::ios::beg);
        text.resize(static_cast<std::size_t>(size));
        in.read(text.data(), size);
        if (in.gcount() != size)
            throw std::logic_error(openFailure);
    } else {
        in.clear();
        in.seekg(0, std::ios::beg);
        std::ostringstream all;
        all << in.rdbuf();
        text = all.str();
    }
}

std::string NoPointsText(const std::string &path)
{
    std::error_code ec;
    if (std::filesystem::file_size(path, ec) == 0 && !ec)
        return CTextLineReader::EmptyFileText(path);
    return path + " holds no points";
}

} // namespace kx
