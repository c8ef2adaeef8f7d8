// The pages' portable rules: text files edited whole, alias records and
// their checks, domain conversions and the addresses of each domain mode.
#include <gtest/gtest.h>

#include <filesystem>

#include "admin/alias_record.h"
#include "admin/domain_rules.h"
#include "admin/page_text.h"

using namespace admin;

namespace {

using Lines = std::vector<std::string>;

TEST(PageText, EditLinesEndWhereTheTextDoes) {
    struct Row {
        const char* text;
        Lines lines;
    } rows[] = {
        {"", {}},
        {"one", {"one"}},
        {"one\r\n", {"one"}},
        {"one\r\n\r\n", {"one", ""}},
        {"\r\none\r\n\r\ntwo", {"", "one", "", "two"}},
        {"a\nb\rc\r\n", {"a", "b", "c"}},
        {"\r\n", {""}},
    };
    for (const Row& row : rows) EXPECT_EQ(editLines(row.text), row.lines) << row.text;
    EXPECT_EQ(nonEmptyLines("\r\nfree money\r\n\r\n\r\nlottery\r\n\r\n"), (Lines{"free money", "lottery"}));
    EXPECT_EQ(nonEmptyLines(" \r\n"), Lines{" "}) << "a blank is not empty";
}

TEST(PageText, FilesShowWithTheEditsLineEnds) {
    EXPECT_EQ(textForEdit("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(textForEdit("\n\n"), "\r\n\r\n");
    EXPECT_EQ(textForEdit("\r\r\n"), "\r\n\r\n");
    EXPECT_EQ(textForEdit(""), "");
}

TEST(PageText, ATextTooLongIsCutByHundreds) {
    const std::string text(1050, 'x');
    EXPECT_EQ(cutToFit(text, 1050).size(), 1050u);
    EXPECT_EQ(cutToFit(text, 1000).size(), 950u);
    EXPECT_EQ(cutToFit(text, 949).size(), 850u);
    EXPECT_EQ(cutToFit(text, 0).size(), 50u) << "never below the step";
    EXPECT_EQ(cutToFit(std::string(100, 'x'), 10).size(), 100u);
}

TEST(PageText, BlanksAtEitherEndAreDropped) {
    EXPECT_EQ(withoutOuterBlanks("  free money\t "), "free money");
    EXPECT_EQ(withoutOuterBlanks(" \t "), "");
    EXPECT_EQ(withoutOuterBlanks("a b"), "a b");
}

TEST(PageText, LinesAreWrittenWithCrLfAndReadBackWhole) {
    const std::string path = (std::filesystem::temp_directory_path() / "page_text_lines.txt").string();
    ASSERT_TRUE(writeLines(path, {"one", "", "two"}));
    EXPECT_EQ(readFileBytes(path), "one\r\n\r\ntwo\r\n");
    EXPECT_EQ(readFileBytes(path, 4), "one\r");
    ASSERT_TRUE(writeLines(path, {}));
    EXPECT_EQ(readFileBytes(path), "");
    std::filesystem::remove(path);
    EXPECT_EQ(readFileBytes(path), std::nullopt);
    EXPECT_FALSE(writeLines(path + ".missing\\x/y.txt", {"z"})) << "a folder that is not there";
}

TEST(AliasRecord, RecordsAndTheirLinesBothWays) {
    struct Row {
        Alias alias;
        const char* record;
        const char* shown;
    } rows[] = {
        {{"info@example.org", kToAddress, "ann@example.org"}, "info@example.org~0~ann@example.org",
         "Convert info@example.org to ann@example.org"},
        {{"sales@example.org", kToList, "sales team"}, "sales@example.org~1~sales team",
         "Convert sales@example.org to list sales team"},
        {{"all@example.org", kToAllMailboxes, ""}, "all@example.org~2~", "Convert all@example.org to all mailboxes"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(aliasRecord(row.alias), row.record);
        EXPECT_EQ(aliasDisplay(row.alias), row.shown);
        std::optional<Alias> back = parseAlias(row.record);
        ASSERT_TRUE(back) << row.record;
        EXPECT_EQ(back->address, row.alias.address);
        EXPECT_EQ(back->type, row.alias.type);
        EXPECT_EQ(back->target, row.alias.target);
    }
}

TEST(AliasRecord, EmptyPiecesAreSkippedWhenRead) {
    std::optional<Alias> a = parseAlias("~~x@example.org~~1~~list~");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->address, "x@example.org");
    EXPECT_EQ(a->type, 1);
    EXPECT_EQ(a->target, "list");
    a = parseAlias("only@example.org");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->type, kToAddress);
    EXPECT_EQ(a->target, "");
    EXPECT_EQ(parseAlias("x~two~y")->type, 0) << "no digits read as 0";
    EXPECT_FALSE(parseAlias("~~~"));
    EXPECT_FALSE(parseAlias(""));
}

TEST(AliasRecord, SaveChecksInTheirOrder) {
    struct Row {
        Alias alias;
        const char* message;  // null: accepted
        AliasField field;
    } rows[] = {
        {{"", kToAddress, ""}, "Please enter an address to convert...", AliasField::Address},
        {{"sales", kToAddress, ""}, "Please enter a valid email address eg fred@example.com...", AliasField::Address},
        {{"a~1@b", kToAddress, "c@d"}, "Please remove the ~ character from the address to convert...",
         AliasField::Address},
        {{"a@b", kToAddress, ""}, "Please enter an address to convert to...", AliasField::Target},
        {{"a@b", kToAddress, "ann"}, "Please enter a valid email address eg fred@example.com...", AliasField::Target},
        {{"a@b", kToAddress, "c@d~2~"}, "Please remove the ~ character from the address to convert to...",
         AliasField::Target},
        {{"a@b", kToList, ""}, "Invalid address list...", AliasField::List},
        {{"a@b", kToList, "x~y"}, "Please choose an address list without ~ in its name...", AliasField::List},
        {{"a@b", kToAddress, "c@d"}, nullptr, AliasField::Address},
        {{"a@b", kToList, "staff"}, nullptr, AliasField::Address},
        {{"a@b", kToAllMailboxes, ""}, nullptr, AliasField::Address},
    };
    for (const Row& row : rows) {
        std::optional<AliasProblem> problem = checkAlias(row.alias);
        if (!row.message) {
            EXPECT_FALSE(problem) << aliasRecord(row.alias);
            continue;
        }
        ASSERT_TRUE(problem) << aliasRecord(row.alias);
        EXPECT_EQ(problem->message, row.message);
        EXPECT_EQ(problem->field, row.field);
    }
}

TEST(DomainRules, ConversionLinesAndTheirChecks) {
    EXPECT_EQ(conversionLine("old.example", "example.org", MailScope::Internal), "old.example -> example.org , internal");
    EXPECT_EQ(conversionLine("a", "b", MailScope::External), "a -> b , external");
    EXPECT_EQ(conversionLine("a", "b", MailScope::All), "a -> b , all mail");
    EXPECT_EQ(checkConversionDomain("", kConvertToMissing), "Please enter the domain to convert to...");
    EXPECT_EQ(checkConversionDomain("me@x", kConvertFromMissing), "Please enter a domain eg example.com");
    EXPECT_EQ(checkConversionDomain("a b", kConvertFromMissing),
              "Please enter a domain eg example.com (remove space characters)");
    EXPECT_EQ(checkConversionDomain("a b@c", kConvertFromMissing), "Please enter a domain eg example.com");
    EXPECT_EQ(checkConversionDomain("example.org", kConvertFromMissing), std::nullopt);
}

TEST(DomainRules, ApplyChecksOfEachMode) {
    EXPECT_EQ(checkPrimaryDomain(""), "Please enter a domain name eg example.com...");
    EXPECT_EQ(checkPrimaryDomain("me@example.org"), "Please enter the domain not the email address eg example.com...");
    EXPECT_EQ(checkPrimaryDomain("example.org"), std::nullopt);
    EXPECT_EQ(checkAdministratorAddress(""),
              "Please enter the email address of the administrator eg root@example.com...");
    EXPECT_EQ(checkAdministratorAddress("example.org"),
              "Please enter administrators email address eg root@example.com...");
    EXPECT_EQ(checkAdministratorAddress("boss@example.org"), std::nullopt);
}

TEST(DomainRules, LocalPartsTakeTheAdministratorsDomain) {
    EXPECT_EQ(fullAddress("ann", "boss@example.org"), "ann@example.org");
    EXPECT_EQ(fullAddress("bob@other.example", "boss@example.org"), "bob@other.example");
    EXPECT_EQ(fullAddress("ann", "boss@mail@example.org"), "ann@mail@example.org") << "from the first @";
}

}  // namespace
