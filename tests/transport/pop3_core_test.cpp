// The POP3 client's portable rules: the end-of-data scanner under every
// split of the answer into blocks, reply reading, and the texts written.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "transport/pop3_journal.h"
#include "transport/pop3_reply.h"
#include "transport/pop3_scanner.h"
#include "transport/pop3_text.h"

using namespace util;

namespace {

struct Scanned {
    std::string data;
    bool ended = false;
    int statusEnds = 0;
    std::size_t consumed = 0;  // answer bytes taken from the wire, the pending line feed included
};

// Feeds the answer in blocks cut at the given positions, as the download
// does: a carriage return that ends a block after the end-of-data dot
// makes it take one more byte.
Scanned scanInBlocks(const std::string& answer, bool unstuff, const std::vector<std::size_t>& cuts) {
    Scanned result;
    int state = kScanStatusLine;
    std::size_t from = 0;
    std::vector<std::size_t> ends = cuts;
    ends.push_back(answer.size());
    for (std::size_t end : ends) {
        if (end < from) continue;
        std::string out(end - from + kScanOutputSlack, '\0');
        Pop3ScanStep step = scanPop3Block(state, unstuff, answer.data() + from, end - from, out.data());
        result.data.append(out.data(), step.length);
        result.statusEnds += step.statusEnded;
        result.consumed = end;
        from = end;
        if (step.ended) {
            result.ended = true;
            if (step.lineFeedPending && end < answer.size()) result.consumed = end + 1;
            break;
        }
    }
    return result;
}

struct Row {
    const char* name;
    std::string answer;
    bool unstuff;
    std::string data;
    bool ended;
};

const std::vector<Row>& rows() {
    static const std::vector<Row> table = {
        {"plain", "+OK 12 octets\r\nSubject: x\r\n\r\nbody\r\n.\r\n", true, "Subject: x\r\n\r\nbody\r\n", true},
        {"empty", "+OK\r\n.\r\n", true, "", true},
        {"stuffed single dot", "+OK\r\na\r\n..\r\nb\r\n.\r\n", true, "a\r\n.\r\nb\r\n", true},
        {"stuffed leading dots", "+OK\r\n...x\r\n..\r\n.\r\n", true, "..x\r\n.\r\n", true},
        {"stuffing kept for TOP and LIST", "+OK\r\n..\r\n.x\r\n.\r\n", false, "..\r\n.x\r\n", true},
        {"dot inside a line", "+OK\r\na.\r\nb .\r\n.\r\n", true, "a.\r\nb .\r\n", true},
        {"bare line feeds", "+OK\n1 20\n2 30\n.\r\n", false, "1 20\n2 30\n", true},
        {"eighth bit is data", "+OK\r\n\xAE\x8D\r\n\xAE.x\r\n\x8A.\r\n.\r\n", true, "\xAE\x8D\r\n\xAE.x\r\n\x8A.\r\n", true},
        {"bytes after the end ignored", "+OK\r\nx\r\n.\r\n+OK next\r\n", true, "x\r\n", true},
        {"cut before the end", "+OK\r\nline\r\n.", true, "line\r\n", false},
        {"cut inside the status line", "+OK still", true, "", false},
        {"dot and line feed is no end", "+OK\r\n.\nx\r\n.\r\n", true, ".\nx\r\n", true},
        {"end after a lone dot ended by a line feed", "+OK\r\nx\r\n.\n.\r\n", true, "x\r\n.\n", true},
        {"lone dots and line feeds, unstuffed or not", "+OK\n.\n.\n..\n.\r\n", false, ".\n.\n..\n", true},
    };
    return table;
}

}  // namespace

