// Matching a message against a phrase list. The message is one stream of
// words that runs on across line ends; an entry matches where its words
// occur one after another, compared without regard to case. The first
// entry in list order that matches at the earliest message word wins.
#pragma once

#include <string>

#include "content/spam_list.h"
#include "content/spam_words.h"

namespace util::spam {

enum class AtRule {
    // Scanner phrases: word by word only.
    off,
    // Spam lists: an entry whose first word is "@" and at least one more
    // character also matches a message word whose part from its first "@"
    // equals it ("@example" matches "anyone@example").
    on,
};

// Streams the message once. On a match fills matched (when given) with the
// matched message words joined by single spaces, cut to kMaxMatchText
// characters, and returns true.
bool matchMessage(const PhraseList& list, ByteSource& message, AtRule atRule, std::string* matched);

}  // namespace util::spam
