// The Options page through the real sheet: every key's default, the remote
// administration password and its controls, the order of operations, the
// archive's subfolders and the event log viewer.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "admin/options_ids.h"
#include "support/ui_driver.h"

using namespace drive;

namespace {

constexpr const char* kOptions = "Options";
constexpr char kDefaultPassword[] = "pX7rk";  // stored scrambled

bool masked(HWND dialog, int id) { return SendDlgItemMessageA(dialog, id, EM_GETPASSWORDCHAR, 0, 0) != 0; }

TEST(OptionsPage, ShowsTheDefaultsAndStoresTheDefaultPasswordScrambled) {
    Install install;
    runSheet(kOptions, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        for (int id : {IDC_OPT_CONNECT_START, IDC_OPT_ARCHIVE_IN, IDC_OPT_ARCHIVE_OUT, IDC_OPT_WARN,
                       IDC_OPT_ADMIN_LOCAL, IDC_OPT_ADMIN_ANYONE, IDC_OPT_SHOW_PASSWORD})
            EXPECT_FALSE(checked(page, id)) << id;
        EXPECT_TRUE(checked(page, IDC_OPT_LOG_FILE));
        EXPECT_TRUE(checked(page, IDC_OPT_TIPS));
        EXPECT_EQ(text(page, IDC_OPT_FIRST), "Send mail");
        EXPECT_EQ(text(page, IDC_OPT_SECOND), "Collect mail");
        EXPECT_EQ(text(page, IDC_OPT_PASSWORD), unscramble(kDefaultPassword));
        EXPECT_TRUE(masked(page, IDC_OPT_PASSWORD));
        for (int id : {IDC_OPT_PASSWORD, IDC_OPT_PASSWORD_LABEL, IDC_OPT_SHOW_PASSWORD, IDC_OPT_SET_FOLDER})
            EXPECT_FALSE(enabled(page, id)) << id;
        EXPECT_EQ(GetFocus(), GetDlgItem(page, IDC_OPT_CONNECT_START));
        click(page, IDC_OPT_ARCHIVE_OUT);
        EXPECT_TRUE(enabled(page, IDC_OPT_SET_FOLDER));
        click(page, IDC_OPT_ARCHIVE_OUT);
        EXPECT_FALSE(enabled(page, IDC_OPT_SET_FOLDER));
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("radm", "admpw"), kDefaultPassword) << "the default becomes an explicit value";
    EXPECT_EQ(install.ini("options", "sendfirst"), "1");
    EXPECT_EQ(install.ini("startup", "connect"), "0");
    EXPECT_EQ(install.ini("archive", "in"), "0");
    EXPECT_EQ(install.ini("archive", "out"), "0");
    EXPECT_EQ(install.ini("archive", "folder"), "");
    EXPECT_EQ(install.ini("EventLog", "use"), "1");
    EXPECT_EQ(install.ini("tooltips", "use"), "1");
    EXPECT_EQ(install.ini("radm", "internal"), "0");
    EXPECT_EQ(install.ini("radm", "external"), "0");
    EXPECT_EQ(install.ini("warning", "connect-fail"), "0");
}

TEST(OptionsPage, ThePasswordIsLiveWithEitherKindOfAdministrationAndAnEmptiedOneIsStoredEmpty) {
    Install install("[radm]\r\ninternal=1\r\nadmpw=" + scramble("old secret") + "\r\n");
    runSheet(kOptions, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(text(page, IDC_OPT_PASSWORD), "old secret");
        EXPECT_TRUE(enabled(page, IDC_OPT_PASSWORD));
        click(page, IDC_OPT_ADMIN_ANYONE);
        click(page, IDC_OPT_ADMIN_LOCAL);
        EXPECT_TRUE(enabled(page, IDC_OPT_PASSWORD)) << "external alone keeps it live";
        EXPECT_TRUE(enabled(page, IDC_OPT_PASSWORD_LABEL));
        click(page, IDC_OPT_SHOW_PASSWORD);
        EXPECT_FALSE(masked(page, IDC_OPT_PASSWORD));
        click(page, IDC_OPT_SHOW_PASSWORD);
        EXPECT_TRUE(masked(page, IDC_OPT_PASSWORD));
        setText(page, IDC_OPT_PASSWORD, "");
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("radm", "admpw", "<none>"), "");
    EXPECT_EQ(install.ini("radm", "internal"), "0");
    EXPECT_EQ(install.ini("radm", "external"), "1");
}

TEST(OptionsPage, SendFirstOtherThanOneShowsCollectingFirstAndChangeSwapsTheOrder) {
    Install install("[options]\r\nsendfirst=2\r\n");
    runSheet(kOptions, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(text(page, IDC_OPT_FIRST), "Collect mail");
        EXPECT_EQ(text(page, IDC_OPT_SECOND), "Send mail");
        pressApply(sheet);
        EXPECT_EQ(install.ini("options", "sendfirst"), "0");
        click(page, IDC_OPT_SWAP);
        EXPECT_EQ(text(page, IDC_OPT_FIRST), "Send mail");
        EXPECT_EQ(text(page, IDC_OPT_SECOND), "Collect mail");
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("options", "sendfirst"), "1");
}

TEST(OptionsPage, ApplyMakesTheArchiveFoldersEvenWithArchivingOff) {
    Install install;
    std::string archive = install.file("archive");
    install.set("archive", "folder", archive);
    runSheet(kOptions, [&](HWND sheet) {
        EXPECT_FALSE(checked(currentPage(sheet), IDC_OPT_ARCHIVE_IN));
        pressOk(sheet);
    });
    EXPECT_TRUE(testing_support::fileExists(archive + "\\in"));
    EXPECT_TRUE(testing_support::fileExists(archive + "\\out"));
    EXPECT_EQ(install.ini("archive", "folder"), archive);
}

TEST(OptionsPage, ViewLogWithoutAnEventLogWarns) {
    Install install;
    runSheet(kOptions, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(clickExpectingBox(page, IDC_OPT_VIEW_LOG, "Warning"), "You do not have an event log");
        pressCancel(sheet);
    });
}

}  // namespace
