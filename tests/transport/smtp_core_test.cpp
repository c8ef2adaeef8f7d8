// The SMTP client's portable rules: relay records, addresses and header
// lines, the message text on the wire, progress texts.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "transport/smtp_address.h"
#include "transport/smtp_data.h"
#include "transport/smtp_header.h"
#include "transport/smtp_lines.h"
#include "transport/smtp_progress.h"
#include "transport/smtp_relay.h"

using namespace util;

namespace {

// A file with the given bytes, open for binary reading.
class SpoolFile {
public:
    explicit SpoolFile(const std::string& bytes) {
        static std::atomic<int> serial{0};
        path_ = std::filesystem::temp_directory_path() /
                ("smtp_core_" + std::to_string(serial++) + "_" + std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        std::FILE* out = std::fopen(path_.string().c_str(), "wb");
        if (out) {
            std::fwrite(bytes.data(), 1, bytes.size(), out);
            std::fclose(out);
        }
        file_ = std::fopen(path_.string().c_str(), "rb");
    }
    ~SpoolFile() {
        if (file_) std::fclose(file_);
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    std::FILE* get() const { return file_; }

private:
    std::filesystem::path path_;
    std::FILE* file_ = nullptr;
};

std::vector<std::string> allLines(const std::string& bytes, std::size_t block, std::vector<bool>* ends = nullptr) {
    SpoolFile f(bytes);
    SpoolLineReader reader(f.get(), block);
    std::vector<std::string> lines;
    std::string_view line;
    bool ended;
    while (reader.next(line, ended)) {
        lines.emplace_back(line);
        if (ends) ends->push_back(ended);
    }
    return lines;
}

// Collects what the DATA writer sends; can stop before a given piece or
// refuse the bytes from a given count on.
class RecordingSink : public DataSink {
public:
    std::string bytes;
    std::vector<std::uint64_t> progress;
    int pieces = 0;
    int abortBefore = -1;
    std::size_t failFrom = std::string::npos;
    bool proceed() override { return pieces++ != abortBefore; }
    bool write(std::string_view b) override {
        if (bytes.size() + b.size() > failFrom) return false;
        bytes.append(b);
        return true;
    }
    void sent(std::uint64_t total) override { progress.push_back(total); }
};

std::string wire(const std::string& message, std::string_view sender = {}, std::size_t block = 65536) {
    SpoolFile f(message);
    SpoolLineReader reader(f.get(), block);
    RecordingSink sink;
    EXPECT_EQ(writeMessageData(reader, sender, sink), DataOutcome::Sent);
    return sink.bytes;
}

}  // namespace

TEST(RelayRecord, FieldsEachNeedTheirColon) {
    RelayRecord plain = parseRelayRecord("mail.example.net:0:::0:::");
    EXPECT_EQ(plain.host, "mail.example.net");
    EXPECT_EQ(plain.port, 25);
    EXPECT_EQ(plain.sendAs, "");
    EXPECT_FALSE(plain.rewriteFrom);
    EXPECT_FALSE(plain.authenticate);

    RelayRecord full = parseRelayRecord("10.0.0.5:2525:me@corp.example:1:1:bWU=:cHc=:extra:fields:");
    EXPECT_EQ(full.host, "10.0.0.5");
    EXPECT_EQ(full.port, 2525);
    EXPECT_EQ(full.sendAs, "me@corp.example");
    EXPECT_TRUE(full.rewriteFrom);
    EXPECT_TRUE(full.authenticate);
    EXPECT_EQ(full.account, "bWU=");
    EXPECT_EQ(full.password, "cHc=");

    // The password has no ":" after it, so it is not taken.
    RelayRecord cut = parseRelayRecord("host:587:x:1:1:YWNj:cGFzcw==");
    EXPECT_EQ(cut.account, "YWNj");
    EXPECT_EQ(cut.password, "");
    EXPECT_EQ(parseRelayRecord("host").host, "");
    EXPECT_EQ(parseRelayRecord("").port, 25);

    std::size_t ends[kRelayFields];
    EXPECT_EQ(relayFieldEnds("a:b:c:d:e:f:g:h:i:", ends), 7);
    EXPECT_EQ(ends[0], 1u);
    EXPECT_EQ(ends[6], 13u);
}

TEST(RelayRecord, PortsFlagsAndLimits) {
    EXPECT_EQ(parseRelayRecord("h:-5:").port, 25);
    EXPECT_EQ(parseRelayRecord("h:abc:").port, 25);
    EXPECT_EQ(parseRelayRecord("h:587abc:").port, 587);
    EXPECT_FALSE(parseRelayRecord("h:25::2:2:").rewriteFrom);
    EXPECT_FALSE(parseRelayRecord("h:25::yes:11:").authenticate);
    EXPECT_TRUE(parseRelayRecord("h:25::0:1:").authenticate);
    std::string longHost(300, 'h');
    EXPECT_EQ(parseRelayRecord(longHost + ":25:").host.size(), 255u);
    EXPECT_EQ(parseRelayRecord("h:25:" + std::string(400, 's') + ":").sendAs.size(), 255u);
}

TEST(RelayRecord, GreetingNameFromTheSendAsDomain) {
    EXPECT_EQ(greetingName("office.example", ""), "office.example");
    EXPECT_EQ(greetingName("office.example", "postmaster"), "office.example");
    EXPECT_EQ(greetingName("office.example", "me@relay.example"), "relay.example");
}

TEST(HeaderLines, KindsByExactPrefix) {
    struct Row {
        const char* line;
        HeaderKind kind;
    } rows[] = {
        {"To: a@b", HeaderKind::To},      {"TO:a@b", HeaderKind::To},      {"to: x", HeaderKind::To},
        {"tO: a@b", HeaderKind::Other},   {"From: a@b", HeaderKind::From}, {"FROM: a", HeaderKind::From},
        {"from:", HeaderKind::From},      {"fRoM: a", HeaderKind::Other},  {"Cc: a", HeaderKind::Cc},
        {"CC: a", HeaderKind::Cc},        {"cc: a", HeaderKind::Cc},       {"cC: a", HeaderKind::Other},
        {"Bcc: a@b", HeaderKind::Bcc},    {"BCC: a", HeaderKind::Bcc},     {"BCc: a", HeaderKind::Bcc},
        {"bcc: a", HeaderKind::Bcc},      {"Subject: To: a", HeaderKind::Other},
        {" \tTo: a@b", HeaderKind::To},   {"", HeaderKind::End},           {" ", HeaderKind::Other},
        {"Reply-To: a@b", HeaderKind::Other},
    };
    for (const Row& r : rows) EXPECT_EQ(headerKind(r.line), r.kind) << r.line;
    EXPECT_EQ(headerValue("  Bcc:x@y"), "x@y");
    EXPECT_EQ(headerValue("Subject: s"), "Subject: s");
}

TEST(Addresses, SenderLines) {
    EXPECT_EQ(senderAddress(" John Smith <john@example.com>"), "john@example.com");
    EXPECT_EQ(senderAddress(" john@example.com"), "john@example.com");
    EXPECT_EQ(senderAddress("john@example.com\r\n"), "john@example.com");
    EXPECT_EQ(senderAddress("\tjohn@example.com (John)"), "john@example.com");
    EXPECT_EQ(senderAddress(" <a@b> <c@d>"), "a@b");
    EXPECT_EQ(senderAddress(" John Smith"), "");
    EXPECT_EQ(senderAddress(headerValue("From:bare@example.com")), "bare@example.com");
    EXPECT_EQ(senderAddress(" " + std::string(300, 'x') + "@example.com").size(), 255u);
}

TEST(Addresses, RecipientLines) {
    std::vector<std::string> got;
    recipientAddresses(" \"Smith, John\" <john@a.example>, mary@b.example,\"x\"<z@c.example>", got);
    EXPECT_EQ(got, (std::vector<std::string>{"john@a.example", "mary@b.example", "z@c.example"}));
    got.clear();
    recipientAddresses(" one@a,two@b three@c\r\n", got);
    EXPECT_EQ(got, (std::vector<std::string>{"one@a", "two@b", "three@c"}));
    got.clear();
    recipientAddresses(" undisclosed-recipients:;", got);
    EXPECT_TRUE(got.empty());
    got.clear();
    recipientAddresses(" " + std::string(2000, 'y') + "@example.com, last@x", got);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].size(), 1023u);
    EXPECT_EQ(got[1], "last@x");
}

