#include <gtest/gtest.h>

#include <string>

#include "content/text_extract.h"
#include "mime_text.h"
#include "split_source.h"

using content_test::crlf;
using content_test::forEachSplit;

namespace {

struct ExtractCase {
    const char* name;
    std::string message;
    std::string delimiter;
    std::string expected;
    int count;
};

TEST(ExtractMimeText, Messages) {
    const ExtractCase cases[] = {
        {"text, html and a pdf",
         "From: a@example.com\n"
         "Content-Type: multipart/mixed;\n"
         "\tboundary=\"B\"\n"
         "Subject: report\n"
         "\n"
         "This is a multi-part message.\n"
         "--B\n"
         "Content-Type: text/plain\n"
         "\n"
         "plain\n"
         "--B\n"
         "Content-Type: text/html\n"
         "\n"
         "<b>html</b>\n"
         "--B\n"
         "Content-Type: application/pdf\n"
         "Content-Transfer-Encoding: base64\n"
         "\n"
         "JVBERi0=\n"
         "--B--\n"
         "epilogue\n",
         "--B",
         "From: a@example.com\nSubject: report\n\n\nplain\n\n<b>html</b>\n", 1},
        {"the multipart header goes with every continuation line",
         "Subject: failure notice\n"
         "Content-Type: multipart/mixed;\n"
         "  charset=us-ascii;\n"
         "\tboundary=\"B\"\n"
         "X-Folded: one\n"
         "\ttwo\n"
         "\n"
         "--B\n\nbounced\n--B--\n",
         "--B", "Subject: failure notice\nX-Folded: one\n\ttwo\n\n\nbounced\n", 0},
        {"no delimiter line: the body is the text",
         "Subject: s\nContent-Type: multipart/mixed; boundary=\"m\"\n\nfirst\n--other\n\nlast",
         "--m", "Subject: s\n\nfirst\n--other\n\nlast\n", 0},
        {"nested unquoted boundary followed by a parameter",
         "Content-Type: multipart/mixed; boundary=o\n\n"
         "--o\nContent-Type: multipart/alternative; boundary=a; charset=us-ascii\n\n"
         "--a\nContent-Type: text/plain\n\none\n"
         "--a\nContent-Type: application/octet-stream\n\nAAAA\n"
         "--a--\n"
         "--o--\n",
         "--o", "\n\none\n", 1},
        {"alternative nested in mixed",
         "Content-Type: multipart/mixed; boundary=o\n\n"
         "--o\nContent-Type: multipart/alternative; boundary=\"a\"\n\n"
         "--a\nContent-Type: text/plain\n\none\n"
         "--a\nContent-Type: text/html\n\n<i>two</i>\n"
         "--a\nContent-Type: image/gif\nContent-Transfer-Encoding: base64\n\nR0lG\n"
         "--a--\n"
         "between\n"
         "--o\nContent-Type: text/plain\n\nthree\n"
         "--o--\n",
         "--o", "\n\none\n\n<i>two</i>\n\nthree\n", 1},
        {"quoted-printable text part",
         "Content-Type: multipart/mixed; boundary=q\n\n"
         "--q\nContent-Type: text/plain; charset=iso-8859-1\nContent-Transfer-Encoding: quoted-printable\n\n"
         "caf=E9 au =\nlait=3D=00end\nnext\n--q--\n",
         "--q", "\n\ncaf\xe9 au lait=" + std::string(1, '\0') + "end\nnext\n", 0},
        {"disposition attachment on a text part; base64 text part",
         "Content-Type: multipart/mixed; boundary=d\n\n"
         "--d\nContent-Type: text/plain\nContent-Disposition: attachment; filename=a.txt\n\nsecret\n"
         "--d\nContent-Type: text/plain\nContent-Transfer-Encoding: base64\n\nc2VjcmV0\n"
         "--d\n\nno content type is text\n"
         "--d\nContent-Type: image/jpeg\n\nneither written nor counted\n"
         "--d--\n",
         "--d", "\n\nno content type is text\n", 2},
        {"text nested multipart writes its closing line",
         "Content-Type: multipart/mixed; boundary=o\n\n"
         "--o\nContent-Type: multipart/related; type=\"text/html\"; boundary=\"r\"\n\n"
         "--r\nContent-Type: text/html\n\nx\n--r-- end\nafter\n"
         "--o--\n",
         "--o", "\n\nx\n--r-- end\nafter\n", 0},
        {"no closing delimiter", "Content-Type: multipart/mixed; boundary=e\n\n--e\nContent-Type: text/plain\n\nlast",
         "--e", "\n\nlast\n", 0},
    };
    for (const auto& c : cases) {
        std::string message = crlf(c.message);
        std::string expected = crlf(c.expected);
        forEachSplit(message, [&](util::ByteSource& source, const std::string& how) {
            util::StringSink out;
            EXPECT_EQ(util::mime::extractMimeText(source, out, c.delimiter), c.count) << c.name << ", " << how;
            EXPECT_EQ(out.bytes(), expected) << c.name << ", " << how;
        });
    }
}

// Lines longer than the read limit are written as they stand, decoded
// as if read whole when quoted-printable.
TEST(ExtractMimeText, LongLinesStayWhole) {
    std::string plain(5000, 'p');
    std::string coded = "x";
    std::string decoded = "x";
    while (coded.size() < 5000) {
        coded += "=41";
        decoded += 'A';
    }
    std::string message = crlf("Content-Type: multipart/mixed; boundary=L\n\n--L\nContent-Type: text/plain\n\n" + plain +
                               "\n--L\nContent-Transfer-Encoding: quoted-printable\n\n" + coded + "=\nend\n--L--\n");
    util::MemorySource source(message);
    util::StringSink out;
    EXPECT_EQ(util::mime::extractMimeText(source, out, "--L"), 0);
    EXPECT_EQ(out.bytes(), crlf("\n\n" + plain + "\n\n" + decoded + "end\n"));
}

TEST(ExtractMimeText, NestingIsBounded) {
    std::string message = "Content-Type: multipart/mixed; boundary=\"b0\"\n\n";
    for (int i = 0; i < 200; ++i)
        message += "--b" + std::to_string(i) + "\nContent-Type: multipart/mixed; boundary=\"b" + std::to_string(i + 1) +
                   "\"\n\n";
    message += "--b200\nContent-Type: application/octet-stream\n\nx\n--b200--\n";
    std::string stored = crlf(message);
    util::MemorySource source(stored);
    util::StringSink out;
    EXPECT_EQ(util::mime::extractMimeText(source, out, "--b0"), 0);
    EXPECT_EQ(out.bytes(), "\r\n");
}

TEST(ExtractMimeText, RefusesAnEmptyDelimiterAndReportsShortWrites) {
    std::string message = crlf("Subject: x\n\n--B\nContent-Type: text/plain\n\nbody\n--B--\n");
    util::MemorySource source(message);
    util::StringSink out;
    EXPECT_EQ(util::mime::extractMimeText(source, out, ""), -1);
    util::MemorySource again(message);
    util::StringSink small(10);
    EXPECT_EQ(util::mime::extractMimeText(again, small, "--B"), -1);
}

}  // namespace
