// The spool family's portable rules: unique names, base names, wild-card
// matching by long names, envelope lines.
#include <gtest/gtest.h>

#include "frame/spool_names.h"

using namespace util;

TEST(SpoolNames, StampAndSequenceNumber) {
    LocalTime t;
    t.year = 2026;
    t.month = 3;
    t.day = 7;
    t.hour = 8;
    t.minute = 5;
    t.second = 9;
    EXPECT_EQ(spoolStamp(t), "2026-03-07-08-05-09");
    EXPECT_EQ(spoolName("C:\\srv\\out", "2026-03-07-08-05-09", 1, "txt"), "C:\\srv\\out\\2026-03-07-08-05-09-0001.txt");
    EXPECT_EQ(spoolName("d", "s", 12345, "adr"), "d\\s-12345.adr") << "past 9999 the number grows";
    EXPECT_EQ(spoolBase("C:\\a.b\\name-0001.txt"), "C:\\a.b\\name-0001");
    EXPECT_EQ(spoolBase("C:\\a.b\\name"), "C:\\a.b\\name");
    EXPECT_EQ(spoolPath("C:\\q\\n", kEnvelopeExtension), "C:\\q\\n.adr");
}

TEST(SpoolNames, WildcardsMatchLongNamesOnly) {
    EXPECT_TRUE(wildcardMatch("*.txt", "2026-01-01-00-00-00-0000.txt"));
    EXPECT_TRUE(wildcardMatch("*.txt", "MSG.TXT"));
    EXPECT_FALSE(wildcardMatch("*.txt", "x.txtx"));
    EXPECT_FALSE(wildcardMatch("*.txt", "x.adr"));
    EXPECT_TRUE(wildcardMatch("*", "anything"));
    EXPECT_TRUE(wildcardMatch("*.*", "noextension"));
    EXPECT_TRUE(wildcardMatch("a?c.*", "abc.lck"));
    EXPECT_FALSE(wildcardMatch("a?c.*", "ac.lck"));
    EXPECT_TRUE(wildcardMatch("*-00*.txt", "2026-01-01-00-00-00-0001.txt"));
    EXPECT_FALSE(wildcardMatch("", "a"));
}

// One listing of a folder gives its messages in the listing's order and,
// for each, whether its hold marker lies beside it.
TEST(SpoolNames, FolderMessagesAndTheirHoldMarkers) {
    const std::vector<util::FolderMessage> messages = util::folderMessages(
        {"b.txt", "B.LCK", "a.TXT", "a.adr", "c.txtx", "d.lck", "c.txt", "c.lck.txt", "e.tmp"});
    std::vector<std::string> shown;
    for (const util::FolderMessage& m : messages) shown.push_back(m.name + (m.held ? " held" : ""));
    EXPECT_EQ(shown, (std::vector<std::string>{"b.txt held", "a.TXT", "c.txt", "c.lck.txt"}));
}

TEST(SpoolNames, EnvelopeLinesAndTheirKinds) {
    std::string text = envelopeText("a@b.example", {"c@d.example", "e@f.example"});
    EXPECT_EQ(text, "MAIL FROM: <a@b.example>\r\nRCPT TO: <c@d.example>\r\nRCPT TO: <e@f.example>\r\n");
    EXPECT_EQ(envelopeLineKind("MAIL FROM: <a@b>", false), EnvelopeLine::Sender);
    EXPECT_EQ(envelopeLineKind("RCPT TO: <a@b>", false), EnvelopeLine::Recipient);
    EXPECT_EQ(envelopeLineKind("mail from: <a@b>", false), EnvelopeLine::Other) << "delivery compares exactly";
    EXPECT_EQ(envelopeLineKind("mail from: <a@b>", true), EnvelopeLine::Sender) << "the viewer ignores case";
    EXPECT_EQ(envelopeLineKind("Rcpt To:x", true), EnvelopeLine::Recipient);
    EXPECT_EQ(envelopeLineKind("RCPT", true), EnvelopeLine::Other);
}
