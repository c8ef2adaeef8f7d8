#include "ui/print_layout.h"

namespace ui {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// The longest prefix that fits the width, at least one character.
std::size_t fittingLength(std::string_view line, int width, const MeasureText& measure) {
    std::size_t low = 1, high = line.size();
    while (low < high) {
        std::size_t middle = low + (high - low + 1) / 2;
        if (measure(line.substr(0, middle)) <= width) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low;
}

}  // namespace

std::string expandTabs(std::string_view line) {
    std::string out;
    for (char c : line) {
        if (c != '\t') {
            out += c;
            continue;
        }
        do out += ' ';
        while (out.size() % 8 != 0);
    }
    return out;
}

std::vector<std::string> breakPrintLine(std::string_view line, int width, const MeasureText& measure) {
    std::vector<std::string> pieces;
    while (!line.empty() && measure(line) > width) {
        std::size_t fits = fittingLength(line, width, measure);
        // A blank just past the part that fits is as good a place as any.
        std::size_t cut = fits;
        for (std::size_t at = fits; at >= fits / 2 && at > 0; --at) {
            if (at < line.size() && isBlank(line[at])) {
                cut = at;
                break;
            }
        }
        pieces.emplace_back(line.substr(0, cut));
        line.remove_prefix(cut);
        while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
    }
    if (!line.empty() || pieces.empty()) pieces.emplace_back(line);
    return pieces;
}

std::vector<std::vector<std::string>> printPages(const std::vector<std::string>& lines, int width, int height,
                                                 int lineHeight, const MeasureText& measure) {
    std::vector<std::vector<std::string>> pages;
    int y = 0;
    for (const std::string& line : lines) {
        for (std::string& piece : breakPrintLine(expandTabs(line), width, measure)) {
            if (pages.empty() || (y + lineHeight > height && !pages.back().empty())) {
                pages.emplace_back();
                y = 0;
            }
            pages.back().push_back(std::move(piece));
            y += lineHeight;
        }
    }
    return pages;
}

}  // namespace ui
