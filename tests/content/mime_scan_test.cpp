#include <gtest/gtest.h>

#include <string>

#include "content/mime_scan.h"
#include "mime_text.h"
#include "split_source.h"

using content_test::after;
using content_test::crlf;
using content_test::forEachSplit;
using namespace util::mime;

namespace {

struct BoundaryCase {
    const char* name;
    std::string headers;
    int kind;
    std::string boundary;
};

TEST(FindMimeBoundary, HeaderBlocks) {
    const BoundaryCase cases[] = {
        {"folded quoted boundary", "Content-Type: multipart/mixed;\n\tboundary=\"=_a b\"\n\nbody\n", 1, "=_a b"},
        {"alternative keeps the encoding code",
         "Content-Type: multipart/alternative; boundary=\"alt\"\nContent-Transfer-Encoding: 7bit\n\n", 0, ""},
        {"unquoted at the end of the line", "Content-Type: multipart/mixed; boundary=xyz\n\n", 1, "xyz"},
        {"unquoted ends at a semicolon", "Content-Type: multipart/mixed; boundary=xyz; charset=us-ascii\n\n", 1, "xyz"},
        {"unquoted ends at white space", "Content-Type: multipart/mixed; boundary==_x.y \tcharset=a\n\n", 1, "=_x.y"},
        {"names in any case, value with its case", "CONTENT-TYPE: Multipart/MIXED; BOUNDARY=\"AbC\"\n\n", 1, "AbC"},
        {"boundary on a later header line", "Content-Type: multipart/mixed\nX-Note: boundary=\"q\"\n\n", 1, "q"},
        {"quoted-printable", "Content-Transfer-Encoding: quoted-printable\n\n", 3, ""},
        {"x-uuencode", "Content-Transfer-Encoding: x-uuencode\n\n", 5, ""},
        {"binhex", "Content-transfer-encoding: x-binhex40\n\n", 4, ""},
        {"a later encoding overrides", "Content-Transfer-Encoding: base64\nContent-Transfer-Encoding: 8bit\n"
                                       "Content-Transfer-Encoding: quoted-printable\n\n", 3, ""},
        {"base64 inside a longer word", "Content-Transfer-Encoding: xbase64y\n\n", 2, ""},
        {"mixed before multipart does not count", "Content-Type: mixed/multipart; boundary=b\n\n", 0, ""},
        {"the body is not read", "Subject: x\n\nContent-Type: multipart/mixed; boundary=b\n", 0, ""},
        {"a boundary wins over the encoding",
         "Content-Transfer-Encoding: base64\nContent-Type: multipart/mixed; boundary=b\n\n", 1, "b"},
        {"empty value is no boundary", "Content-Type: multipart/mixed; boundary=\"\"\n\n", 0, ""},
        {"boundary token without value", "Content-Type: multipart/mixed; boundary\n\n", 0, ""},
        {"boundary too long for the caller's buffer",
         "Content-Type: multipart/mixed; boundary=\"" + std::string(2048, 'b') + "\"\n\n", 0, ""},
        {"longest boundary taken",
         "Content-Type: multipart/mixed; boundary=\"" + std::string(2047, 'b') + "\"\n\n", 1, std::string(2047, 'b')},
        {"empty file", "", 0, ""},
    };
    for (const auto& c : cases) {
        std::string message = crlf(c.headers);
        util::MemorySource whole(message);
        MessageBoundary found = findMimeBoundary(whole);
        EXPECT_EQ(found.kind, c.kind) << c.name;
        EXPECT_EQ(found.boundary, c.boundary) << c.name;
        if (message.size() < 400) {
            forEachSplit(message, [&](util::ByteSource& source, const std::string& how) {
                MessageBoundary split = findMimeBoundary(source);
                EXPECT_EQ(split.kind, c.kind) << c.name << ", " << how;
                EXPECT_EQ(split.boundary, c.boundary) << c.name << ", " << how;
            });
        }
    }
}

// Runs a search over the message cut every way; all must agree.
PartFound search(const std::string& message, const PartSearch& wanted, std::uint32_t& counter,
                 std::uint32_t counterStart = 0) {
    PartFound first;
    bool haveFirst = false;
    std::uint32_t firstCounter = 0;
    forEachSplit(message, [&](util::ByteSource& source, const std::string& how) {
        std::uint32_t count = counterStart;
        PartFound found = findBoundaryPos(source, wanted, count);
        if (!haveFirst) {
            first = found, firstCounter = count, haveFirst = true;
        } else {
            EXPECT_EQ(found.position, first.position) << how;
            EXPECT_EQ(found.partDelimiter, first.partDelimiter) << how;
            EXPECT_EQ(count, firstCounter) << how;
        }
    });
    counter = firstCounter;
    return first;
}

const std::string kThreeParts = crlf(
    "From: a@example.com\n"
    "Content-Type: multipart/mixed; boundary=\"B\"\n"
    "\n"
    "preamble\n"
    "--B\n"
    "Content-Type: text/plain\n"
    "\n"
    "hello\n"
    "--B\n"
    "Content-Type: image/gif; name=\"a.gif\"\n"
    "Content-Transfer-Encoding: base64\n"
    "\n"
    "R0lGODlh\n"
    "--B\n"
    "Content-Type: application/pdf\n"
    "Content-Transfer-Encoding: base64\n"
    "\n"
    "JVBERi0=\n"
    "--B--\n"
    "--B\n"
    "Content-Type: application/octet-stream\n"
    "\n");

TEST(FindBoundaryPos, CountsAttachmentsNotTextParts) {
    std::uint32_t counter = 0;
    PartFound found = search(kThreeParts, {"--B", 2}, counter);
    EXPECT_EQ(found.position, after(kThreeParts, "--B", 3));
    EXPECT_EQ(found.partDelimiter, "--B");
    EXPECT_EQ(counter, 2u);

    found = search(kThreeParts, {"--B", 1}, counter);
    EXPECT_EQ(found.position, after(kThreeParts, "--B", 2));
    EXPECT_EQ(counter, 1u);
}

TEST(FindBoundaryPos, WantedBeyondTheLastAttachment) {
    // The part after the closing delimiter is not part of the multipart.
    std::uint32_t counter = 0;
    PartFound found = search(kThreeParts, {"--B", 3}, counter);
    EXPECT_EQ(found.position, -1);
    EXPECT_EQ(found.partDelimiter, "");
    EXPECT_EQ(counter, 2u);
}

TEST(FindBoundaryPos, ResumesAfterAFoundPart) {
    std::uint32_t counter = 0;
    PartFound first = search(kThreeParts, {"--B", 1}, counter);
    PartFound second = search(kThreeParts, {"--B", 2, first.position, 1}, counter, 99);
    EXPECT_EQ(second.position, after(kThreeParts, "--B", 3));
    EXPECT_EQ(counter, 2u);
    PartFound none = search(kThreeParts, {"--B", 3, second.position, 2}, counter, 99);
    EXPECT_EQ(none.position, -1);
    EXPECT_EQ(counter, 2u);
}

const std::string kNested = crlf(
    "Content-Type: multipart/mixed; boundary=\"outer\"\n"
    "\n"
    "--outer\n"
    "Content-Type: text/plain\n"
    "Content-Disposition: attachment; filename=\"notes.txt\"\n"
    "\n"
    "notes\n"
    "--outer\n"
    "Content-Type: multipart/related;\n"
    "\ttype=\"text/html\";\n"
    "\tboundary=\"inner\"\n"
    "\n"
    "--inner\n"
    "Content-Type: text/html\n"
    "\n"
    "<p>hi</p>\n"
    "--inner\n"
    "Content-Type: image/png\n"
    "Content-Transfer-Encoding: base64\n"
    "\n"
    "iVBORw0=\n"
    "--inner--\n"
    "--outer\n"
    "Content-Type: application/rtf\n"
    "\n"
    "{\\rtf}\n"
    "--outer--\n");

TEST(FindBoundaryPos, NestedRelatedPartsAndDisposition) {
    std::uint32_t counter = 0;
    PartFound found = search(kNested, {"--outer", 1}, counter);
    EXPECT_EQ(found.position, after(kNested, "--outer", 1));  // text part with disposition attachment
    EXPECT_EQ(found.partDelimiter, "--outer");

    found = search(kNested, {"--outer", 2}, counter);
    EXPECT_EQ(found.position, after(kNested, "--inner", 2));
    EXPECT_EQ(found.partDelimiter, "--inner");
    EXPECT_EQ(counter, 2u);

    found = search(kNested, {"--outer", 3}, counter);
    EXPECT_EQ(found.position, after(kNested, "--outer", 3));
    EXPECT_EQ(found.partDelimiter, "--outer");
    EXPECT_EQ(counter, 3u);

    found = search(kNested, {"--outer", 4}, counter);
    EXPECT_EQ(found.position, -1);
    EXPECT_EQ(counter, 3u);
}

TEST(FindBoundaryPos, ResumingInsideANestedMultipart) {
    std::uint32_t counter = 0;
    PartFound image = search(kNested, {"--outer", 2}, counter);
    // With the nested delimiter the walk ends at the nested closing line.
    PartFound none = search(kNested, {"--inner", 3, image.position, 2}, counter);
    EXPECT_EQ(none.position, -1);
    EXPECT_EQ(counter, 2u);
    // With the message's delimiter it goes on through the outer parts.
    PartFound rtf = search(kNested, {"--outer", 3, image.position, 2}, counter);
    EXPECT_EQ(rtf.position, after(kNested, "--outer", 3));
    EXPECT_EQ(counter, 3u);
}

// A chain of multiparts, each holding the next, the deepest holding one
// attachment.
std::string nestedChain(int levels) {
    std::string message = "Content-Type: multipart/mixed; boundary=\"b0\"\n\n";
    for (int i = 0; i < levels; ++i)
        message += "--b" + std::to_string(i) + "\nContent-Type: multipart/mixed; boundary=\"b" +
                   std::to_string(i + 1) + "\"\n\n";
    message += "--b" + std::to_string(levels) + "\nContent-Type: application/octet-stream\n\nx\n";
    for (int i = levels; i >= 0; --i) message += "--b" + std::to_string(i) + "--\n";
    return crlf(message);
}

TEST(FindBoundaryPos, NestingIsBounded) {
    std::uint32_t counter = 0;
    std::string allowed = nestedChain(64);
    util::MemorySource source(allowed);
    PartFound found = findBoundaryPos(source, {"--b0", 1}, counter);
    EXPECT_EQ(found.partDelimiter, "--b64");
    EXPECT_EQ(found.position, after(allowed, "--b64", 1));

    for (int levels : {65, 5000}) {
        std::string deep = nestedChain(levels);
        util::MemorySource deepSource(deep);
        counter = 0;
        found = findBoundaryPos(deepSource, {"--b0", 1}, counter);
        EXPECT_EQ(found.position, -1) << levels;
        EXPECT_EQ(counter, 0u) << levels;
    }
}

TEST(FindBoundaryPos, NestedBoundaryRules) {
    std::string tooLong(254, 'n');
    std::string message = crlf(
        "Content-Type: multipart/mixed; boundary=o\n\n"
        "--o\nContent-Type: multipart/alternative; boundary=\"" + tooLong + "\"\n\n"
        "--" + tooLong + "\nContent-Type: application/octet-stream\n\n--" + tooLong + "--\n"
        "--o\nContent-Type: multipart/alternative\nContent-Type: x; boundary=\"second\"\n\n"
        "--second\nContent-Transfer-Encoding: base64\n\nAA==\n--second--\n"
        "--o--\n");
    // The over-long nested boundary is no value: that part is skipped.
    std::uint32_t counter = 0;
    util::MemorySource source(message);
    PartFound found = findBoundaryPos(source, {"--o", 1}, counter);
    EXPECT_EQ(found.partDelimiter, "--second");
    EXPECT_EQ(counter, 1u);
}

TEST(FindBoundaryPos, PartDelimiterFitsItsBuffer) {
    std::string delimiter = "--" + std::string(400, 'd');
    std::string message = crlf("Subject: x\n\n" + delimiter + "\nContent-Type: application/octet-stream\n\n");
    std::uint32_t counter = 0;
    util::MemorySource source(message);
    PartFound found = findBoundaryPos(source, {delimiter, 1}, counter);
    EXPECT_GT(found.position, 0);
    EXPECT_EQ(found.partDelimiter, delimiter.substr(0, 255));
}

}  // namespace