TEST(Progress, EveryRowOfTheTable) {
    EXPECT_EQ(deliveryProgress(5, 2000), "Delivering (0,005 of 2,000)...");
    EXPECT_EQ(deliveryProgress(123456, 999999), "Delivering (123,456 of 999,999)...");
    EXPECT_EQ(deliveryProgress(999, 1000000), "Delivering (999 of 1,000,000)...");
    EXPECT_EQ(deliveryProgress(1000, 20971520), "Delivering (1,000 of 20,971,520)...");
    EXPECT_EQ(deliveryProgress(12345678, 20971520), "Delivering (12,345,678 of 20,971,520)...");
    EXPECT_EQ(deliveryProgress(2001, 2000), "Delivering (2001 of 2000)...");
    EXPECT_EQ(deliveryProgress(0, 0), "Delivering (0,000 of 0,000)...");
}

TEST(SpoolLines, LineEndsAtEveryBlockBoundary) {
    const std::string bytes = "first\r\nsecond\n\r\nlone\rcr\r\n\x1a after eof mark\r\nlast without end\r";
    const std::vector<std::string> expected = {"first", "second", "", "lone\rcr", "\x1a after eof mark",
                                               "last without end\r"};
    for (std::size_t block = 1; block <= bytes.size() + 1; ++block) {
        std::vector<bool> ends;
        EXPECT_EQ(allLines(bytes, block, &ends), expected) << "block " << block;
        EXPECT_EQ(ends, (std::vector<bool>{true, true, true, true, true, false})) << "block " << block;
    }
    EXPECT_TRUE(allLines("", 8).empty());
}

