#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "content/binhex_decoder.h"
#include "content/mime_limits.h"
#include "content/transfer_decoders.h"
#include "mime_text.h"
#include "split_source.h"

using content_test::crlf;
using content_test::forEachSplit;
namespace mime = util::mime;

namespace {

struct DecodeCase {
    const char* name;
    std::string input;
    std::string expected;
    std::string delimiter = "";
};

using StreamDecoder = int (*)(util::ByteSource&, util::ByteSink&, std::string_view);

void runTable(const std::vector<DecodeCase>& cases, StreamDecoder decode) {
    for (const auto& c : cases) {
        forEachSplit(c.input, [&](util::ByteSource& source, const std::string& how) {
            util::StringSink out;
            EXPECT_EQ(decode(source, out, c.delimiter), 0) << c.name << ", " << how;
            EXPECT_EQ(out.bytes(), c.expected) << c.name << ", " << how;
        });
    }
}

const util::WorkHooks kNoHooks;

int base64(util::ByteSource& in, util::ByteSink& out, std::string_view delimiter) {
    return util::decodeBase64(in, out, {0, delimiter}, kNoHooks);
}

TEST(DecodeBase64, StreamRules) {
    std::string line76 = "VGhlIHF1aWNrIGJyb3duIGZveCBqdW1wcyBvdmVyIHRoZSBsYXp5IGRvZyBhbmQgcnVucyBhd2F5Lg==";
    runTable({
        {"four characters", "TWFu\r\n", "Man"},
        {"one pad", "Zm8=\r\n", "fo"},
        {"two pads", "Zg==\n", "f"},
        {"76 characters give 57 bytes", "TWFu" + std::string(72, 'A') + "\r\n", "Man" + std::string(54, '\0')},
        {"sentence", line76 + "\r\n", "The quick brown fox jumps over the lazy dog and runs away."},
        {"unpadded end gives its complete bytes", "aGVsbG8\r\n", "hello"},
        {"unpadded end of two characters", "TWFuZm\n", "Manf"},
        {"a lone character at the end gives nothing", "TWFuZ\n", "Man"},
        {"characters outside the alphabet are ignored", "TW*Fu\r\naG Vs\tbG8=\r\n", "Manhello"},
        {"groups run across line ends", "TWF\r\nuTW\nFuTWFu\n", "ManManMan"},
        {"a pad closes its group and a new one follows", "Zg==TWFu\nZm8=\nTWFu", "fManfoMan"},
        {"stray pads are ignored", "=TWFu=\n==\n", "Man"},
        {"delimiter ends", "TWFu\r\n--B\r\nTWFu\r\n", "Man", "--B"},
        {"delimiter ends an unfinished group", "TWFuZm9\r\n--B\r\nTWFu\r\n", "Manfo", "--B"},
        {"delimiter only at a line start", "TWFu--B\r\n", "Man", "--B"},
    }, base64);
}

TEST(DecodeBase64, LinesBeyondTheReadLimitDecodeWhole) {
    // 1,000 characters in one line, and a line whose padding lies past the
    // first 255 characters, and groups cut by the 255-character pieces.
    std::string bytes;
    for (int i = 0; i < 750; ++i) bytes += static_cast<char>(i * 7);
    std::string encoded;
    const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16 | static_cast<unsigned char>(bytes[i + 1]) << 8 |
                     static_cast<unsigned char>(bytes[i + 2]);
        for (int k = 3; k >= 0; --k) encoded += alphabet[(v >> (6 * k)) & 63];
    }
    ASSERT_EQ(encoded.size(), 1000u);
    std::string padded = std::string(252, 'A') + "Zg==" + "TWFu";
    std::string unpadded = std::string(256, 'A') + "Zm9";
    runTable({
        {"1000 characters", encoded + "\r\n", bytes},
        {"padding past the limit", padded + "\r\n" + "TWFu\r\n", std::string(189, '\0') + "fManMan"},
        {"group of three at the end of a long line", unpadded + "\n", std::string(192, '\0') + "fo"},
    }, base64);
}

TEST(DecodeBase64, StartsAfterThePartHeaders) {
    std::string message = crlf("--B\nContent-Transfer-Encoding: base64\n\nTWFu\n--B--\n");
    util::MemorySource source(message);
    util::StringSink out;
    EXPECT_EQ(util::decodeBase64(source, out, {5, "--B"}, kNoHooks), 0);
    EXPECT_EQ(out.bytes(), "Man");
}

