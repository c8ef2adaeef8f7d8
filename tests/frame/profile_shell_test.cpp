// ms.ini a section at a time, against the platform's own profile functions:
// a list written in one call, or many section changes gathered into one
// write, leave the file byte for byte as the same writes made one call each
// leave it; a section read from the file read once is the section the
// platform reads.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "frame/frame_state.h"
#include "frame/profile.h"
#include "support/win32_support.h"
#include "utilities.h"

using namespace testing_support;

namespace {

// A file as an office edits it by hand: keys before the first section,
// comments, blank lines, blanks around names and values, quotes, a line
// without "=", a header in other letters and a section of the same name
// twice.
const char kHandEdited[] =
    "stray=1\r\n"
    "[domain]\r\ndomain = example.org \r\n\r\n"
    "; the aliases\r\n"
    "[Alias]\r\nmap0=old~0~x@example.org\r\n"
    "[0auto3]\r\nsubject=left\r\n"
    "  [keep]  \r\nquoted=\"a b\"\r\nbare\r\n;note=1\r\n"
    "[0AUTO1]\r\nsubject=one\r\nextra=kept\r\n"
    "[keep]\r\nsecond=2\r\n"
    "[tail]\r\nlast=1";

constexpr cfg::TextKey kMap{"alias", "map%d", ""};
constexpr cfg::TextKey kSubject{"0auto%d", "subject", ""};

// Runs the writes in a scratch install holding the text; returns the file.
std::string afterWrites(const std::string& start, const std::function<void()>& writes) {
    ScratchDir dir("profile");
    writeFile(dir.file("ms.ini"), start);
    util::frameState().configPathBuilt = false;
    SetPath(dir.path().c_str());
    writes();
    std::string result = readFile(dir.file("ms.ini"));
    util::frameState().configPathBuilt = false;
    return result;
}

std::string aliasValue(int i) {
    // A few values with blanks at their ends, as a hand-made entry may have.
    std::string value = "alias" + std::to_string(i) + "@example.org~0~user" + std::to_string(i) + "@example.org";
    return i % 500 == 7 ? "  " + value + " \t" : value;
}

std::string withoutBlanks(std::string text) {
    text.erase(0, text.find_first_not_of(" \t"));
    text.erase(text.find_last_not_of(" \t") + 1);
    return text;
}

TEST(SectionWrites, AListInOneCallLeavesTheFileAsKeyByKeyWritesDo) {
    constexpr int kRecords = 2000;
    const std::string byKeys = afterWrites(kHandEdited, [] {
        util::eraseSection("alias");
        for (int i = 0; i < kRecords; ++i) util::write(kMap, aliasValue(i), i);
        util::writeProfileString("tail", "after", "1");
    });
    const std::string bySection = afterWrites(kHandEdited, [] {
        util::ProfileLines lines;
        for (int i = 0; i < kRecords; ++i) util::put(lines, kMap, aliasValue(i), i);
        EXPECT_TRUE(util::replaceSection("alias", lines));
        util::writeProfileString("tail", "after", "1");
        // Every record reads back whole through the single-key reader.
        for (int i : {0, 7, 1999}) EXPECT_EQ(util::read(kMap, i), withoutBlanks(aliasValue(i)));
        EXPECT_EQ(util::readFamily(kMap).size(), static_cast<std::size_t>(kRecords));
    });
    EXPECT_EQ(bySection, byKeys);
    EXPECT_NE(bySection.find("map1999=alias1999@"), std::string::npos);
}

TEST(SectionWrites, GatheredChangesLeaveTheFileAsOneCallEachDoes) {
    // The reminders page's Apply and a removal: sections deleted, written
    // anew, and written in place, more than a few at once.
    auto lines = [](const std::string& subject, int extra) {
        util::ProfileLines l;
        l.set("subject", subject);
        l.set("hour", std::to_string(extra));
        return l;
    };
    auto changes = [&](auto erase, auto write) {
        for (int i = 0; i < 6; ++i) erase(cfg::numbered(kSubject.section, i));
        for (int i = 0; i < 5; ++i) write(cfg::numbered(kSubject.section, i), lines("r" + std::to_string(i), i));
        write("keep", lines("in place", 9));
        erase("domain");
        write("0AUTO2", lines("again", 2));
    };
    for (const std::string start : {std::string(kHandEdited), std::string("\xef\xbb\xbf") + kHandEdited, std::string()}) {
        const std::string oneByOne = afterWrites(start, [&] {
            changes([](const std::string& s) { util::deleteProfileSection(s.c_str()); },
                    [](const std::string& s, const util::ProfileLines& l) { util::writeSection(s, l); });
        });
        const std::string gathered = afterWrites(start, [&] {
            util::SectionEdits edits;
            changes([&](const std::string& s) { edits.erase(s); },
                    [&](const std::string& s, const util::ProfileLines& l) { edits.write(s, l); });
            EXPECT_EQ(edits.current("0auto1").block(), lines("r1", 1).block());
            EXPECT_TRUE(edits.current("0auto5").empty());
            EXPECT_TRUE(edits.commit());
        });
        EXPECT_EQ(gathered, oneByOne) << "starting from: " << start.substr(0, 20);
    }
}

TEST(SectionReads, TheFileReadOnceGivesEverySectionAsThePlatformReadsIt) {
    afterWrites(std::string(kHandEdited) + "\r\n[0auto2]\r\n =no name\r\n=dropped\r\n;c\r\n=kept\r\nsubject =  two  \r\n[\r\n[]\r\nx=1\r\n", [] {
        const util::ProfileSnapshot file;
        for (const char* name : {"domain", "alias", "ALIAS", "0auto1", "0auto2", "0auto3", "keep", "tail", "missing", ""})
            EXPECT_EQ(file.section(name).block(), util::readSection(name).block()) << name;
        // A family kept one record a section reads up to the first section
        // without the key; an empty value is there.
        util::writeProfileString("0auto0", "subject", "");
        EXPECT_EQ(util::readFamily(kSubject), (std::vector<std::string>{"", "one", "two", "left"}));
    });
}

TEST(SectionReads, AFamilyReadsOnPastAnEmptyValueToTheFirstMissingKey) {
    afterWrites("[alias]\r\nmap0=a\r\nmap1=\r\nmap2=c\r\nmap4=beyond\r\n", [] {
        EXPECT_EQ(util::readFamily(kMap), (std::vector<std::string>{"a", "", "c"}));
        EXPECT_EQ(util::listValues(util::readSection("alias"), kMap), (std::vector<std::string>{"a", "c"}));
    });
}

}  // namespace
