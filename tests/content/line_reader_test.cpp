#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "content/byte_search.h"
#include "content/line_reader.h"
#include "split_source.h"

using content_test::forEachSplit;

namespace {

// Each piece as text, then "<" when it continues a line and ">" when the
// line goes on after it, then "@" and the position after it.
std::vector<std::string> pieces(util::ByteSource& source, std::size_t maxLength) {
    util::LineReader reader(source);
    util::LinePiece piece;
    std::vector<std::string> out;
    while (reader.next(maxLength, piece))
        out.push_back(std::string(piece.text) + (piece.startsLine ? "" : "<") + (piece.endsLine ? "" : ">") + "@" +
                      std::to_string(reader.position()));
    return out;
}

struct ReaderCase {
    const char* name;
    std::string input;
    std::size_t maxLength;
    std::vector<std::string> expected;
};

TEST(LineReader, LinesPiecesAndPositions) {
    const ReaderCase cases[] = {
        {"crlf and lf", "ab\r\ncd\nef", 10, {"ab@4", "cd@7", "ef@9"}},
        {"blank lines", "\r\n\n", 10, {"@2", "@3"}},
        {"cr not before lf stays", "a\rb\r\r\n\r", 10, {"a\rb\r@6", "\r@7"}},
        {"exactly the limit", "abcd\r\nef\n", 4, {"abcd@6", "ef@9"}},
        {"one over the limit", "abcde\r\n", 4, {"abcd>@4", "e<@7"}},
        {"long line in three", "abcdefghij\n", 4, {"abcd>@4", "efgh<>@8", "ij<@11"}},
        {"limit then cr at the end", "abcd\r", 4, {"abcd>@4", "\r<@5"}},
        {"last line without end", "x\ny", 4, {"x@2", "y@3"}},
        {"empty input", "", 4, {}},
    };
    for (const auto& c : cases) {
        forEachSplit(c.input, [&](util::ByteSource& source, const std::string& how) {
            EXPECT_EQ(pieces(source, c.maxLength), c.expected) << c.name << ", " << how;
        });
    }
}

TEST(LineReader, SeekStartsAFreshLine) {
    std::string text = "first line\r\nsecond\r\n";
    util::MemorySource source(text, 3);
    util::LineReader reader(source);
    util::LinePiece piece;
    ASSERT_TRUE(reader.next(4, piece));
    EXPECT_FALSE(piece.endsLine);
    ASSERT_TRUE(reader.seek(12));
    ASSERT_TRUE(reader.next(100, piece));
    EXPECT_EQ(piece.text, "second");
    EXPECT_TRUE(piece.startsLine);
    EXPECT_EQ(reader.position(), 20u);
    EXPECT_FALSE(reader.next(100, piece));
}

TEST(LineReader, LinesLongerThanTheBufferStillCome) {
    std::string text(200000, 'x');
    text += "\r\nend\r\n";
    util::MemorySource source(text, 4000);
    util::LineReader reader(source);
    util::LinePiece piece;
    std::size_t total = 0, count = 0;
    while (reader.next(4094, piece) && piece.text != "end") total += piece.text.size(), ++count;
    EXPECT_EQ(total, 200000u);
    EXPECT_EQ(count, (200000u + 4093) / 4094);
    EXPECT_EQ(reader.position(), text.size());
}

}  // namespace

namespace {

// Each stop of skipToLineBeginning, read as a line, with the position after it.
std::vector<std::string> stops(util::ByteSource& source, std::string_view prefix, std::size_t firstPiece) {
    util::LineReader reader(source);
    util::LinePiece piece;
    std::vector<std::string> out;
    if (firstPiece && reader.next(firstPiece, piece)) out.push_back("first " + std::string(piece.text));
    while (reader.skipToLineBeginning(prefix) && reader.next(100, piece))
        out.push_back(std::string(piece.text) + "@" + std::to_string(reader.position()));
    return out;
}

TEST(LineReader, SkipsToLinesBeginningWithAPrefix) {
    forEachSplit("aa\n-x\r\n--b\nc--b\n--b", [](util::ByteSource& source, const std::string& how) {
        EXPECT_EQ(stops(source, "--b", 0), (std::vector<std::string>{"--b@11", "--b@19"})) << how;
    });
    // Started inside a line, the rest of that line is not a line start.
    forEachSplit("ab--b\r\n--bx\r\n-", [](util::ByteSource& source, const std::string& how) {
        EXPECT_EQ(stops(source, "--b", 2), (std::vector<std::string>{"first ab", "--bx@13"})) << how;
    });
}

}  // namespace

namespace {

TEST(ByteSearch, AgreesWithAPlainSearchAtEveryAlignment) {
    std::string text(300, 'a');
    for (std::size_t at : {0u, 1u, 7u, 8u, 15u, 16u, 17u, 100u, 299u}) text[at] = '\n';
    text[150] = static_cast<char>(0x8a);  // high bit set next to the byte sought
    text[151] = static_cast<char>(0x0b);
    for (std::size_t start = 0; start < 40; ++start) {
        for (std::size_t end = start; end <= text.size(); end += 13) {
            const char* p = text.data() + start;
            const char* e = text.data() + end;
            const char* plain = std::find(p, e, '\n');
            const char* expected = plain == e ? nullptr : plain;
            EXPECT_EQ(util::findByte(p, e, '\n'), expected) << start << ".." << end;
            EXPECT_EQ(util::findByteInWords(p, e, '\n'), expected) << start << ".." << end;
            EXPECT_EQ(util::findByteInWords(p, e, '\x8a'), std::find(p, e, '\x8a') == e ? nullptr : std::find(p, e, '\x8a'));
        }
    }
}

}  // namespace
