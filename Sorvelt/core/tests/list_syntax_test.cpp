#include "Sorvelt/core/ListSyntax.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using sorvelt::ParseIndexList;

// Selected items, counting from 1, as text: "1 3 4".
std::string Picked(const sorvelt::IndexList &list)
{
    std::string text;
    for (std::size_t i = 0; i < list.selected.size(); ++i)
        if (list.selected[i])
            text += (text.empty() ? "" : " ") + std::to_string(i + 1);
    return text;
}

struct Case {
    const char *text;
    std::size_t count;
    bool ok;
    const char *picked;
};

TEST(ListSyntax, Table)
{
    const Case cases[] = {
        {"1,3-5,7", 8, true, "1 3 4 5 7"},
        {"3-1", 5, true, "1 2 3"}, // reversed range
        {"2,2", 5, true, "2"},     // once
        {"0", 5, true, ""},        // nothing
        {"0-3", 5, true, "1 2 3"},
        {"", 5, true, ""},
        {"1\t 2", 5, true, "1 2"}, // tabs and blanks separate
        {" , 4 ,, 5 ", 5, true, "4 5"},
        {"-2", 5, false, ""},
        {"1-", 5, false, ""},
        {"1-2-3", 5, false, ""},
        {"x", 5, false, ""},
        {"1,2a", 5, false, ""},       // a bad token refuses the whole list
        {"99999999999", 5, true, ""}, // beyond the items, no overflow
        {"99999999999999999999999999", 5, true, ""},
        {"1-99999999999999999999999999", 3, true, "1 2 3"},
        {"7", 5, true, ""},        // not the last item
        {"3-9", 5, true, "3 4 5"}, // clipped as one range
        {"7-9", 5, true, ""},      // wholly beyond: nothing
        {"5", 5, true, "5"},
        {"1-3", 0, true, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\" of " + std::to_string(c.count));
        const auto list = ParseIndexList(c.text, c.count);
        EXPECT_EQ(list.ok, c.ok);
        EXPECT_EQ(list.selected.size(), c.count);
        EXPECT_EQ(Picked(list), c.picked);
        EXPECT_EQ(list.error.empty(), c.ok);
    }
}

TEST(ListSyntax, RefusalNamesTheToken)
{
    const auto list = ParseIndexList("1, 4-x", 5);
    EXPECT_FALSE(list.ok);
    EXPECT_NE(list.error.find("\"4-x\""), std::string::npos) << list.error;
}

} // namespace
