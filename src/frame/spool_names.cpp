#include "frame/spool_names.h"

#include <cstdio>
#include <unordered_set>

#include "frame/ascii_case.h"

namespace util {
namespace {

bool startsWith(std::string_view text, std::string_view prefix, bool ignoreCase) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char a = text[i], b = prefix[i];
        if (ignoreCase ? asciiLower(a) != asciiLower(b) : a != b) return false;
    }
    return true;
}

bool matchFrom(std::string_view p, std::string_view n) {
    // Iterative match with one back-track point for the last "*".
    std::size_t pi = 0, ni = 0, starP = std::string_view::npos, starN = 0;
    while (ni < n.size()) {
        if (pi < p.size() && (p[pi] == '?' || asciiLower(p[pi]) == asciiLower(n[ni]))) {
            ++pi;
            ++ni;
        } else if (pi < p.size() && p[pi] == '*') {
            starP = pi++;
            starN = ni;
        } else if (starP != std::string_view::npos) {
            pi = starP + 1;
            ni = ++starN;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*') ++pi;
    return pi == p.size();
}

}  // namespace

std::string spoolStamp(const LocalTime& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%4d-%02d-%02d-%02d-%02d-%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return text;
}

std::string spoolName(std::string_view folder, std::string_view stamp, int number, std::string_view extension) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04d", number);
    std::string name(folder);
    name.append("\\").append(stamp).append("-").append(digits).append(".").append(extension);
    return name;
}

std::string spoolBase(std::string_view path) {
    std::size_t slash = path.find_last_of("\\/");
    std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) return std::string(path);
    return std::string(path.substr(0, dot));
}

std::string spoolPath(std::string_view base, std::string_view extension) {
    std::string path(base);
    path.append(".").append(extension);
    return path;
}

std::vector<FolderMessage> folderMessages(const std::vector<std::string>& fileNames) {
    auto lowered = [](std::string text) {
        for (char& c : text) c = asciiLower(c);
        return text;
    };
    const std::string messagePattern = "*." + std::string(kMessageExtension);
    const std::string holdPattern = "*." + std::string(kHoldExtension);
    std::unordered_set<std::string> held;
    for (const std::string& name : fileNames)
        if (wildcardMatch(holdPattern, name)) held.insert(lowered(spoolBase(name)));
    std::vector<FolderMessage> messages;
    for (const std::string& name : fileNames)
        if (wildcardMatch(messagePattern, name)) messages.push_back({name, held.count(lowered(spoolBase(name))) != 0});
    return messages;
}

bool wildcardMatch(std::string_view pattern, std::string_view name) {
    if (matchFrom(pattern, name)) return true;
    // "name.*" also finds "name", as the platform's find functions do.
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
        name.find('.') == std::string_view::npos)
        return matchFrom(pattern.substr(0, pattern.size() - 2), name);
    return false;
}

std::string envelopeFromLine(std::string_view address) {
    std::string line(kMailFromPrefix);
    line.append(" <").append(address).append(">\r\n");
    return line;
}

std::string envelopeRecipientLine(std::string_view address) {
    std::string line(kRcptToPrefix);
    line.append(" <").append(address).append(">\r\n");
    return line;
}

std::string envelopeText(std::string_view sender, const std::vector<std::string>& recipients) {
    std::string text = envelopeFromLine(sender);
    for (const std::string& r : recipients) text += envelopeRecipientLine(r);
    return text;
}

EnvelopeLine envelopeLineKind(std::string_view line, bool ignoreCase) {
    if (startsWith(line, kMailFromPrefix, ignoreCase)) return EnvelopeLine::Sender;
    if (startsWith(line, kRcptToPrefix, ignoreCase)) return EnvelopeLine::Recipient;
    return EnvelopeLine::Other;
}

}  // namespace util
