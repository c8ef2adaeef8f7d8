// The Foot Note page through the real sheet: the standard note when there
// is no file, empty lines kept, and a note applied unchanged left as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include "admin/footnote_ids.h"
#include "support/ui_driver.h"

using namespace drive;
using namespace testing_support;

namespace {

constexpr const char* kFootNote = "Foot Note";

TEST(FootNotePage, ShowsTheStandardNoteWithoutAFileAndWritesEmptyLinesBack) {
    Install install;
    runSheet(kFootNote, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(text(page, IDC_FOOT_TEXT),
                  "This e-mail is confidential and may also be privileged. If you are not the \r\nintended recipient "
                  "please notify us immediately. \r\n You should not copy this e-mail or use it for any purpose nor "
                  "disclose \r\nits contents to any person. Furthermore by accepting this e-mail from us \r\nyou agree "
                  "that you will not rely on or seek to rely on any representation,\r\nagreement or undertaking "
                  "purported to be made in any e-mail sent to you in \r\nelectronic form unless such e-mail is "
                  "subsequently confirmed in writing and \r\nsigned by an authorised officer of the company.\r\n");
        EXPECT_FALSE(checked(page, IDC_FOOT_ENABLE));
        EXPECT_EQ(LOWORD(SendDlgItemMessageA(page, IDC_FOOT_TEXT, EM_GETMARGINS, 0, 0)), 5);
        setText(page, IDC_FOOT_TEXT, "\r\nKind regards\r\n\r\n\r\nThe Office");
        click(page, IDC_FOOT_ENABLE);
        pressOk(sheet);
    });
    EXPECT_EQ(readFile(install.file("foot note.txt")), "\r\nKind regards\r\n\r\n\r\nThe Office\r\n");
    EXPECT_EQ(install.ini("footnote", "use"), "1");
}

TEST(FootNotePage, ANoteAppliedUnchangedLeavesTheFileByteForByte) {
    const std::string note = "Kind regards\r\n\r\nThe Office\r\n\r\n";
    Install install("[footnote]\r\nuse=1\r\n");
    writeFile(install.file("foot note.txt"), note);
    for (int round = 0; round < 2; ++round) {
        runSheet(kFootNote, [&](HWND sheet) {
            HWND page = currentPage(sheet);
            EXPECT_EQ(text(page, IDC_FOOT_TEXT), note);
            EXPECT_TRUE(checked(page, IDC_FOOT_ENABLE));
            pressOk(sheet);
        });
        EXPECT_EQ(readFile(install.file("foot note.txt")), note) << "round " << round;
    }
}

}  // namespace
