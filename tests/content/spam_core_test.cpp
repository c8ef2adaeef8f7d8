// The phrase matcher: words and delimiters, the "@" rule, list files, the
// order rules, and the indexed matcher against the rule read the plain way.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "content/spam_list.h"
#include "content/spam_match.h"
#include "content/spam_reference.h"

using namespace util::spam;
using namespace std::string_literals;

namespace {

// Hands out at most `chunk` bytes a read, so that words and lines cross
// every buffer edge.
class ChunkSource final : public ByteSource {
public:
    ChunkSource(std::string bytes, std::size_t chunk) : bytes_(std::move(bytes)), chunk_(chunk) {}
    std::size_t read(char* buffer, std::size_t size) override {
        std::size_t n = std::min({size, chunk_, bytes_.size() - pos_});
        bytes_.copy(buffer, n, pos_);
        pos_ += n;
        return n;
    }

private:
    std::string bytes_;
    std::size_t chunk_;
    std::size_t pos_ = 0;
};

PhraseList listOf(const std::vector<std::string>& lines) {
    PhraseList list;
    for (const auto& line : lines) list.addLine(line);
    return list;
}

// The matched text, or "-" for no match.
std::string run(const std::vector<std::string>& lines, const std::string& message, AtRule rule = AtRule::on,
                std::size_t chunk = 1 << 20) {
    PhraseList list = listOf(lines);
    ChunkSource source(message, chunk);
    std::string matched;
    return matchMessage(list, source, rule, &matched) ? matched : "-";
}

TEST(SpamMatch, PunctuationCaseAndLineEndsAreIgnored) {
    EXPECT_EQ(run({"free money"}, "Get FREE, money! now"), "FREE money");
    EXPECT_EQ(run({"free money"}, "Subject: all for free\r\nmoney back\r\n"), "free money");
    EXPECT_EQ(run({"Free-Money"}, "free\tMONEY"), "free MONEY");
    EXPECT_EQ(run({"free money"}, "free monkey money"), "-");
    // The pound sign and a NUL byte separate words; "#", "_" and digits do not.
    EXPECT_EQ(run({"100 off"}, "only \xA3" "100\0off"s), "100 off");
    EXPECT_EQ(run({"100"}, "#100 _100 1000"), "-");
}

TEST(SpamMatch, FullAddressIsSplitAtItsDots) {
    std::vector<std::string> list = {"joe@example.com"};
    EXPECT_EQ(run(list, "From: joe@example.com\r\n"), "joe@example com");
    EXPECT_EQ(run(list, "reply to JOE@Example.COM today"), "JOE@Example COM");
    // Angle brackets belong to the words.
    EXPECT_EQ(run(list, "From: Joe <joe@example.com>\r\n"), "-");
}

TEST(SpamMatch, DomainEntryMatchesAnyMailboxAtIt) {
    std::vector<std::string> list = {"@example.com"};
    EXPECT_EQ(run(list, "From: anyone@Example.com\r\n"), "anyone@Example com");
    EXPECT_EQ(run(list, "write to x@example.com, please"), "x@example com");
    EXPECT_EQ(run(list, "from me@example.org"), "-");
    EXPECT_EQ(run(list, "<x@example.com>"), "-");
    // Only from the first "@" of the message word.
    EXPECT_EQ(run(list, "a@b@example.com"), "-");
    // The scanner compares word by word only.
    EXPECT_EQ(run(list, "anyone@example.com", AtRule::off), "-");
    EXPECT_EQ(run(list, "@EXAMPLE.com", AtRule::off), "@EXAMPLE com");
    // An address entry and a domain entry at one word keep list order.
    EXPECT_EQ(run({"@example org", "bob@example"}, "bob@example org"), "bob@example org");
    EXPECT_EQ(run({"bob@example", "@example org"}, "bob@example org"), "bob@example");
    // "@" alone is an ordinary word.
    EXPECT_EQ(run({"@"}, "me@x you@ @y"), "-");
    EXPECT_EQ(run({"@"}, "me @ x"), "@");
}

TEST(SpamMatch, EarliestMessageWordThenListOrderWins) {
    EXPECT_EQ(run({"money", "free"}, "free money"), "free");
    EXPECT_EQ(run({"free", "free money"}, "free money"), "free");
    EXPECT_EQ(run({"free money", "free"}, "free money"), "free money");
    // Words taken for a failed entry are given back in their order.
    EXPECT_EQ(run({"x y z", "y q"}, "x y q"), "y q");
    EXPECT_EQ(run({"a a b"}, "a a a b"), "a a b");
    // The end of the message in the middle of an entry is a mismatch.
    EXPECT_EQ(run({"free money now", "money"}, "free money"), "money");
    EXPECT_EQ(run({"at the end"}, "at the"), "-");
    EXPECT_EQ(run({}, "anything"), "-");
    EXPECT_EQ(run({"x"}, ""), "-");
}

TEST(SpamMatch, WordAndMatchedTextLimits) {
    std::string longRun(300, 'w');
    // A message word keeps 254 characters, a list word 255.
    EXPECT_EQ(run({std::string(254, 'W')}, "a " + longRun + " b"), std::string(254, 'w'));
    EXPECT_EQ(run({longRun}, longRun), "-");
    // A long message line is not split into pieces: a word across any
    // piece edge stays whole.
    std::string line(8188, 'z');
    EXPECT_EQ(run({"free money"}, line + " free money " + line + "\r\n"), "free money");
    // The matched text stops at 4095 characters.
    std::string phrase;
    for (int i = 0; i < 20; ++i) phrase += std::string(250, static_cast<char>('a' + i)) + " ";
    std::string matched = run({phrase}, "go " + phrase + "!");
    ASSERT_EQ(matched.size(), 4095u);
    EXPECT_EQ(matched.substr(0, 251), std::string(250, 'a') + " ");
    // Nothing is written when the caller passes no buffer.
    PhraseList list = listOf({"x"});
    MemorySource source("x");
    EXPECT_TRUE(matchMessage(list, source, AtRule::on, nullptr));
}

TEST(SpamList, FileStopsAtItsFirstBlankLine) {
    PhraseList list;
    MemorySource file("free money\r\ncheap pills\r\n\r\nlost entry\r\n");
    EXPECT_EQ(loadListLines(list, file), 2u);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.word(1, 1), "pills");

