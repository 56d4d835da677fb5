#pragma once

// The tooltip markup read into tokens: runs of text and the tags that act between them.
// No Qt here, so the grammar is tested on its own.
//
//   text      ordinary characters; "<<" is a literal "<", a tab acts as <t>, a line feed
//             as <br>, a carriage return is dropped
//   <name>    a tag, name without regard to case and blanks; "</name>" closes it
//   <name=v>  a value in C notation (12, 0x0C, 014); it ends at a blank, "%" or ">", and
//             the rest up to ">" is skipped. <img=name> takes a name up to ">".
// Unknown tags and a tag left open at the end of the text are dropped. Nothing nests.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kxres {

enum class MarkupTag {
    Bold,
    Italic,
    Underline,
    Strike,
    Break,
    Tab,
    Colour,
    ColourIndex,
    Background,
    BackgroundIndex,
    AlignLeft,
    AlignCentre,
    AlignRight,
    Rule,
    Image,
    ImageListIcon
};

struct MarkupToken {
    bool isTag = false;
    std::string text; // the run of a text token, the name of an image
    MarkupTag tag = MarkupTag::Bold;
    bool closing = false;
    bool hasValue = false;
    std::uint32_t value = 0; // saturates at the largest 32-bit value
    bool percent = false;    // the value ended with "%"
};

// The tag of a name ("B", "al_c", ...); false for a name the markup does not know.
bool MarkupTagFromName(std::string_view name, MarkupTag &tag);

std::vector<MarkupToken> TokenizeMarkup(std::string_view text);

} // namespace kxres
