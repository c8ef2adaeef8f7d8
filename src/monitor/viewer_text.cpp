#include "monitor/viewer_text.h"

#include <cstdio>

#include "frame/local_time.h"
#include "frame/spool_names.h"

namespace monitor {
namespace {

// Reads "n-" groups of a unique name: all seven numbers or nothing.
bool readStamp(std::string_view name, int (&numbers)[7]) {
    std::size_t at = 0;
    for (int i = 0; i < 7; ++i) {
        if (i > 0) {
            if (at >= name.size() || name[at] != '-') return false;
            ++at;
        }
        std::size_t start = at;
        long value = 0;
        while (at < name.size() && name[at] >= '0' && name[at] <= '9' && at - start < 9)
            value = value * 10 + (name[at++] - '0');
        if (at == start) return false;
        numbers[i] = static_cast<int>(value);
    }
    return true;
}

std::string_view behindFirstBlankLine(std::string_view text) {
    for (std::string_view blank : {std::string_view("\r\n\r\n"), std::string_view("\n\n"), std::string_view("\r\r")}) {
        std::size_t at = text.find(blank);
        if (at != std::string_view::npos) return text.substr(at + blank.size());
    }
    return text;
}

// CR LF line ends throughout; a NUL would end the field's text early.
std::string fieldLines(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c == '\0' ? ' ' : c;
        }
    }
    return out;
}

std::string addressBehind(std::string_view line, std::size_t prefix) {
    constexpr std::string_view kCuts = "\r\n \t<>\"()";
    std::string_view rest = line.substr(prefix);
    std::size_t start = rest.find_first_not_of(kCuts);
    if (start == std::string_view::npos) return {};
    std::size_t end = rest.find_first_of(kCuts, start);
    return std::string(rest.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

}  // namespace

std::string listEntryText(std::string_view fileName) {
    int n[7] = {};
    if (fileName.substr(0, 2) != "20" || !readStamp(fileName, n) || n[1] < 1 || n[1] > 12) return std::string(fileName);
    char text[96];
    if (n[6] > 0) {
        std::snprintf(text, sizeof text, "%02d:%02d:%02d %02d %s %d (%d)", n[3], n[4], n[5], n[2],
                      util::monthAbbrev(n[1]), n[0], n[6]);
    } else {
        std::snprintf(text, sizeof text, "%02d:%02d:%02d %02d %s %d", n[3], n[4], n[5], n[2], util::monthAbbrev(n[1]),
                      n[0]);
    }
    return text;
}

std::string messageFieldText(std::string_view bytes, bool truncated, bool showHeaders) {
    std::string text = fieldLines(showHeaders ? bytes : behindFirstBlankLine(bytes));
    if (truncated) text += kTruncationNote;
    return text;
}

std::string cutRefusedText(std::string_view text, bool truncated) {
    std::string cut(text.substr(0, text.size() > kRefusedCut ? text.size() - kRefusedCut : 0));
    if (truncated) cut += kTruncationNote;
    return cut;
}

EnvelopeAddresses envelopeAddresses(std::string_view text) {
    EnvelopeAddresses found;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        switch (util::envelopeLineKind(line, true)) {
        case util::EnvelopeLine::Sender:
            found.from = addressBehind(line, util::kMailFromPrefix.size());
            break;
        case util::EnvelopeLine::Recipient:
            found.to.push_back(addressBehind(line, util::kRcptToPrefix.size()));
            break;
        case util::EnvelopeLine::Other:
            break;
        }
    }
    return found;
}

std::string messageDateText(int day, int month, int year, std::uint64_t size) {
    return " " + std::to_string(day) + " " + util::monthAbbrev(month) + " " + std::to_string(year) + "  (" +
           std::to_string(size) + " bytes)";
}

std::string messageCountText(long count) { return " " + std::to_string(count) + " messages"; }

std::size_t headerLineCount(const std::vector<std::string>& firstLines) {
    std::size_t limit = firstLines.size() < kHeaderSearchLines ? firstLines.size() : kHeaderSearchLines;
    for (std::size_t i = 0; i < limit; ++i)
        if (firstLines[i].empty()) return i;
    return limit;
}

}  // namespace monitor
