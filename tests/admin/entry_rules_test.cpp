// The text rules of the Dialup, Options and Attachments pages.
#include <gtest/gtest.h>

#include "admin/entry_rules.h"

using namespace admin;

namespace {

TEST(EntryRules, DialupCountsReadAsDecimalNumbers) {
    struct Row {
        const char* text;
        bool positive, nonZero;
    } rows[] = {
        {"3", true, true},   {"0", false, false},  {"00", false, false}, {"", false, false},
        {"-1", false, true}, {"12x", true, true},  {"x12", false, false}, {" 7", true, true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(isPositiveDecimal(row.text), row.positive) << row.text;
        EXPECT_EQ(isNonZeroDecimal(row.text), row.nonZero) << row.text;
    }
    EXPECT_TRUE(isFilled(" "));
    EXPECT_FALSE(isFilled(""));
}

TEST(EntryRules, FoldersKeepOneBackslashBetweenTheirParts) {
    EXPECT_EQ(folderAsKept("C:"), "C:\\");
    EXPECT_EQ(folderAsKept("C:\\"), "C:\\");
    EXPECT_EQ(folderAsKept("D:\\mail"), "D:\\mail");
    EXPECT_EQ(subfolder("D:\\archive", "in"), "D:\\archive\\in");
    EXPECT_EQ(subfolder("C:\\", "out"), "C:\\out");
}

TEST(EntryRules, ASenderAddressHoldsAnAt) {
    EXPECT_TRUE(looksLikeAddress("sales@example.com"));
    EXPECT_TRUE(looksLikeAddress("@"));
    EXPECT_FALSE(looksLikeAddress("sales.example.com"));
}

}  // namespace