TEST(Pop3Scanner, EveryRowWholeByteByByteAndAtEverySplit) {
    for (const Row& row : rows()) {
        SCOPED_TRACE(row.name);
        Scanned whole = scanInBlocks(row.answer, row.unstuff, {});
        EXPECT_EQ(whole.data, row.data);
        EXPECT_EQ(whole.ended, row.ended);
        EXPECT_EQ(whole.statusEnds, row.answer.find('\n') == std::string::npos ? 0 : 1);

        std::vector<std::size_t> everyByte;
        for (std::size_t i = 1; i < row.answer.size(); ++i) everyByte.push_back(i);
        Scanned bytes = scanInBlocks(row.answer, row.unstuff, everyByte);
        EXPECT_EQ(bytes.data, row.data);
        EXPECT_EQ(bytes.ended, row.ended);

        for (std::size_t a = 0; a <= row.answer.size(); ++a) {
            for (std::size_t b = a; b <= row.answer.size(); ++b) {
                Scanned split = scanInBlocks(row.answer, row.unstuff, {a, b});
                ASSERT_EQ(split.data, row.data) << "cut at " << a << " and " << b;
                ASSERT_EQ(split.ended, row.ended) << "cut at " << a << " and " << b;
            }
        }
    }
}

TEST(Pop3Scanner, TheEndLinesLineFeedIsTakenWhenTheBlockEndsAtItsCarriageReturn) {
    const std::string answer = "+OK\r\nlast\r\n.\r\n";
    const std::size_t dot = answer.size() - 3;
    // Block ends after the dot: the next block holds CR LF and nothing is left.
    Scanned afterDot = scanInBlocks(answer, true, {dot + 1});
    EXPECT_EQ(afterDot.data, "last\r\n");
    EXPECT_EQ(afterDot.consumed, answer.size());
    // Block ends after the CR: one more byte, the LF, is read and dropped.
    Scanned afterReturn = scanInBlocks(answer, true, {dot + 2});
    EXPECT_EQ(afterReturn.data, "last\r\n");
    EXPECT_EQ(afterReturn.consumed, answer.size());

    int state = kScanLineStart;
    char out[4];
    Pop3ScanStep step = scanPop3Block(state, true, ".\r", 2, out);
    EXPECT_TRUE(step.ended);
    EXPECT_TRUE(step.lineFeedPending);
    step = scanPop3Block(state, true, ".\r\n", 3, out);
    EXPECT_FALSE(step.ended) << "nothing more is scanned once the end was seen";
    EXPECT_EQ(step.length, 0u);
}

TEST(Pop3Reply, StatCountsAndListSizes) {
    EXPECT_EQ(pop3StatCount("+OK 3 1234\r\n"), 3);
    EXPECT_EQ(pop3StatCount("+OK 3\r\n"), 3);
    EXPECT_EQ(pop3StatCount("+OK  7   90\r\n"), 7);
    EXPECT_EQ(pop3StatCount("+OK\r\n"), 0);
    EXPECT_EQ(pop3StatCount("+OK mailbox\r\n"), 0);
    EXPECT_EQ(pop3StatCount("+OK -4 1\r\n"), 0);
    EXPECT_EQ(pop3StatCount("+OK 99999999999 1\r\n"), 2147483647);

    EXPECT_EQ(pop3ListSize("+OK 1 2345\r\n"), 2345u);
    EXPECT_EQ(pop3ListSize("+OK 2 0\r\n"), 0u);
    EXPECT_EQ(pop3ListSize("+OK 12 345 octets\r\n"), 345u);
    EXPECT_FALSE(pop3ListSize("+OK\r\n").has_value());
    EXPECT_EQ(pop3ListSize("+OK 1 4294967295\r\n"), 4294967295u);
    EXPECT_EQ(pop3ListSize("+OK 1 4294967296\r\n"), 4294967295u) << "stops at the largest value";
    EXPECT_EQ(pop3ListSize("+OK 1 " + std::string(40, '9') + "\r\n"), 4294967295u);

    EXPECT_TRUE(pop3Accepted("+OK"));
    EXPECT_FALSE(pop3Accepted("-ERR +OK"));
    EXPECT_FALSE(pop3Accepted(""));
    EXPECT_EQ(pop3ShownLine("-ERR no such message\r\n"), "-ERR no such message");
}

