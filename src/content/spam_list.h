// A spam list or the scanner's phrases: entries (word sequences) in list
// order, indexed by their case-folded first word so that a message word
// that begins no entry costs one look-up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "content/spam_words.h"

namespace util::spam {

class PhraseList {
public:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;

    // Appends one entry made of the words of a list line or phrase; a
    // line without words adds nothing.
    void addLine(std::string_view line);
    void addEntry(const std::vector<std::string>& words);

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    std::size_t wordCount(std::uint32_t entry) const { return entries_[entry].count; }
    // Word k of an entry, case-folded.
    std::string_view word(std::uint32_t entry, std::size_t k) const;

    // The first entry, in list order, whose first word equals the folded
    // key; kNone when none does.
    std::uint32_t firstWith(std::string_view foldedKey) const;
    // The next entry after this one with the same first word.
    std::uint32_t nextWithSameFirst(std::uint32_t entry) const { return entries_[entry].sameFirst; }

private:
    struct Word {
        std::uint32_t offset;
        std::uint32_t length;
    };
    struct Entry {
        std::uint32_t firstWord;
        std::uint32_t count;
        std::uint32_t sameFirst = kNone;
    };
    // One slot per distinct first word: the first and the last entry that
    // begin with it.
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t head = kNone;
        std::uint32_t tail = kNone;
    };

    std::string_view wordText(const Word& w) const { return std::string_view(text_).substr(w.offset, w.length); }
    std::size_t findSlot(std::string_view key, std::uint32_t hash) const;
    void grow();
    void index(std::uint32_t entry);

    std::string text_;  // the folded words, end to end
    std::vector<Word> words_;
    std::vector<Entry> entries_;
    std::vector<Slot> slots_;  // open addressing, size a power of two
    std::size_t used_ = 0;
};

std::uint32_t hashWord(std::string_view foldedWord);

// Reads a list file: one entry a line, up to the first line whose length,
// line end included, is at most one character (a blank line ends the
// list), or the end of the file. Returns the number of lines read.
std::size_t loadListLines(PhraseList& list, ByteSource& file);

}  // namespace util::spam
