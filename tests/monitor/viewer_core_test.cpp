// What the mailbox viewer shows of a message and where its folders are,
// without a window.
#include <gtest/gtest.h>

#include <string>

#include "monitor/viewer_folders.h"
#include "monitor/viewer_text.h"

using namespace monitor;

namespace {

TEST(ListEntryText, UniqueNamesBecomeTheirDateAndOthersStayAsTheyAre) {
    EXPECT_EQ(listEntryText("2003-05-12-09-30-15-0003.txt"), "09:30:15 12 May 2003 (3)");
    EXPECT_EQ(listEntryText("2003-05-12-09-30-15-0000.txt"), "09:30:15 12 May 2003");
    EXPECT_EQ(listEntryText("2026-12-07-23-05-09-10000.txt"), "23:05:09 07 Dec 2026 (10000)");
    EXPECT_EQ(listEntryText("abc.txt"), "abc.txt");
    // A name that begins with "20" but is no unique name is not read as one.
    EXPECT_EQ(listEntryText("2020 minutes.txt"), "2020 minutes.txt");
    EXPECT_EQ(listEntryText("2003-13-12-09-30-15-0003.txt"), "2003-13-12-09-30-15-0003.txt");
    EXPECT_EQ(listEntryText("2003-05-12-09.txt"), "2003-05-12-09.txt");
}

TEST(MessageFieldText, HeadersHiddenStartsBehindTheFirstBlankLineOfAnyKind) {
    EXPECT_EQ(messageFieldText("From: a\r\nTo: b\r\n\r\nBody\r\n\r\nmore\r\n", false, false), "Body\r\n\r\nmore\r\n");
    EXPECT_EQ(messageFieldText("From: a\nTo: b\n\nBody\n", false, false), "Body\r\n");
    EXPECT_EQ(messageFieldText("From: a\rTo: b\r\rBody", false, false), "Body");
    EXPECT_EQ(messageFieldText("From: a\r\nTo: b\r\n\r\nBody\r\n", false, true), "From: a\r\nTo: b\r\n\r\nBody\r\n");
    // Without a blank line the whole text shows, even with headers hidden.
    EXPECT_EQ(messageFieldText("just one line\r\nand another\r\n", false, false), "just one line\r\nand another\r\n");
    // A NUL would end the field's text: it shows as a blank.
    EXPECT_EQ(messageFieldText(std::string("a\0b", 3), false, true), "a b");
}

TEST(MessageFieldText, TruncatedTextEndsWithTheNoteAndARefusedOneShrinks) {
    std::string bytes = "Subject: big\r\n\r\n" + std::string(kShownBytes - 16, 'x');
    std::string shown = messageFieldText(bytes, true, false);
    EXPECT_EQ(shown, std::string(kShownBytes - 16, 'x') + "\r\n\r\nThis message has been truncated...");

    std::string cut = cutRefusedText(shown, true);
    EXPECT_EQ(cut.size(), shown.size() - 100 + kTruncationNote.size()) << "the note is put back";
    EXPECT_EQ(cut.substr(cut.size() - kTruncationNote.size()), kTruncationNote);
    EXPECT_EQ(cutRefusedText(std::string(150, 'y'), false), std::string(50, 'y'));
    EXPECT_EQ(cutRefusedText("short", false), "");
}

TEST(EnvelopeAddresses, SenderAndRecipientsByPrefixIgnoringCase) {
    EnvelopeAddresses found = envelopeAddresses(
        "MAIL FROM: <root@example.org>\r\nrcpt to: <ann@example.org>\r\nRCPT TO:\"bob@example.org\"\r\n"
        "X-Other: <nobody@example.org>\r\nRCPT TO: (carl@example.org) trailing\r\n");
    EXPECT_EQ(found.from, "root@example.org");
    EXPECT_EQ(found.to, (std::vector<std::string>{"ann@example.org", "bob@example.org", "carl@example.org"}));
    EXPECT_EQ(envelopeAddresses("mail from:<a@b>\nMAIL FROM: <c@d>\n").from, "c@d") << "the last sender line";
    EXPECT_TRUE(envelopeAddresses("").to.empty());
}

TEST(StatusTexts, DateSizeCountAndHeaderLines) {
    EXPECT_EQ(messageDateText(12, 5, 2003, 40000), " 12 May 2003  (40000 bytes)");
    EXPECT_EQ(messageCountText(3), " 3 messages");
    EXPECT_EQ(headerLineCount({"From: a", "To: b", "", "body"}), 2u);
    EXPECT_EQ(headerLineCount({"no blank line", "at all"}), 2u);
    std::vector<std::string> many(300, "header");
    EXPECT_EQ(headerLineCount(many), kHeaderSearchLines) << "looked for among the first 256 lines only";
}

TEST(ViewerFolders, NodesHaveTheirFoldersAndArchivesFollowTheSetting) {
    Places places = viewerPlaces("C:\\mail", "");
    EXPECT_EQ(nodeFolder(2, places, "sales"), "C:\\mail\\mailboxes\\sales");
    EXPECT_EQ(nodeFolder(kOutQueueNode, places), "C:\\mail\\out");
    EXPECT_EQ(nodeFolder(kInQueueNode, places), "C:\\mail\\in");
    EXPECT_EQ(nodeFolder(kOutArchiveNode, places), "C:\\mail\\archive\\out");
    EXPECT_EQ(nodeFolder(kInArchiveNode, places), "C:\\mail\\archive\\in");
    EXPECT_EQ(nodeFolder(kSpamNode, places), "C:\\mail\\spam");
    for (int top : {kMailboxesNode, kSystemNode, kArchiveNode}) EXPECT_EQ(nodeFolder(top, places), "");

    Places moved = viewerPlaces("C:\\", "D:\\old mail");
    EXPECT_EQ(nodeFolder(kInArchiveNode, moved), "D:\\old mail\\in");
    EXPECT_EQ(nodeFolder(kSpamNode, moved), "C:\\spam") << "a drive root gets no second backslash";
}

TEST(ViewerFolders, StatusByFolderThenHoldMarker) {
    EXPECT_EQ(messageStatus(kInArchiveNode, true), 4);
    EXPECT_EQ(messageStatus(kOutArchiveNode, true), 5);
    EXPECT_EQ(messageStatus(kSpamNode, false), 5);
    EXPECT_EQ(messageStatus(kOutQueueNode, true), 1);
    EXPECT_EQ(messageStatus(kOutQueueNode, false), 3);
    EXPECT_EQ(messageStatus(kInQueueNode, false), 2);
    EXPECT_EQ(messageStatus(0, false), 0);
    EXPECT_EQ(messageStatus(3, true), 1);
}

std::vector<std::string> labels(const std::vector<Destination>& destinations) {
    std::vector<std::string> out;
    for (const Destination& d : destinations) out.push_back(d.label + "=" + std::to_string(d.id));
    return out;
}

TEST(ViewerFolders, DestinationsLeaveTheSourceOut) {
    std::vector<std::string> accounts{"(Postmaster)", "Ann", "Bob"};
    EXPECT_EQ(labels(transferDestinations(accounts, 1)),
              (std::vector<std::string>{"(Postmaster)=0", "Bob=2", "Incoming Archive=-7", "Outgoing Archive=-6",
                                        "Spam Archive=-8"}));
    EXPECT_EQ(labels(transferDestinations(accounts, kSpamNode)),
              (std::vector<std::string>{"(Postmaster)=0", "Ann=1", "Bob=2", "Incoming Archive=-7",
                                        "Outgoing Archive=-6"}));
    EXPECT_EQ(transferDestinations(accounts, kOutQueueNode).size(), 6u);
    // Every account stands at its number; one without a name is not offered.
    EXPECT_EQ(labels(transferDestinations({"(Postmaster)", "", "Bob"}, 0)),
              (std::vector<std::string>{"Bob=2", "Incoming Archive=-7", "Outgoing Archive=-6", "Spam Archive=-8"}));
}

}  // namespace
