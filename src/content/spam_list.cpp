#include "content/spam_list.h"

namespace util::spam {

std::uint32_t hashWord(std::string_view foldedWord) {
    std::uint32_t h = 2166136261u;  // FNV-1a
    for (char c : foldedWord) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h;
}

std::string_view PhraseList::word(std::uint32_t entry, std::size_t k) const {
    return wordText(words_[entries_[entry].firstWord + k]);
}

void PhraseList::addLine(std::string_view line) { addEntry(splitWords(line, kMaxListWord)); }

void PhraseList::addEntry(const std::vector<std::string>& words) {
    if (words.empty()) return;
    Entry entry{static_cast<std::uint32_t>(words_.size()), static_cast<std::uint32_t>(words.size())};
    for (const std::string& w : words) {
        std::string_view cut = std::string_view(w).substr(0, kMaxListWord);
        words_.push_back({static_cast<std::uint32_t>(text_.size()), static_cast<std::uint32_t>(cut.size())});
        for (char c : cut) text_.push_back(asciiLower(c));
    }
    entries_.push_back(entry);
    index(static_cast<std::uint32_t>(entries_.size() - 1));
}

std::size_t PhraseList::findSlot(std::string_view key, std::uint32_t hash) const {
    std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& s = slots_[i];
        if (s.head == kNone) return i;
        if (s.hash == hash && word(s.head, 0) == key) return i;
    }
}

void PhraseList::grow() {
    std::vector<Slot> old;
    old.swap(slots_);
    slots_.assign(old.empty() ? 16 : old.size() * 2, Slot{});
    for (const Slot& s : old)
        if (s.head != kNone) slots_[findSlot(word(s.head, 0), s.hash)] = s;
}

void PhraseList::index(std::uint32_t entry) {
    if ((used_ + 1) * 2 > slots_.size()) grow();
    std::string_view key = word(entry, 0);
    std::uint32_t hash = hashWord(key);
    Slot& s = slots_[findSlot(key, hash)];
    if (s.head == kNone) {
        s = Slot{hash, entry, entry};
        ++used_;
    } else {
        entries_[s.tail].sameFirst = entry;
        s.tail = entry;
    }
}

std::uint32_t PhraseList::firstWith(std::string_view foldedKey) const {
    if (slots_.empty()) return kNone;
    return slots_[findSlot(foldedKey, hashWord(foldedKey))].head;
}

std::size_t loadListLines(PhraseList& list, ByteSource& file) {
    ByteReader reader(file);
    std::string line;
    bool hadLineEnd = false;
    std::size_t lines = 0;
    while (reader.nextLine(line, hadLineEnd)) {
        if (line.size() + (hadLineEnd ? 1 : 0) <= 1) break;
        list.addLine(line);
        ++lines;
    }
    return lines;
}

}  // namespace util::spam
