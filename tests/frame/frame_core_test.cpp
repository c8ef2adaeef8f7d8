// The frame's portable rules: paths, time-zone offsets, event lines and the
// password scrambler.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "frame/crypt.h"
#include "frame/event_line.h"
#include "frame/help_topics.h"
#include "frame/paths.h"
#include "frame/tz_offset.h"

using namespace util;

TEST(ConfigPath, DriveRootFolderOrdinaryFolderAndTrailingBackslash) {
    EXPECT_EQ(configPathFor("C:\\"), "C:\\ms.ini");
    EXPECT_EQ(configPathFor("C:\\mail"), "C:\\mail\\ms.ini");
    EXPECT_EQ(configPathFor("C:\\mail\\"), "C:\\mail\\\\ms.ini");
    EXPECT_EQ(configPathFor(""), "\\ms.ini");
    EXPECT_EQ(eventLogPathFor("D:\\", false), "D:\\event log\\events.txt");
    EXPECT_EQ(eventLogPathFor("D:\\srv", true), "D:\\srv\\event log\\events.tmp");
}

TEST(CopyToBuffer, CutsToFitAndCountsTheTerminator) {
    char buffer[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(copyToBuffer("abcdef", buffer, sizeof buffer), 4u);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(copyToBuffer("", buffer, sizeof buffer), 1u);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(copyToBuffer("abc", nullptr, 4), 0u);
}

TEST(TzOffset, StandardDaylightUnknownAndFailed) {
    // 5 hours behind UTC, daylight bias -60.
    EXPECT_EQ(tzOffsetHours(TzPeriod::Standard, 300, -60), -5);
    EXPECT_EQ(tzOffsetHours(TzPeriod::Daylight, 300, -60), -4);
    // 10 hours ahead.
    EXPECT_EQ(tzOffsetHours(TzPeriod::Standard, -600, -60), 10);
    // 5:30 ahead: minutes dropped by truncation toward zero.
    EXPECT_EQ(tzOffsetHours(TzPeriod::Standard, -330, 0), 5);
    // 3:30 behind.
    EXPECT_EQ(tzOffsetHours(TzPeriod::Standard, 210, -60), -3);
    EXPECT_EQ(tzOffsetHours(TzPeriod::Daylight, 210, -60), -2);
    // A zone without daylight time is reported as unknown: its standard bias holds.
    EXPECT_EQ(tzOffsetHours(TzPeriod::Unknown, -540, 0), 9);
    EXPECT_EQ(tzOffsetHours(TzPeriod::Failed, -540, 0), 0);
}

TEST(TzOffset, FormatsEachRange) {
    EXPECT_EQ(formatTzOffset(0), "+0000");
    EXPECT_EQ(formatTzOffset(1), "+0100");
    EXPECT_EQ(formatTzOffset(9), "+0900");
    EXPECT_EQ(formatTzOffset(10), "+1000");
    EXPECT_EQ(formatTzOffset(14), "+1400");
    EXPECT_EQ(formatTzOffset(-1), "-0100");
    EXPECT_EQ(formatTzOffset(-5), "-0500");
    EXPECT_EQ(formatTzOffset(-9), "-0900");
    EXPECT_EQ(formatTzOffset(-10), "-1000");
    EXPECT_EQ(formatTzOffset(-12), "-1200");
}

namespace {
LocalTime at(int y, int mo, int d, int h, int mi, int s, int wd) {
    return {y, mo, d, h, mi, s, wd};
}
}  // namespace

TEST(EventLine, ListLineFormatAndLineBreaks) {
    LocalTime t = at(2026, 12, 7, 8, 5, 9, 1);
    EXPECT_EQ(eventListLine("Connected", t), "Connected\t7 Dec 2026\t08:05:09");
    EXPECT_EQ(eventListLine("first\r\nsecond", t), "first\t7 Dec 2026\t08:05:09");
    EXPECT_EQ(eventListLine("a\rb\nc", t), "a\t7 Dec 2026\t08:05:09");
    EXPECT_EQ(eventListLine("", t), "\t7 Dec 2026\t08:05:09");
}

TEST(EventLine, LongTextFitsWithItsTimeStamp) {
    LocalTime t = at(2026, 12, 17, 23, 59, 59, 4);
    std::string text(2000, 'x');
    std::string list = eventListLine(text, t);
    EXPECT_EQ(list.size(), kMaxEventLine);
    EXPECT_EQ(list.substr(list.size() - 21), "\t17 Dec 2026\t23:59:59");
    std::string file = eventFileLine(text, t);
    EXPECT_EQ(file.size(), kMaxEventLine);
    EXPECT_EQ(file.substr(0, 27), "Thu Dec 17 23:59:59 2026 : ");
    EXPECT_EQ(file.substr(file.size() - 3), "x\r\n");
}

TEST(EventLine, FileLineKeepsTextUnchanged) {
    LocalTime t = at(2027, 1, 3, 0, 0, 7, 0);
    EXPECT_EQ(cDateText(t), "Sun Jan 03 00:00:07 2027");
    EXPECT_EQ(eventFileLine("one\r\ntwo", t), "Sun Jan 03 00:00:07 2027 : one\r\ntwo\r\n");
    EXPECT_EQ(eventFileLine("", t), "Sun Jan 03 00:00:07 2027 : \r\n");
}

TEST(Crypt, EmptySpacesAndLength) {
    EXPECT_EQ(crypt(kSystemKey, "", true), "");
    std::string s = crypt(kSystemKey, "a b", true);
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[1], ' ');
    EXPECT_EQ(crypt(kSystemKey, s, false), "a b");
    EXPECT_EQ(crypt(kSystemKey, "a b", false)[1], ' ');
}