int quoted(util::ByteSource& in, util::ByteSink& out, std::string_view delimiter) {
    return util::decodeQuoted(in, out, false, {0, delimiter}, kNoHooks);
}

TEST(DecodeQuoted, LineRules) {
    runTable({
        {"equals sign", "a=3Db\r\n", "a=b\r\n"},
        {"hex digits in either case", "=4a=4A\n", "JJ\r\n"},
        {"soft line break joins", "ab=\r\ncd\r\n", "abcd\r\n"},
        {"encoded zero byte is data", "=00x=00\r\nnext\r\n", std::string("\0x\0\r\nnext\r\n", 11)},
        {"an equals sign without two hex digits is kept", "ab=4\r\n=Z1=G=4g=\t\n", "ab=4\r\n=Z1=G=4g=\t\r\n"},
        {"unencoded equals signs in a web address", "?ie=UTF8&psc=1\r\n", "?ie=UTF8&psc=1\r\n"},
        {"a kept equals sign before an encoded one", "==41=\r\n", "=A"},
        {"bare line feeds become CR LF", "a\nb", "a\r\nb\r\n"},
        {"delimiter ends", "x=41\r\n--B--\r\ny\r\n", "xA\r\n", "--B"},
    }, quoted);
}

// Lines longer than the read limit, with an "=XX" placed before, on and
// after the point where the line is cut; a soft line break right after it.
TEST(DecodeQuoted, LongLinesDecodeAsIfReadWhole) {
    std::vector<DecodeCase> cases;
    for (std::size_t lead = 0; lead < 3; ++lead) {
        std::string line = std::string(lead, 'a');
        std::string bytes = line;
        while (line.size() < mime::kScanLineLength + 40) {
            line += "=41";
            bytes += 'A';
        }
        cases.push_back({"an escape across the cut", line + "\r\nb\r\n", bytes + "\r\nb\r\n"});
    }
    std::string full(mime::kScanLineLength, 'c');
    cases.push_back({"a soft line break after a full piece", full + "=\r\nd\r\n", full + "d\r\n"});
    cases.push_back({"an equals sign kept at the cut", full.substr(1) + "=x\r\n", full.substr(1) + "=x\r\n"});
    runTable(cases, quoted);
}

TEST(DecodeQuoted, CopiesTheHeaderBlockUndecoded) {
    std::string message = "Subject: a=3D\nX: b\n\nc=3D\n";
    util::MemorySource with(message);
    util::StringSink out;
    EXPECT_EQ(util::decodeQuoted(with, out, true, {0, ""}, kNoHooks), 0);
    EXPECT_EQ(out.bytes(), "Subject: a=3D\r\nX: b\r\n\r\nc=\r\n");

    util::MemorySource without(message);
    util::StringSink decodedHeaders;
    EXPECT_EQ(util::decodeQuoted(without, decodedHeaders, true, {1, ""}, kNoHooks), 0);
    EXPECT_EQ(decodedHeaders.bytes(), "c=\r\n");  // offset 1: headers skipped, flag ignored
}

int uudecode(util::ByteSource& in, util::ByteSink& out, std::string_view delimiter) {
    std::int64_t position = 0;
    return util::decodeUuencode(in, out, position, delimiter, kNoHooks);
}

TEST(DecodeMimeUU, LineRules) {
    runTable({
        {"one line", "begin 644 cat.txt\r\n#0V%T\r\n`\r\nend\r\n", "Cat"},
        {"text before begin", "hello\r\nbegin 600 x\n#0V%T\n`\nend\n", "Cat"},
        {"trailing spaces kept or stripped", "begin 644 a\n-2&5L;&\\L('=O<FQD(0  \n-2&5L;&\\L('=O<FQD(0\n`\nend\n",
         "Hello, world!Hello, world!"},
        {"end without a zero line", "begin 644 a\n#0V%T\nend\n", "Cat"},
        {"delimiter ends", "begin 644 a\n#0V%T\n--B\n#0V%T\n", "Cat", "--B"},
    }, uudecode);
}

