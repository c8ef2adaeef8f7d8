#include "content/message_text.h"

#include <cstdio>

namespace util {
namespace {

constexpr std::string_view kRecipientSeparators = " \t,<>()'\"\r\n";
constexpr std::string_view kEnvelopeSeparators = " \t\r\n<>'\"()";

std::string twoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

std::string yearDay(const LocalTime& t) {
    char text[16];
    std::snprintf(text, sizeof text, "%03d", dayOfYear(t.year, t.month, t.day) + 1);
    return text;
}

std::vector<std::string> tokens(std::string_view text, std::string_view separators) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t start = text.find_first_not_of(separators, i);
        if (start == std::string_view::npos) break;
        std::size_t end = text.find_first_of(separators, start);
        if (end == std::string_view::npos) end = text.size();
        out.emplace_back(text.substr(start, end - start));
        i = end;
    }
    return out;
}

}  // namespace

std::string dateHeader(const LocalTime& t, std::string_view zoneOffset) {
    char text[96];
    std::snprintf(text, sizeof text, "Date: %s, %02d %s %04d %02d:%02d:%02d ", weekdayAbbrev(t.weekday), t.day,
                  monthAbbrev(t.month), t.year, t.hour, t.minute, t.second);
    return std::string(text) + std::string(zoneOffset);
}

std::string reminderIdDigits(const LocalTime& t) {
    std::string j = yearDay(t), s = twoDigits(t.second);
    return j + s + twoDigits(t.minute) + s + j + twoDigits(t.hour) + s + j;
}

std::string welcomeIdDigits(const LocalTime& t) {
    std::string j = yearDay(t), s = twoDigits(t.second);
    return j + s + twoDigits(t.minute) + twoDigits(t.hour) + s + j;
}

std::vector<std::string> addressTokens(std::string_view text) {
    std::vector<std::string> valid;
    for (std::string& token : tokens(text, kRecipientSeparators))
        if (token.find('@') != std::string::npos) valid.push_back(std::move(token));
    return valid;
}

std::string extractAddress(std::string_view rest) {
    std::vector<std::string> found = tokens(rest, kEnvelopeSeparators);
    return found.empty() ? std::string(rest) : found.front();
}

std::vector<std::string> toHeaderLines(const std::vector<std::string>& addresses) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < addresses.size(); i += 2) {
        std::string line = i == 0 ? "To: " : "\t";
        line += addresses[i];
        if (i + 1 < addresses.size()) line += " , " + addresses[i + 1];
        // A line that another follows ends in a comma too: the continuation
        // lines belong to the same address list.
        if (i + 2 < addresses.size()) line += " ,";
        lines.push_back(std::move(line));
    }
    return lines;
}

void appendMultipartOpening(std::vector<std::string>& lines) {
    lines.push_back("Content-Type: multipart/mixed;");
    lines.push_back(std::string("\tboundary=\"") + kMimeBoundary + "\"");
    lines.push_back("");
    lines.push_back("This is a MIME message");
    lines.push_back("");
    lines.push_back(std::string("--") + kMimeBoundary);
    lines.push_back("Content-Type: text/plain; charset=\"us-ascii\"");
    lines.push_back("Content-Transfer-Encoding: 7bit");
    lines.push_back("");
}

void appendAttachmentHeader(std::vector<std::string>& lines, std::string_view fileName) {
    std::string name(fileName);
    lines.push_back(std::string("--") + kMimeBoundary);
    lines.push_back("Content-Type: application/octet-stream;name=\"" + name + "\"");
    lines.push_back("Content-Transfer-Encoding: base64");
    lines.push_back("Content-Disposition:attachment;filename=\"" + name + "\"");
    lines.push_back("");
}

void appendMultipartClosing(std::vector<std::string>& lines) {
    lines.push_back("");
    lines.push_back(std::string("--") + kMimeBoundary + "--");
}

}  // namespace util
