#include <gtest/gtest.h>

#include "content/message_text.h"

using namespace util;

namespace {

LocalTime at(int year, int month, int day, int hour, int minute, int second, int weekday) {
    return {year, month, day, hour, minute, second, weekday};
}

}  // namespace

TEST(MessageText, IdentifierDigitsAtAKnownTime) {
    LocalTime t = at(2025, 12, 7, 9, 5, 7, 0);
    EXPECT_EQ(reminderIdDigits(t), "3410705073410907341");
    EXPECT_EQ(welcomeIdDigits(t), "34107050907341");
    // In a leap year the same date is a day later; early days keep 3 digits.
    EXPECT_EQ(reminderIdDigits(at(2024, 12, 7, 23, 59, 0, 6)), "3420059003422300342");
    EXPECT_EQ(welcomeIdDigits(at(2026, 1, 2, 0, 0, 9, 5)), "00209000009002");
    EXPECT_EQ(dateHeader(t, "-0500"), "Date: Sun, 07 Dec 2025 09:05:07 -0500");
}

TEST(MessageText, RecipientTokensAndEnvelopeAddresses) {
    EXPECT_EQ(addressTokens("Fred Bloggs <fred@example.org>, jane@example.net (Jane's desk)"),
              (std::vector<std::string>{"fred@example.org", "jane@example.net"}));
    EXPECT_EQ(addressTokens("\"a@b\"\t'c@d'\r\ne@f"), (std::vector<std::string>{"a@b", "c@d", "e@f"}));
    EXPECT_TRUE(addressTokens("nobody here").empty());

    EXPECT_EQ(extractAddress(" <fred@example.org>\n"), "fred@example.org");
    EXPECT_EQ(extractAddress(" \"x\" <y>"), "x");
    EXPECT_EQ(extractAddress(" <>"), " <>");
}

TEST(MessageText, ToLinesTwoAddressesEach) {
    EXPECT_EQ(toHeaderLines({"a@x"}), (std::vector<std::string>{"To: a@x"}));
    EXPECT_EQ(toHeaderLines({"a@x", "b@x", "c@x"}), (std::vector<std::string>{"To: a@x , b@x ,", "\tc@x"}));
    EXPECT_EQ(toHeaderLines({"a@x", "b@x", "c@x", "d@x"}),
              (std::vector<std::string>{"To: a@x , b@x ,", "\tc@x , d@x"}));
}