TEST(Pop3Text, ProgressGroupsDigitsByTheTotalAndTheBytesReceived) {
    EXPECT_EQ(pop3ProgressText(3, 5000, 1234567), "Downloading 3 (5,000 of 1,234,567)...");
    EXPECT_EQ(pop3ProgressText(3, 512, 1234567), "Downloading 3 (512 of 1,234,567)...");
    EXPECT_EQ(pop3ProgressText(3, 1200300, 1234567), "Downloading 3 (1,200,300 of 1,234,567)...");
    EXPECT_EQ(pop3ProgressText(1, 0, 45000), "Downloading 1 (0 of 45,000)...");
    EXPECT_EQ(pop3ProgressText(1, 512, 45000), "Downloading 1 (0,512 of 45,000)...");
    EXPECT_EQ(pop3ProgressText(1, 4096, 45000), "Downloading 1 (4,096 of 45,000)...");
    EXPECT_EQ(pop3ProgressText(1, 45000, 45000), "Downloading 1 (45000 of 45000)...");
    EXPECT_EQ(pop3ProgressText(2, 46000, 45000), "Downloading 2 (46000 of 45000)...");
    EXPECT_EQ(pop3ProgressText(2, 0, 512), "Downloading 2 (0 of 0,512)...");
    EXPECT_EQ(pop3ProgressText(7, 0, 3000000), "Downloading 7 (0 of 3,000,000)...");
}

TEST(Pop3Text, HeaderRecordAndWarningTexts) {
    EXPECT_EQ(receivedHeader("pop.example.net", "jo", "Tarnmail", "4.1", "Mon Dec 07 08:05:09 2026"),
              "Received: from <pop.example.net> id=jo\r\n\tby Tarnmail v4.1 on Mon Dec 07 08:05:09 2026\r\n");
    EXPECT_EQ(checkRecordLine(12, "a", "pop.example.net", ""), "\1\1\1\1N12\1a\1pop.example.net\1\r\n");
    EXPECT_EQ(checkUserLine("jo"), "X-user: jo\r\n");
    EXPECT_TRUE(kWarningLeftText.starts_with("\r\n\r\nThis message was not downloaded"));
    EXPECT_TRUE(kWarningRemovedText.ends_with("removed from the ISP's server..."));

    EXPECT_FALSE(exceedsDownloadLimit(2000000, 2));
    EXPECT_TRUE(exceedsDownloadLimit(2000001, 2));
    EXPECT_FALSE(exceedsDownloadLimit(4294967295u, 5000)) << "no overflow of the limit";
    EXPECT_TRUE(exceedsDownloadLimit(1, 0));
}

TEST(Pop3Journal, EntriesRoundTripAndOddLinesAreLeftOut) {
    const JournalEntry kept{"Pop.Example.NET", "jo", "whqtswO00WBw418f9t5JxYwZ"};
    const std::string text = journalLine(kept) + "not an entry\r\n\tno host\tuid\r\n" +
                             journalLine({"pop.other.net", "ann", "17"}) + "pop.example.net\tjo\tlast-without-line-end";
    const std::vector<JournalEntry> entries = parseJournal(text);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].uid, kept.uid);
    EXPECT_EQ(entries[2].uid, "last-without-line-end");
    EXPECT_TRUE(sameMailbox(entries[0], "pop.example.net", "jo")) << "host in any case";
    EXPECT_FALSE(sameMailbox(entries[0], "pop.example.net", "Jo")) << "the user exactly";
    EXPECT_FALSE(sameMailbox(entries[1], "pop.example.net", "ann"));
    EXPECT_FALSE(journalWritable({"pop.example.net", "jo\tx", "1"}));
    EXPECT_FALSE(journalWritable({"pop.example.net", "jo", ""}));
}

TEST(Pop3Journal, TheUidListingGivesEachNumbersId) {
    const std::map<int, std::string> uids =
        parseUidListing({"1 whqtswO00WBw418f9t5JxYwZ\r\n", "2  QhdPYR:00WBw1Ph7x7\r\n", "x 5\r\n", "3\r\n",
                         "4 two words\r\n", "12 last\n"});
    EXPECT_EQ(uids, (std::map<int, std::string>{{1, "whqtswO00WBw418f9t5JxYwZ"}, {2, "QhdPYR:00WBw1Ph7x7"}, {12, "last"}}));
}
