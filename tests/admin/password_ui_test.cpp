// The Password page through the real sheet: the password it sets is the
// one GetPassword asks for, a cleared one is asked for no more, and a
// confirmation that differs changes nothing.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "admin/enter_password_ids.h"
#include "admin/password_ids.h"
#include "page_replies.h"
#include "support/ui_driver.h"
#include "utilities.h"

using namespace drive;
using namespace testing_support;

namespace {

constexpr const char* kPassword = "Password";

// GetPassword with the entry typed into its dialog, and whether it asked.
struct Asked {
    int result;
    bool asked;
};

Asked getPasswordTyping(const std::string& entry) {
    auto asked = std::make_shared<bool>(false);
    whenShown("#32770", "Enter Password", [asked, entry](HWND dialog) {
        if (!dialog) return;
        *asked = true;
        setText(dialog, IDC_PW_EDIT, entry);
        click(dialog, IDOK);
    }, 1500);
    int result = GetPassword(nullptr);
    pumpFor(1600);  // until the look has ended
    return {result, *asked};
}

char passwordChar(HWND page) {
    return static_cast<char>(SendDlgItemMessageA(page, IDC_PWD_PASSWORD, EM_GETPASSWORDCHAR, 0, 0));
}

TEST(PasswordPage, TheNewPasswordIsAskedByGetPasswordAndOnceClearedNothingIs) {
    Install install;
    runSheet(kPassword, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(GetFocus(), GetDlgItem(page, IDC_PWD_NEW));
        EXPECT_EQ(text(page, IDC_PWD_PASSWORD), "");
        Seen seen = clickReplying(page, IDC_PWD_NEW, {typing("Open Sesame!"), typing("Open Sesame!")});
        EXPECT_EQ(seen, (Seen{"Please enter new password", "Please confirm new password"}));
        EXPECT_EQ(text(page, IDC_PWD_PASSWORD), "Open Sesame!");
        EXPECT_EQ(passwordChar(page), '*');
        click(page, IDC_PWD_SHOW);
        EXPECT_EQ(passwordChar(page), 0) << "shown in clear";
        click(page, IDC_PWD_SHOW);
        EXPECT_EQ(passwordChar(page), '*');
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("esmtp", "ver"), scramble("Open Sesame!"));
    Asked right = getPasswordTyping("Open Sesame!");
    EXPECT_TRUE(right.asked);
    EXPECT_EQ(right.result, 1);

    runSheet(kPassword, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(text(page, IDC_PWD_PASSWORD), "Open Sesame!");
        click(page, IDC_PWD_CLEAR);
        EXPECT_EQ(text(page, IDC_PWD_PASSWORD), "");
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("esmtp", "ver"), "");
    Asked none = getPasswordTyping("anything");
    EXPECT_FALSE(none.asked);
    EXPECT_EQ(none.result, 1);
}

TEST(PasswordPage, AConfirmationThatDiffersLeavesTheOldPassword) {
    Install install("[esmtp]\r\nver=" + scramble("old pw") + "\r\n");
    runSheet(kPassword, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        Seen seen = clickReplying(page, IDC_PWD_NEW, {typing("new one"), typing("new 0ne"), pressing("Error", IDOK)});
        EXPECT_EQ(seen, (Seen{"Please enter new password", "Please confirm new password", "Passwords do not match..."}));
        EXPECT_EQ(text(page, IDC_PWD_PASSWORD), "old pw");
        EXPECT_FALSE(enabled(sheet, 0x3021)) << "no change reported";
        // An empty entry ends it without asking again.
        EXPECT_EQ(clickReplying(page, IDC_PWD_NEW, {typing(""), typing("x")}), Seen{"Please enter new password"});
        EXPECT_EQ(clickReplying(page, IDC_PWD_NEW, {typing("x"), cancelling()}).size(), 2u);
        EXPECT_EQ(text(page, IDC_PWD_PASSWORD), "old pw");
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("esmtp", "ver"), scramble("old pw"));
}

TEST(PasswordPage, APasswordWithABlankAtEitherEndIsRefused) {
    Install install("[esmtp]\r\nver=" + scramble("old pw") + "\r\n");
    runSheet(kPassword, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        // ms.ini would drop the blank, and the password read back would not
        // be the one typed: the settings could no longer be opened.
        Seen seen = clickReplying(page, IDC_PWD_NEW, {typing(" secret"), typing(" secret"), pressing("Error", IDOK)});
        ASSERT_EQ(seen.size(), 3u);
        EXPECT_EQ(seen[2], "A password cannot begin or end with a space...");
        EXPECT_EQ(text(page, IDC_PWD_PASSWORD), "old pw");
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("esmtp", "ver"), scramble("old pw"));
}

}  // namespace
