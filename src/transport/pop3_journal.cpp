#include "transport/pop3_journal.h"

#include "frame/ascii_case.h"

namespace util {
namespace {

bool plainField(std::string_view field) { return !field.empty() && field.find_first_of("\t\r\n") == std::string_view::npos; }

}  // namespace

bool journalWritable(const JournalEntry& entry) {
    return plainField(entry.host) && plainField(entry.user) && plainField(entry.uid);
}

std::string journalLine(const JournalEntry& entry) { return entry.host + '\t' + entry.user + '\t' + entry.uid + "\r\n"; }

std::vector<JournalEntry> parseJournal(std::string_view text) {
    std::vector<JournalEntry> entries;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::size_t first = line.find('\t');
        std::size_t second = first == std::string_view::npos ? first : line.find('\t', first + 1);
        if (second == std::string_view::npos) continue;
        JournalEntry entry{std::string(line.substr(0, first)), std::string(line.substr(first + 1, second - first - 1)),
                           std::string(line.substr(second + 1))};
        if (journalWritable(entry)) entries.push_back(std::move(entry));
    }
    return entries;
}

bool sameMailbox(const JournalEntry& entry, std::string_view host, std::string_view user) {
    return entry.user == user && equalsIgnoringCase(entry.host, host);
}

std::map<int, std::string> parseUidListing(const std::vector<std::string>& lines) {
    std::map<int, std::string> uids;
    for (std::string_view line : lines) {
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
        std::size_t gap = line.find(' ');
        if (gap == 0 || gap == std::string_view::npos || gap > 9) continue;
        int number = 0;
        bool digits = true;
        for (char c : line.substr(0, gap)) {
            if (c < '0' || c > '9') digits = false;
            number = number * 10 + (c - '0');
        }
        std::string_view uid = line.substr(gap + 1);
        while (!uid.empty() && uid.front() == ' ') uid.remove_prefix(1);
        if (digits && number > 0 && !uid.empty() && uid.find_first_of(" \t") == std::string_view::npos)
            uids[number] = std::string(uid);
    }
    return uids;
}

}  // namespace util