TEST(DecodeMimeUU, TwoBlocksOneAfterTheOther) {
    std::string message = crlf("text\nbegin 644 a\n#0V%T\n`\nend\nmiddle\nbegin 644 b\n,<V5C;VYD(&)L;V-K\n`\nend\ntail\n");
    std::int64_t position = 0;
    util::MemorySource source(message);
    util::StringSink first, second, third;
    ASSERT_EQ(util::decodeUuencode(source, first, position, "", kNoHooks), 0);
    EXPECT_EQ(first.bytes(), "Cat");
    EXPECT_EQ(position, static_cast<std::int64_t>(message.find("middle")));
    ASSERT_EQ(util::decodeUuencode(source, second, position, "", kNoHooks), 0);
    EXPECT_EQ(second.bytes(), "second block");
    EXPECT_EQ(position, static_cast<std::int64_t>(message.find("tail")));
    EXPECT_EQ(util::decodeUuencode(source, third, position, "", kNoHooks), -1);  // no third "begin "
}

TEST(DecodeMimeUU, EndOfFileInsideABlockFails) {
    util::MemorySource source("begin 644 a\n#0V%T\n");
    util::StringSink out;
    std::int64_t position = 0;
    EXPECT_EQ(util::decodeUuencode(source, out, position, "", kNoHooks), -1);
    EXPECT_EQ(position, 18);  // the start of the missing line
}

// BinHex 4.0 text of a byte stream (already run-length encoded by the
// caller): six bits a character, 64 characters a line, between colons.
std::string binHexText(const std::string& stream, const std::string& lineEnd = "\r\n") {
    const char* alphabet = "!\"#$%&'()*+,-012345689@ABCDEFGHIJKLMNPQRSTUVXYZ[`abcdefhijklmpqr";
    std::string chars;
    for (std::size_t i = 0; i < stream.size(); i += 3) {
        unsigned v = 0;
        std::size_t n = std::min<std::size_t>(3, stream.size() - i);
        for (std::size_t k = 0; k < 3; ++k) v = v << 8 | (k < n ? static_cast<unsigned char>(stream[i + k]) : 0);
        for (std::size_t k = 0; k < n + 1; ++k) chars += alphabet[(v >> (18 - 6 * k)) & 63];
    }
    std::string text = ":";
    for (std::size_t i = 0; i < chars.size(); ++i) {
        if ((i + 1) % 64 == 0) text += lineEnd;
        text += chars[i];
    }
    return text + ":" + lineEnd;
}

// A stream: header with the given type and data length, data, CRCs.
std::string binHexStream(const std::string& type, const std::string& data, std::uint32_t declared) {
    std::string s = std::string(1, '\x05') + "a.txt" + '\0' + type + "ttxt" + std::string(2, '\0');
    for (int k = 3; k >= 0; --k) s += static_cast<char>(declared >> (8 * k));
    s += std::string(4, '\0') + "\x12\x34" + data + "\x56\x78\x9a\xbc";
    return s;
}

int binHexStreamOf(util::ByteSource& in, util::ByteSink& out, std::string_view delimiter) {
    return util::decodeBinHexStream(in, out, {0, delimiter}, kNoHooks);
}

TEST(DecodeBinHex, RunLengthExpansion) {
    std::string abc = binHexText("abc").substr(1, 4), def = binHexText("def").substr(1, 4);
    runTable({
        {"a count repeats the byte before", binHexText("xA\x90\x05y"), "xAAAAAy"},
        {"count 0 is one marker byte", binHexText(std::string("\x90\x00z", 3)), "\x90z"},
        {"a literal marker can be repeated", binHexText(std::string("\x90\x00\x90\x03", 4)), "\x90\x90\x90"},
        {"marker as count is 144", binHexText("b\x90\x90"), std::string(144, 'b')},
        {"note before the opening line", "(This file must be converted with BinHex 4.0)\r\n" + binHexText("ok"), "ok"},
        {"one DEL at the end of a line is dropped", ":" + abc.substr(0, 3) + "\x7f\r\n" + abc.substr(3) + ":\r\n",
         "abc"},
        {"groups carried across lines", ":" + abc.substr(0, 1) + "\n" + abc.substr(1) + def + ":\n", "abcdef"},
        {"partial group before the end marker", binHexText("abcd"), "abcd"},
        {"delimiter ends", ":" + abc + "\r\n--B\r\n" + def + ":\r\n", "abc", "--B"},
        {"lines after the end marker still decode", ":" + abc + ":\r\n" + def + "\r\n", "abcdef"},
    }, binHexStreamOf);
}

