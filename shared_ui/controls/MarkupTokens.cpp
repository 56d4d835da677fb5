#include "shared_ui/controls/MarkupTokens.h"

#include <cctype>
#include <limits>

namespace kxres {

namespace {

struct NamedTag {
    const char *name;
    MarkupTag tag;
};

constexpr NamedTag kTags[] = {
    {"b", MarkupTag::Bold},
    {"i", MarkupTag::Italic},
    {"u", MarkupTag::Underline},
    {"s", MarkupTag::Strike},
    {"br", MarkupTag::Break},
    {"t", MarkupTag::Tab},
    {"ct", MarkupTag::Colour},
    {"cti", MarkupTag::ColourIndex},
    {"cb", MarkupTag::Background},
    {"cbi", MarkupTag::BackgroundIndex},
    {"al", MarkupTag::AlignLeft},
    {"al_l", MarkupTag::AlignLeft},
    {"al_c", MarkupTag::AlignCentre},
    {"al_r", MarkupTag::AlignRight},
    {"hr", MarkupTag::Rule},
    {"img", MarkupTag::Image},
    {"ilst", MarkupTag::ImageListIcon},
};

bool IsBlank(char c)
{
    return c == ' ';
}

// An unsigned number in C notation, read as far as it goes; saturates instead of wrapping.
std::uint32_t CNumber(std::string_view text)
{
    int base = 10;
    std::size_t i = 0;
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        i = 2;
    } else if (!text.empty() && text[0] == '0') {
        base = 8;
    }
    std::uint64_t value = 0;
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint32_t>::max();
    for (; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        int digit = -1;
        if (std::isdigit(c))
            digit = c - '0';
        else if (std::isxdigit(c))
            digit = std::tolower(c) - 'a' + 10;
        if (digit < 0 || digit >= base)
            break;
        value = value * std::uint64_t(base) + std::uint64_t(digit);
        if (value > kMax)
            value = kMax + 1; // keeps saturating without overflow
    }
    return static_cast<std::uint32_t>(value > kMax ? kMax : value);
}

} // namespace

bool MarkupTagFromName(std::string_view name, MarkupTag &tag)
{
    std::string lower;
    for (const char c : name)
        lower += char(std::tolower(static_cast<unsigned char>(c)));
    for (const NamedTag &t : kTags) {
        if (lower == t.name) {
            tag = t.tag;
            return true;
        }
    }
    return false;
}

std::vector<MarkupToken> TokenizeMarkup(std::string_view text)
{
    std::vector<MarkupToken> tokens;
    std::string run;
    const auto flush = [&] {
        if (!run.empty()) {
            MarkupToken token;
            token.text = std::move(run);
            tokens.push_back(std::move(token));
            run.clear();
        }
    };
    const auto emit = [&](MarkupToken token) {
        flush();
        token.isTag = true;
        tokens.push_back(std::move(token));
    };

    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\r') {
            ++i;
        } else if (c == '\t' || c == '\n') {
            MarkupToken token;
            token.tag = c == '\t' ? MarkupTag::Tab : MarkupTag::Break;
            emit(token);
            ++i;
        } else if (c != '<') {
            run += c;
            ++i;
        } else if (i + 1 < text.size() && text[i + 1] == '<') {
            run += '<';
            i += 2;
        } else {
            // A tag: name, then an optional value, then anything up to ">".
            const std::size_t close = text.find('>', i);
            if (close == std::string_view::npos)
                break; // left open: dropped with the rest of the text
            MarkupToken token;
            std::string name;
            std::size_t j = i + 1;
            for (; j < close && text[j] != '='; ++j) {
                if (IsBlank(text[j]))
                    continue;
                if (text[j] == '/' && name.empty())
                    token.closing = true;
                else
                    name += text[j];
            }
            const bool known = MarkupTagFromName(name, token.tag);
            if (known && j < close && text[j] == '=') {
                ++j;
                if (token.tag == MarkupTag::Image) {
                    token.text = std::string(text.substr(j, close - j));
                    token.hasValue = true;
                } else {
                    const std::size_t start = j;
                    while (j < close && !IsBlank(text[j]) && text[j] != '%')
                        ++j;
                    token.hasValue = j > start;
                    token.value = CNumber(text.substr(start, j - start));
                    token.percent = j < close && text[j] == '%';
                }
            }
            if (known)
                emit(token);
            i = close + 1;
        }
    }
    flush();
    return tokens;
}

} // namespace kxres