TEST(SpoolLines, RewindStartsOver) {
    SpoolFile f("a\nb\n");
    SpoolLineReader reader(f.get(), 1);
    std::string_view line;
    ASSERT_TRUE(reader.next(line));
    reader.rewind();
    ASSERT_TRUE(reader.next(line));
    EXPECT_EQ(line, "a");
}

TEST(MessageData, LineEndsAndDotsAtEveryBlockBoundary) {
    const std::string message = "Subject: dots\r\n\r\n.\r\n..two\nmid.dle\r\n.\n last line";
    const std::string expected = "Subject: dots\r\n\r\n..\r\n...two\r\nmid.dle\r\n..\r\n last line";
    for (std::size_t block = 1; block <= message.size(); ++block)
        EXPECT_EQ(wire(message, {}, block), expected) << "block " << block;
}

TEST(MessageData, LongLinesTravelInPiecesWithoutExtraDots) {
    std::string longLine = "." + std::string(2044, 'a') + "." + std::string(3000, 'b');
    SpoolFile f(longLine + "\r\nnext\r\n");
    SpoolLineReader reader(f.get(), 1000);
    RecordingSink sink;
    ASSERT_EQ(writeMessageData(reader, {}, sink), DataOutcome::Sent);
    EXPECT_EQ(sink.bytes, "." + longLine + "\r\nnext\r\n") << "only the line's first dot is doubled";
    // Three pieces of the long line, then the short one; the count leaves
    // the added dot out.
    EXPECT_EQ(sink.progress, (std::vector<std::uint64_t>{2045, 4090, 5048, 5054}));
    EXPECT_EQ(sink.pieces, 4);
}

TEST(MessageData, RewriteReplacesTheFirstFromLineOnly) {
    const std::string message =
        "Received: x\r\nFROM: Old Name\r\n <old@example.com>\r\nTo: a@b\r\nFrom: second@x\r\n\r\n"
        "From: body line\r\nfrom: another\r\n";
    EXPECT_EQ(wire(message, "new@relay.example"),
              "From: new@relay.example\r\nReceived: x\r\nTo: a@b\r\nFrom: second@x\r\n\r\n"
              "From: body line\r\nfrom: another\r\n");
    // Without a From line in the header, the search ends at the empty line.
    EXPECT_EQ(wire("To: a@b\r\n\r\nfrom: body\r\n", "n@x"), "From: n@x\r\nTo: a@b\r\n\r\nfrom: body\r\n");
    EXPECT_EQ(wire("From: a@b\r\n\r\nx\r\n"), "From: a@b\r\n\r\nx\r\n") << "no rewrite without a sender";
}

