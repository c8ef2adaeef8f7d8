// The spool family on disk: a message moves and copies with its
// companions under one new unique name.
#include <gtest/gtest.h>

#include "frame/spool_files.h"
#include "frame/spool_names.h"
#include "support/win32_support.h"

using namespace testing_support;

TEST(SpoolFamily, ACopyIntoATakenNameGivesAllFilesOneNewName) {
    ScratchDir from("fam1"), to("fam2");
    std::string base = from.file("2026-01-02-03-04-05-0000");
    writeFile(base + ".txt", "Subject: s\r\n\r\nbody\r\n");
    ASSERT_TRUE(util::writeEnvelope(base, "a@b.example", {"c@d.example"}));
    writeFile(base + ".lck", "");

    // The name the copy would take first is already used by a message there.
    std::string taken = util::uniqueFileName(to.path(), "txt");
    writeFile(taken, "other");
    std::string copy = util::copyMessageFamily(base, to.path(), false);
    ASSERT_FALSE(copy.empty());
    EXPECT_NE(copy + ".txt", taken);
    EXPECT_EQ(readFile(copy + ".txt"), "Subject: s\r\n\r\nbody\r\n");
    EXPECT_EQ(readFile(copy + ".adr"), "MAIL FROM: <a@b.example>\r\nRCPT TO: <c@d.example>\r\n");
    EXPECT_TRUE(fileExists(copy + ".lck"));
    EXPECT_FALSE(fileExists(copy + ".trg")) << "absent companions stay absent";
    EXPECT_TRUE(fileExists(base + ".txt")) << "a copy keeps the original";

    std::string moved = util::copyMessageFamily(base, to.path(), true);
    ASSERT_FALSE(moved.empty());
    EXPECT_NE(moved, copy);
    EXPECT_TRUE(fileExists(moved + ".adr"));
    EXPECT_FALSE(fileExists(base + ".txt"));
    EXPECT_FALSE(fileExists(base + ".adr"));
    EXPECT_FALSE(fileExists(base + ".lck"));
    EXPECT_TRUE(util::copyMessageFamily(base, to.path(), false).empty()) << "no message, nothing to copy";

    util::deleteMessageFamily(moved);
    EXPECT_FALSE(fileExists(moved + ".txt"));
    EXPECT_FALSE(fileExists(moved + ".lck"));
}