    // A line of one character and its line end is an entry; without a line
    // end at the end of the file it is not.
    PhraseList single;
    MemorySource singles("x\ny\r\nz");
    EXPECT_EQ(loadListLines(single, singles), 2u);
    EXPECT_EQ(single.size(), 2u);

    // A line of delimiters only adds no entry but does not end the list.
    PhraseList gaps;
    MemorySource gapped("a\r\n, ;\r\nbb");
    EXPECT_EQ(loadListLines(gaps, gapped), 3u);
    EXPECT_EQ(gaps.size(), 2u);
}

TEST(SpamList, LongLineStaysOneEntry) {
    // A line longer than any read piece is still one entry: its words are
    // neither cut in two nor spread over several entries.
    std::string line;
    for (int i = 0; i < 400; ++i) line += "w" + std::to_string(i) + " ";
    PhraseList list;
    ChunkSource file(line + "\r\nnext\r\n", 7);
    EXPECT_EQ(loadListLines(list, file), 2u);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list.wordCount(0), 400u);
    EXPECT_EQ(run({line}, "w0 w1 w2"), "-");
}

TEST(SpamList, IndexKeepsListOrderPerFirstWord) {
    std::vector<std::string> lines;
    for (int i = 0; i < 5000; ++i) lines.push_back("k" + std::to_string(i % 700) + " v" + std::to_string(i));
    PhraseList list = listOf(lines);
    ASSERT_EQ(list.size(), 5000u);
    std::uint32_t e = list.firstWith("k42");
    std::vector<std::uint32_t> chain;
    for (; e != PhraseList::kNone; e = list.nextWithSameFirst(e)) chain.push_back(e);
    std::vector<std::uint32_t> expected;
    for (std::uint32_t i = 42; i < 5000; i += 700) expected.push_back(i);
    EXPECT_EQ(chain, expected);
    EXPECT_EQ(list.firstWith("k700"), PhraseList::kNone);
    EXPECT_EQ(run(lines, "k1 v4902 k41 v4941"), "k41 v4941");
}

// Random lists and messages over a small vocabulary rich in near misses:
// the indexed matcher gives the plain rule's answer, whatever the chunking.
TEST(SpamMatch, IndexedMatcherAgreesWithPlainRule) {
    const std::vector<std::string> vocabulary = {
        "free", "FREE", "Money", "money", "x", "win", "a@b", "bob@Example", "@example", "@EXAMPLE", "@",
        "example", "com", "lot@", "@x", "q", "zz@example", "<x@example", "b@", "w\xE9", "W\xC9"};
    const std::vector<std::string> gaps = {" ", "\r\n", ", ", "!", ".", "\t", "\xA3", "--", std::string(1, '\0'),
                                           "\n\n", " (", "\"'"};
    std::mt19937 random(20261207);
    auto pick = [&](const std::vector<std::string>& from) { return from[random() % from.size()]; };
    int matches = 0;
    for (int round = 0; round < 4000; ++round) {
        std::vector<std::string> lines(random() % 10);
        for (auto& line : lines) {
            int n = static_cast<int>(random() % 4);
            for (int i = 0; i < n; ++i) line += (i ? pick(gaps) : "") + pick(vocabulary);
        }
        std::string message;
        int words = static_cast<int>(random() % 40);
        for (int i = 0; i < words; ++i) message += pick(gaps) + pick(vocabulary);
        AtRule rule = round % 3 ? AtRule::on : AtRule::off;
        auto expected = spam_reference::match(lines, message, rule == AtRule::on);
        std::string got = run(lines, message, rule, 1 + random() % 9);
        ASSERT_EQ(got, expected.value_or("-")) << "round " << round;
        matches += expected.has_value();
    }
    // The draw must exercise both outcomes to mean anything.
    EXPECT_GT(matches, 1000);
    EXPECT_LT(matches, 3500);
}

}  // namespace
