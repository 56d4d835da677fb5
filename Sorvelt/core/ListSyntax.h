#pragma once

// Lists of item numbers as the user types them: "1,3-5,7".

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace sorvelt {

struct IndexList {
    bool ok = true;             // false: a token is not a number or a range
    std::vector<bool> selected; // one flag per item, 0-based
    std::string error;          // why the list was refused
    std::size_t Count() const;
};

// Tokens are separated by commas, blanks or tabs; a token is a number or two numbers
// joined by "-", counting from 1. A reversed range is read the right way round; a
// range selects the items it shares with 1 .. count; a number outside 1 .. count
// (0 included) selects nothing.
IndexList ParseIndexList(std::string_view text, std::size_t count);

} // namespace sorvelt
