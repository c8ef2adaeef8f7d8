// A section's lines as the platform's section reader gives them, looked up
// as the single-key readers would; and the file's text cut at its section
// headers for many whole-section changes at once.
#include <gtest/gtest.h>

#include <string>

#include "frame/profile_lines.h"
#include "frame/profile_text.h"

using util::ProfileLines;
using util::ProfileText;

namespace {

using namespace std::string_literals;

constexpr cfg::TextKey kMap{"alias", "map%d", ""};
constexpr cfg::TextKey kNamed{"s", "Name", "fallback", 6};
constexpr cfg::IntKey kCount{"s", "count", 7};

ProfileLines lines(const std::string& block) { return ProfileLines::fromBlock(block); }

TEST(ProfileLines, LooksUpAsTheKeyReadersDo) {
    ProfileLines s = lines("NAME=first\0name=second\0empty=\0bare\0quoted=\"a b\"\0count=-12abc\0"
                           "blank=\0junk=x9\0\0"s);
    EXPECT_EQ(read(s, kNamed), "first") << "any case, the first line of a name";
    EXPECT_TRUE(s.has("Empty"));
    EXPECT_EQ(s.text("empty", 10), std::optional<std::string>(""));
    EXPECT_TRUE(s.has("bare")) << "a line without \"=\" is there";
    EXPECT_EQ(s.text("bare", 10), std::nullopt) << "but reads as the default";
    EXPECT_FALSE(s.has("missing"));
    EXPECT_EQ(read(s, cfg::TextKey{"s", "missing", "fallback", 6}), "fallb") << "the default, cut to the buffer";
    EXPECT_EQ(s.text("quoted", 10), std::optional<std::string>("a b"));
    EXPECT_EQ(read(s, kCount), -12);
    EXPECT_EQ(s.integer("blank", 7), 7) << "an empty value reads as the default";
    EXPECT_EQ(s.integer("junk", 7), 0) << "a value that does not begin with a number reads as 0";
    EXPECT_EQ(s.integer("bare", 7), 7);
}

TEST(ProfileLines, ReaderTextCutsAndUnquotes) {
    EXPECT_EQ(util::readerText("abcdef", 4), "abc");
    EXPECT_EQ(util::readerText("'x'", 10), "x");
    EXPECT_EQ(util::readerText("\"x'", 10), "\"x'") << "quotes must match";
    EXPECT_EQ(util::readerText("\"", 10), "\"");
    EXPECT_EQ(util::readerText("\"abcdef\"", 4), "abc") << "cut, the opening quote off";
    EXPECT_EQ(util::readerInteger(" +42", 1), 42);
    EXPECT_EQ(util::readerInteger("'17'", 1), 17);
}

TEST(ProfileLines, SetReplacesInPlaceAndAppendsNewNames) {
    ProfileLines s = lines("a=1\0B=2\0c\0\0"s);
    s.set("b", "  20 \t");
    s.set("d", "4");
    s.set("C", "3");
    EXPECT_EQ(s.block(), "a=1\0B=20\0c=3\0d=4\0\0"s) << "the stored name's spelling stays; blanks off the value";
    EXPECT_EQ(ProfileLines().block(), "\0\0"s);
}

TEST(ProfileLines, AFamilyEndsAtItsFirstMissingKeyNotAtAnEmptyOne) {
    std::string block;
    for (int i = 0; i < 2000; ++i) block += "map" + std::to_string(i) + "=" + (i == 1 ? "" : "v" + std::to_string(i)) + '\0';
    block += "map2001=beyond the gap"s + '\0' + '\0';
    ProfileLines s = lines(block);
    EXPECT_EQ(familyLength(s, kMap), 2000);
    EXPECT_EQ(familyLength(s, kMap, 100), 100);
    std::vector<std::string> values = listValues(s, kMap);
    ASSERT_EQ(values.size(), 1999u) << "the empty record is left out, the 1,998 behind it stay";
    EXPECT_EQ(values[1], "v2");
    EXPECT_EQ(values.back(), "v1999");

    ProfileLines written;
    putList(written, kMap, values);
    EXPECT_EQ(familyLength(written, kMap), 1999) << "written back without the gap";
    EXPECT_EQ(read(written, kMap, 1), "v2");
}

TEST(ProfileText, ChangesOnlyTheNamedSectionsAsThePlatformReadsThem) {
    const std::string file =
        "top=1\r\n"
        "  [Keep] \r\n"
        "; a comment\r\n"
        "k=v\r\n"
        "[0auto0]\r\nsubject=a\r\n"
        "[not a header\r\n"
        "[0AUTO1]\r\nsubject=b\r\n"
        "[x]y] \r\nz=1\r\n"
        "[tail]\r\nlast=1";
    std::optional<ProfileText> text = ProfileText::parse(file);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->sectionNames(), (std::vector<std::string>{"Keep", "0auto0", "0AUTO1", "x]y", "tail"}));
    EXPECT_EQ(text->text(), file) << "cut and put together unchanged";

    text->erase("0auto1");
    text->erase("nothing");
    text->write("0auto0", lines("subject=c\0hour=9\0\0"s));
    text->write("new", lines("k=1\0\0"s));
    text->write("absent", ProfileLines());
    EXPECT_EQ(text->text(),
              "top=1\r\n"
              "  [Keep] \r\n"
              "; a comment\r\n"
              "k=v\r\n"
              "[0auto0]\r\nsubject=c\r\nhour=9\r\n"
              "[x]y] \r\nz=1\r\n"
              "[tail]\r\nlast=1\r\n"
              "[new]\r\nk=1\r\n")
        << "the section that held \"[not a header\" goes with it; a new one starts on a new line";
}

TEST(ProfileText, ASectionsLinesAsTheSectionReaderGivesThem) {
    std::optional<ProfileText> text = ProfileText::parse(
        "lead=0\r\n[s]\r\n  key  =  spaced value  \r\n\r\n; comment=1\r\nbare \r\n=one\r\n=two\r\n;x\r\n=three\r\n"
        "a=b=c\r\n[S]\r\nsecond=1\r\n");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->lines("S").block(), "key=spaced value\0bare\0=one\0=three\0a=b=c\0\0"s)
        << "the first section of the name; a nameless line right after another is dropped";
    EXPECT_EQ(text->lines("").block(), "lead=0\0\0"s);
    EXPECT_TRUE(text->lines("none").empty());
}

TEST(ProfileText, WritingEmptiesEverySectionOfTheNameAndFillsTheFirst) {
    std::optional<ProfileText> text = ProfileText::parse("[a]\nk=1\n[b]\n[A]\nj=2\n");
    ASSERT_TRUE(text);
    text->write("a", lines("n=3\0\0"s));
    EXPECT_EQ(text->text(), "[a]\nn=3\r\n[b]\n[A]\n");
}

TEST(ProfileText, LeavesWideOrMarkedTextToThePlatform) {
    EXPECT_FALSE(ProfileText::parse("\xef\xbb\xbf[a]\r\n"));
    EXPECT_FALSE(ProfileText::parse("\xff\xfe[\0a\0]\0"s));
    EXPECT_FALSE(ProfileText::parse("[a]\r\nk=\0\r\n"s));
    EXPECT_TRUE(ProfileText::parse(""));
}

}  // namespace
