// Printed lines on pages, measured in characters: each character is 10
// units wide, so a width of 100 holds ten.
#include <gtest/gtest.h>

#include "ui/print_layout.h"

namespace {

int tenEach(std::string_view text) { return static_cast<int>(text.size()) * 10; }

std::vector<std::string> broken(std::string_view line) { return ui::breakPrintLine(line, 100, tenEach); }

TEST(PrintLayout, LongLinesBreakAtTheLastBlankInTheSecondHalfOrAtTheWidth) {
    EXPECT_EQ(broken("short line"), std::vector<std::string>{"short line"});
    EXPECT_EQ(broken(""), std::vector<std::string>{""});
    // The last blank among the ten characters that fit, in their second half.
    EXPECT_EQ(broken("abcdef ghijklmno"), (std::vector<std::string>{"abcdef", "ghijklmno"}));
    EXPECT_EQ(broken("alpha beta gamma delta"), (std::vector<std::string>{"alpha beta", "gamma", "delta"}));
    // A blank only in the first half is no place to break: the width is.
    EXPECT_EQ(broken("ab cdefghijklmnop"), (std::vector<std::string>{"ab cdefghi", "jklmnop"}));
    // A blank just past the part that fits, and the continuation's leading
    // blanks and tabs dropped.
    EXPECT_EQ(broken("abcdefghij  \t klm"), (std::vector<std::string>{"abcdefghij", "klm"}));
    EXPECT_EQ(broken(std::string(25, 'x')), (std::vector<std::string>{std::string(10, 'x'), std::string(10, 'x'),
                                                                        std::string(5, 'x')}));
    // A character wider than the page still goes, one at a time.
    EXPECT_EQ(ui::breakPrintLine("abc", 5, tenEach), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(PrintLayout, TabsAreExpandedToEightColumnStops) {
    EXPECT_EQ(ui::expandTabs("a\tb"), "a       b");
    EXPECT_EQ(ui::expandTabs("\t"), std::string(8, ' '));
    EXPECT_EQ(ui::expandTabs("12345678\tx"), "12345678        x");
}

TEST(PrintLayout, PagesHoldTheLinesWhoseBottomsFit) {
    std::vector<std::string> lines;
    for (int i = 0; i < 7; ++i) lines.push_back("line " + std::to_string(i));
    lines.push_back("this one breaks into two");
    // Height 35 with lines of 10: three lines a page.
    auto pages = ui::printPages(lines, 100, 35, 10, tenEach);
    ASSERT_EQ(pages.size(), 4u);
    EXPECT_EQ(pages[0], (std::vector<std::string>{"line 0", "line 1", "line 2"}));
    EXPECT_EQ(pages[2], (std::vector<std::string>{"line 6", "this one", "breaks"}));
    EXPECT_EQ(pages[3], (std::vector<std::string>{"into two"}));
    EXPECT_TRUE(ui::printPages({}, 100, 35, 10, tenEach).empty());
    EXPECT_EQ(ui::printPages({"a", "b"}, 100, 5, 10, tenEach).size(), 2u) << "one line a page when none fits";
}

}  // namespace