TEST(MessageData, AbortAndWriteFailureStopTheTransfer) {
    const std::string message = "one\r\ntwo\r\nthree\r\n";
    {
        SpoolFile f(message);
        SpoolLineReader reader(f.get());
        RecordingSink sink;
        sink.abortBefore = 1;
        EXPECT_EQ(writeMessageData(reader, {}, sink), DataOutcome::Aborted);
        EXPECT_EQ(sink.bytes, "one\r\n") << "the abort is tested before each line is sent";
    }
    {
        SpoolFile f(message);
        SpoolLineReader reader(f.get());
        RecordingSink sink;
        sink.failFrom = 7;
        EXPECT_EQ(writeMessageData(reader, {}, sink), DataOutcome::WriteFailed);
    }
    {
        SpoolFile f(message);
        SpoolLineReader reader(f.get());
        RecordingSink sink;
        sink.failFrom = 3;
        EXPECT_EQ(writeMessageData(reader, "s@x", sink), DataOutcome::WriteFailed) << "the From line itself";
    }
}

TEST(HeaderScan, SenderAndRecipientsWithContinuationLines) {
    const std::string message =
        "From: first@example.com\r\n"
        "To: Ann <ann@a.example>,\r\n"
        "\tbob@b.example, \"C\" <carl@c.example>\r\n"
        "Subject: hello\r\n"
        " cont@not.a.recipient\r\n"
        "Cc: dora@d.example\r\n"
        "  , eve@e.example\r\n"
        "From: Second <second@example.com>\r\n"
        "From: no address here\r\n"
        "Bcc: fred@f.example\r\n"
        "bcc: gail@g.example\r\n"
        "\r\n"
        "To: body@not.a.recipient\r\n";
    SpoolFile f(message);
    SpoolLineReader reader(f.get(), 7);
    EXPECT_EQ(headerSender(reader), "second@example.com");
    reader.rewind();
    std::vector<std::string> got;
    headerRecipients(reader, [&](const std::string& a) { got.push_back(a); });
    EXPECT_EQ(got, (std::vector<std::string>{"ann@a.example", "bob@b.example", "carl@c.example", "dora@d.example",
                                             "eve@e.example", "fred@f.example", "gail@g.example"}));
}

TEST(HeaderScan, ATrailingToLineAtTheEndOfTheFile) {
    SpoolFile f("From: a@b\nTo: x@y");
    SpoolLineReader reader(f.get());
    std::vector<std::string> got;
    headerRecipients(reader, [&](const std::string& a) { got.push_back(a); });
    EXPECT_EQ(got, std::vector<std::string>{"x@y"});
}

// A relay record whose host, send-as, account or password is longer than
// 255 characters is refused whole, not cut (a cut host is another machine).
TEST(RelayRecord, TextFieldsLongerThan255AreRefused) {
    const std::string fits(255, 'h'), over(256, 'h');
    EXPECT_TRUE(relayFieldsFit(fits + ":25:" + fits + ":0:1:" + fits + ":" + fits + ":"));
    EXPECT_TRUE(relayFieldsFit("mail.example.net:0:::0:::" + over)) << "text behind the seventh field is ignored";
    EXPECT_TRUE(relayFieldsFit("mail.example.net:" + over + ":::0:::")) << "the port is no text";
    EXPECT_FALSE(relayFieldsFit(over + ":25:::0:::"));
    EXPECT_FALSE(relayFieldsFit("relay:25:" + over + ":0:0:::"));
    EXPECT_FALSE(relayFieldsFit("relay:25::0:1:" + over + ":cHc=:"));
    EXPECT_FALSE(relayFieldsFit("relay:25::0:1:YWNj:" + over + ":"));
}
