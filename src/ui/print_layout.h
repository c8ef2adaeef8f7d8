// How lines of text fall onto printed pages: a line wider than the
// printable width is broken at the last blank or tab in the second half of
// the part that fits (or at the width) and goes on in the next line without
// its leading blanks and tabs; a page holds the lines whose bottoms stay
// within the printable height. The printer measures the text.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

// The width of a text as the printer draws it.
using MeasureText = std::function<int(std::string_view)>;

// Tabs as blanks up to the next multiple of eight characters.
std::string expandTabs(std::string_view line);

// One line as the printed lines it becomes (an empty line stays one).
std::vector<std::string> breakPrintLine(std::string_view line, int width, const MeasureText& measure);

// The printed pages: every line's tabs expanded and the line broken, then as many lines of lineHeight
// on each page as fit in height (always at least one).
std::vector<std::vector<std::string>> printPages(const std::vector<std::string>& lines, int width, int height,
                                                 int lineHeight, const MeasureText& measure);

}  // namespace ui