TEST(Crypt, KnownValuesFollowTheTables) {
    // Key "qelvoran": A begins "qelvoran" then "!\"#..." in order. Position 0
    // uses the row starting at 'R'; 'q' is A[0] so it scrambles to 'R'.
    EXPECT_EQ(crypt(kSystemKey, "q", true), "R");
    // Position 1 starts at 'q': A[1] = 'e' maps to the row's entry 1, 'r'.
    EXPECT_EQ(crypt(kSystemKey, "qe", true), "Rr");
    // '!' is A[8]: row 0 entry 8 is 'R' + 8 = 'Z'.
    EXPECT_EQ(crypt(kSystemKey, "!", true), "Z");
    // Entry j of a row wraps around the 94 characters: '~' (A[93]) at
    // position 0 is 'R' + 93 - 94 = 'Q'.
    EXPECT_EQ(crypt(kSystemKey, "~", true), "Q");
}

TEST(Crypt, RoundTripsEveryPrintableStringAndRepeatsEveryEighth) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 500; ++trial) {
        std::string text;
        int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i) text += static_cast<char>(32 + random() % 95);
        std::string key = trial % 2 ? "ALICE42" : kSystemKey;
        std::string stored = crypt(key, text, true);
        ASSERT_EQ(stored.size(), text.size());
        EXPECT_EQ(crypt(key, stored, false), text) << text;
    }
    std::string nine = crypt(kSystemKey, "ggggggggg", true);
    EXPECT_EQ(nine[0], nine[8]);
    EXPECT_NE(nine[0], nine[1]);
}

TEST(Crypt, CharactersOutsideTheAlphabetPassThrough) {
    std::string text = "a\tb\x01\xe9";
    std::string stored = crypt(kSystemKey, text, true);
    EXPECT_EQ(stored[1], '\t');
    EXPECT_EQ(stored[3], '\x01');
    EXPECT_EQ(stored[4], '\xe9');
    EXPECT_EQ(crypt(kSystemKey, stored, false), text);
}

TEST(Crypt, InPlaceOnTheSameBuffer) {
    char buffer[] = "secret pw";
    cryptInPlace(kSystemKey, buffer, buffer, true);
    EXPECT_EQ(std::string(buffer), crypt(kSystemKey, "secret pw", true));
    cryptInPlace(kSystemKey, buffer, buffer, false);
    EXPECT_STREQ(buffer, "secret pw");
}

TEST(HelpTopics, TheViewerGetsOneArgumentEvenForATopicWithASpace) {
    EXPECT_EQ(help::topicParameter("incoming.htm"), "tarnmail.chm::incoming.htm");
    EXPECT_EQ(help::topicParameter("address lists.htm"), "\"tarnmail.chm::address lists.htm\"");
}
