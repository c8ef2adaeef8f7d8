// The matching rule read the plain way, for checking the indexed matcher:
// every entry is tried at every message word, words taken for a failed
// entry go back onto a queue, and nothing is shared with the engine.
#pragma once

#include <cstring>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace spam_reference {

inline bool delimiter(unsigned char c) {
    static const char set[] = " \t\r\n.,-;:\\\"'&()!\xA3$%^*=+{}[]|";
    return c == 0 || std::memchr(set, c, sizeof set - 1) != nullptr;
}

inline std::vector<std::string> words(const std::string& text, std::size_t limit) {
    std::vector<std::string> out;
    std::string w;
    bool inWord = false;
    for (unsigned char c : text) {
        if (delimiter(c)) {
            if (inWord) out.push_back(w);
            w.clear();
            inWord = false;
        } else {
            if (w.size() < limit) w += static_cast<char>(c);
            inWord = true;
        }
    }
    if (inWord) out.push_back(w);
    return out;
}

inline bool same(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
        if (x != y) return false;
    }
    return true;
}

// Entries as list lines; returns the matched text or nothing.
inline std::optional<std::string> match(const std::vector<std::string>& lines, const std::string& message,
                                        bool atRule) {
    std::vector<std::vector<std::string>> entries;
    for (const std::string& line : lines) {
        auto e = words(line, 255);
        if (!e.empty()) entries.push_back(e);
    }
    std::vector<std::string> file = words(message, 254);
    std::size_t filePos = 0;
    std::deque<std::string> queue;
    auto take = [&](std::string& w) {
        if (!queue.empty()) {
            w = queue.front();
            queue.pop_front();
            return true;
        }
        if (filePos == file.size()) return false;
        w = file[filePos++];
        return true;
    };
    std::string word;
    while (take(word)) {
        for (const auto& entry : entries) {
            const std::string& first = entry[0];
            bool firstOk = same(first, word);
            std::size_t at = word.find('@');
            if (!firstOk && atRule && first.size() >= 2 && first[0] == '@' && at != std::string::npos)
                firstOk = same(word.substr(at), first);
            if (!firstOk) continue;
            std::vector<std::string> taken;
            bool ok = true;
            for (std::size_t k = 1; k < entry.size() && ok; ++k) {
                std::string next;
                if (!take(next)) {
                    ok = false;
                    break;
                }
                taken.push_back(next);
                ok = same(entry[k], next);
            }
            if (ok) {
                std::string text = word;
                for (const auto& t : taken) text += " " + t;
                if (text.size() > 4095) text.resize(4095);
                return text;
            }
            for (auto it = taken.rbegin(); it != taken.rend(); ++it) queue.push_front(*it);
        }
    }
    return std::nullopt;
}

}  // namespace spam_reference