TEST(DecodeBinHex, DataForkOfTheStream) {
    std::string text = "line one\rline two\r";
    std::string binary = std::string("\r\x90\x00\n", 4);
    std::string stream = binHexStream("TEXT", text, static_cast<std::uint32_t>(text.size()));
    util::MemorySource source(stream);
    util::BinHexHeader header = util::readBinHexHeader(source);
    util::StringSink out;
    ASSERT_TRUE(util::copyDataFork(source, header, out));
    EXPECT_EQ(out.bytes(), "line one\r\nline two\r\n");

    std::string raw = binHexStream("BINA", binary, 4);
    util::MemorySource rawSource(raw);
    util::StringSink rawOut;
    ASSERT_TRUE(util::copyDataFork(rawSource, util::readBinHexHeader(rawSource), rawOut));
    EXPECT_EQ(rawOut.bytes(), binary);

    // Declared longer than the stream holds: what is there.
    std::string shortStream = binHexStream("BINA", "abc", 1000000).substr(0, 29);
    util::MemorySource shortSource(shortStream);
    util::StringSink shortOut;
    ASSERT_TRUE(util::copyDataFork(shortSource, util::readBinHexHeader(shortSource), shortOut));
    EXPECT_EQ(shortOut.bytes(), "ab");
    // A negative length gives nothing.
    std::string negative = binHexStream("BINA", "abc", 0x80000000u);
    util::MemorySource negativeSource(negative);
    util::StringSink negativeOut;
    ASSERT_TRUE(util::copyDataFork(negativeSource, util::readBinHexHeader(negativeSource), negativeOut));
    EXPECT_EQ(negativeOut.bytes(), "");
}

std::string encode(const std::string& bytes, util::StringSink& out, const util::WorkHooks& hooks = kNoHooks) {
    util::MemorySource in(bytes, 7);
    EXPECT_EQ(util::encodeBase64(in, out, hooks), 0);
    return out.bytes();
}

TEST(EncodeBase64, LinesOf45Bytes) {
    util::StringSink empty, full, longer;
    EXPECT_EQ(encode("", empty), "\r\n");
    EXPECT_EQ(encode(std::string(45, 'M'), full),
              "TU1NTU1NTU1NTU1NTU1NTU1NTU1NTU1NTU1NTU1NTU1NTU1NTU1NTU1NTU1N\r\n\r\n");
    EXPECT_EQ(encode(std::string(46, 'M'), longer),
              "TU1NTU1NTU1NTU1NTU1NTU1NTU1NTU1NTU1NTU1NTU1NTU1NTU1NTU1NTU1N\r\nTQ==\r\n\r\n");
}

TEST(EncodeBase64, AShortWriteIsAFailure) {
    std::string bytes(200, 'x');
    util::MemorySource in(bytes);
    util::StringSink out(100);
    EXPECT_EQ(util::encodeBase64(in, out, kNoHooks), -1);
}

TEST(WindowMessages, AQuitEndsTheWorkAsASuccess) {
    int looks = 0;
    util::WorkHooks hooks;
    hooks.quitRequested = [&] { return ++looks > 2; };
    std::string lines = "TWFu\r\nTWFu\r\nTWFu\r\nTWFu\r\n";
    util::MemorySource in(lines);
    util::StringSink out;
    EXPECT_EQ(util::decodeBase64(in, out, {0, ""}, hooks), 0);
    EXPECT_EQ(out.bytes(), "ManMan");

    looks = 0;
    util::StringSink encoded;
    EXPECT_EQ(encode(std::string(200, 'x'), encoded, hooks).size(), 2 * 62u + 2);
}

TEST(ReadErrors, AreFailures) {
    class Broken final : public util::ByteSource {
    public:
        std::size_t read(char* b, std::size_t) override {
            if (calls_++) return 0;
            std::memcpy(b, "TWFu\r\n", 6);
            return 6;
        }
        bool seek(std::uint64_t) override { return true; }
        bool failed() const override { return calls_ > 1; }
    private:
        int calls_ = 0;
    };
    Broken in;
    util::StringSink out;
    EXPECT_EQ(util::decodeBase64(in, out, {0, ""}, kNoHooks), -1);
    Broken encodeIn;
    util::StringSink encodeOut;
    EXPECT_EQ(util::encodeBase64(encodeIn, encodeOut, kNoHooks), -1);
}

}  // namespace
