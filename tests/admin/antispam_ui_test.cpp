// The Anti-Spam page through the real sheet: the list files it rewrites
// feed the running matchers, and its controls follow filtering and the
// chosen action.
#include <windows.h>

#include <gtest/gtest.h>

#include "admin/antispam_ids.h"
#include "support/ui_driver.h"
#include "utilities.h"

using namespace drive;
using namespace testing_support;

namespace {

constexpr const char* kAntiSpam = "Anti-Spam";

std::string editText(HWND page, int id) {
    HWND edit = GetDlgItem(page, id);
    std::string value(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    value.resize(static_cast<std::size_t>(GetWindowTextA(edit, value.data(), static_cast<int>(value.size()))));
    return value;
}

TEST(AntiSpamPage, AnAppliedBlackListIsMatchedByTheNextParseBlackSpamWithoutItsEmptyLines) {
    Install install("[spam]\r\nuse=1\r\n");
    CreateDirectoryA(install.file("spam lists").c_str(), nullptr);
    const std::string black = install.file("spam lists\\black.txt");
    ASSERT_TRUE(writeFile(black, "lottery\r\n"));
    const std::string message = install.file("message.txt");
    ASSERT_TRUE(writeFile(message, "Subject: an offer\r\n\r\nGet FREE\r\nmoney, now!\r\n"));
    char match[4096] = {};
    EXPECT_EQ(ParseBlackSpam(message.c_str(), match, black.c_str()), 0) << "the list held is the old one";

    runSheet(kAntiSpam, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(editText(page, IDC_SPAM_BLACK), "lottery\r\n");
        EXPECT_EQ(editText(page, IDC_SPAM_WHITE), "") << "no white list file";
        // An empty line would end the list for the matcher.
        setText(page, IDC_SPAM_BLACK, "lottery\r\n\r\nfree money\r\n\r\n");
        setText(page, IDC_SPAM_WHITE, "\r\nfriend@example.org");
        pressOk(sheet);
    });
    EXPECT_EQ(readFile(black), "lottery\r\nfree money\r\n");
    EXPECT_EQ(readFile(install.file("spam lists\\white.txt")), "friend@example.org\r\n");
    EXPECT_EQ(install.ini("spam", "mod-black"), "1");
    EXPECT_EQ(install.ini("spam", "mod-white"), "1");

    EXPECT_EQ(ParseBlackSpam(message.c_str(), match, black.c_str()), 1) << "the change key made it reload";
    EXPECT_STREQ(match, "FREE money");
    EXPECT_EQ(install.ini("spam", "mod-black"), "0");
}

TEST(AntiSpamPage, ControlsFollowFilteringAndTheActionAndApplyStoresThem) {
    Install install("[spam]\r\nuse=0\r\nkill=0\r\narchive=1\r\n");
    runSheet(kAntiSpam, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_FALSE(checked(page, IDC_SPAM_ENABLE));
        EXPECT_TRUE(checked(page, IDC_SPAM_PREFIX));
        EXPECT_TRUE(checked(page, IDC_SPAM_ARCHIVE));
        for (int id : {IDC_SPAM_BLACK, IDC_SPAM_WHITE, IDC_SPAM_BLACK_LABEL, IDC_SPAM_WHITE_LABEL, IDC_SPAM_DELETE,
                       IDC_SPAM_PREFIX, IDC_SPAM_ARCHIVE, IDC_SPAM_ACTION_GROUP})
            EXPECT_FALSE(enabled(page, id)) << id;
        click(page, IDC_SPAM_ENABLE);
        EXPECT_TRUE(enabled(page, IDC_SPAM_BLACK));
        EXPECT_TRUE(enabled(page, IDC_SPAM_PREFIX));
        EXPECT_FALSE(enabled(page, IDC_SPAM_ARCHIVE)) << "prefixing the subject keeps the message";
        click(page, IDC_SPAM_DELETE);
        EXPECT_TRUE(enabled(page, IDC_SPAM_ARCHIVE));
        click(page, IDC_SPAM_ARCHIVE);
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("spam", "use"), "1");
    EXPECT_EQ(install.ini("spam", "kill"), "1");
    EXPECT_EQ(install.ini("spam", "archive"), "0");
}

TEST(AntiSpamPage, WithFilteringOffApplyStillWritesBothListsAndTheirChangeKeys) {
    Install install("[spam]\r\nuse=0\r\nmod-black=0\r\n");
    runSheet(kAntiSpam, [&](HWND sheet) {
        setText(currentPage(sheet), IDC_SPAM_BLACK, "winner");
        pressOk(sheet);
    });
    EXPECT_EQ(readFile(install.file("spam lists\\black.txt")), "winner\r\n") << "the missing folder is made";
    EXPECT_TRUE(fileExists(install.file("spam lists\\white.txt")));
    EXPECT_EQ(fileSize(install.file("spam lists\\white.txt")), 0);
    EXPECT_EQ(install.ini("spam", "mod-black"), "1");
    EXPECT_EQ(install.ini("spam", "mod-white"), "1");
    EXPECT_EQ(install.ini("spam", "use"), "0");
}

TEST(AntiSpamPage, AListTooLongForItsEditIsShownCutAtTheEndByHundreds) {
    Install install;
    CreateDirectoryA(install.file("spam lists").c_str(), nullptr);
    runSheet(kAntiSpam, [&](HWND sheet) {
        // The edit's own capacity decides; the file is made 250 longer.
        auto capacity = static_cast<std::size_t>(SendDlgItemMessageA(currentPage(sheet), IDC_SPAM_WHITE,
                                                                     EM_GETLIMITTEXT, 0, 0));
        std::string list;
        for (int i = 0; list.size() < capacity + 250; ++i) list += "sender" + std::to_string(i) + "@example.org\r\n";
        list.resize(capacity + 250);
        list.back() = 'x';  // no line break cut in half
        writeFile(install.file("spam lists\\white.txt"), list);
        pressCancel(sheet);
    });
    const std::string list = readFile(install.file("spam lists\\white.txt"));
    runSheet(kAntiSpam, [&](HWND sheet) {
        std::string shown = editText(currentPage(sheet), IDC_SPAM_WHITE);
        EXPECT_EQ(shown.size(), list.size() - 300);
        EXPECT_EQ(shown, list.substr(0, list.size() - 300));
        pressCancel(sheet);
    });
}

}  // namespace
