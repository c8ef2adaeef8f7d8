#include "content/spam_match.h"

#include <algorithm>
#include <deque>
#include <string_view>

namespace util::spam {
namespace {

// The message's words: those pushed back after a failed entry come first,
// in their order, then the rest of the file.
class WordStream {
public:
    explicit WordStream(ByteSource& message) : reader_(message) {}

    bool next(std::string& word) {
        if (ahead_.empty()) return reader_.nextWord(word, kMaxMessageWord);
        word.swap(ahead_.front());
        ahead_.pop_front();
        return true;
    }

    // Word k after the current one, read from the file when not yet held;
    // null at the end of the file. Looking ahead consumes nothing.
    const std::string* peek(std::size_t k) {
        while (ahead_.size() <= k) {
            std::string w;
            if (!reader_.nextWord(w, kMaxMessageWord)) return nullptr;
            ahead_.push_back(std::move(w));
        }
        return &ahead_[k];
    }

private:
    ByteReader reader_;
    std::deque<std::string> ahead_;
};

// The further words of an entry against the words after the current one.
bool restMatches(const PhraseList& list, std::uint32_t entry, WordStream& words) {
    std::size_t n = list.wordCount(entry);
    for (std::size_t k = 1; k < n; ++k) {
        const std::string* w = words.peek(k - 1);
        if (!w || !equalsIgnoringCase(*w, list.word(entry, k))) return false;
    }
    return true;
}

std::string matchedText(const std::string& first, std::size_t further, WordStream& words) {
    std::string text = first;
    for (std::size_t k = 0; k < further && text.size() < kMaxMatchText; ++k) {
        text += ' ';
        text += *words.peek(k);
    }
    if (text.size() > kMaxMatchText) text.resize(kMaxMatchText);
    return text;
}

}  // namespace

bool matchMessage(const PhraseList& list, ByteSource& message, AtRule atRule, std::string* matched) {
    if (list.empty()) return false;
    WordStream words(message);
    std::string word;
    char folded[kMaxMessageWord];
    while (words.next(word)) {
        std::size_t length = word.size();
        std::size_t at = std::string_view::npos;
        for (std::size_t i = 0; i < length; ++i) {
            folded[i] = asciiLower(word[i]);
            if (folded[i] == '@' && at == std::string_view::npos) at = i;
        }
        std::string_view key(folded, length);
        // Entries that begin with the word itself, and (for the "@" rule)
        // those that begin with its "@" part; the two chains are walked
        // together in list order. A word that begins with "@" is its own
        // "@" part, already in the first chain.
        std::uint32_t plain = list.firstWith(key);
        std::uint32_t byDomain = PhraseList::kNone;
        if (atRule == AtRule::on && at != std::string_view::npos && at > 0 && length - at >= 2)
            byDomain = list.firstWith(key.substr(at));
        while (plain != PhraseList::kNone || byDomain != PhraseList::kNone) {
            std::uint32_t entry;
            if (byDomain == PhraseList::kNone || (plain != PhraseList::kNone && plain < byDomain)) {
                entry = plain;
                plain = list.nextWithSameFirst(plain);
            } else {
                entry = byDomain;
                byDomain = list.nextWithSameFirst(byDomain);
            }
            if (restMatches(list, entry, words)) {
                if (matched) *matched = matchedText(word, list.wordCount(entry) - 1, words);
                return true;
            }
        }
    }
    return false;
}

}  // namespace util::spam
