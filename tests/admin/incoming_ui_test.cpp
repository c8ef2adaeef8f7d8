// The Incoming page through the real sheet: what is stored is shown, edits
// reach ms.ini at Apply only, and every Save refusal names its field.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "admin/advanced_pop_ids.h"
#include "admin/incoming_ids.h"
#include "support/ui_driver.h"

using namespace drive;

namespace {

constexpr const char* kIncoming = "Incoming";

const char* kMailboxes =
    "[mailbox0]\r\nname=(Postmaster)\r\n[mailbox1]\r\nname=Alice\r\n[mailbox2]\r\nname=bob\r\n";

std::string twoServers() {
    return std::string(kMailboxes) + "[incoming]\r\n" +
           "node0=pop.one.example\r\nuser0=ann\r\nPassword0=" + scramble("first!pw") + "\r\nport0=995\r\n" +
           "deletemail0=0\r\nactive0=1\r\nbypass0=1\r\nbpuser0=bob\r\n" +
           "node1=pop.two.example\r\nuser1=ben\r\npassword1=" + scramble("second") + "\r\nactive1=0\r\n";
}

TEST(IncomingPage, ShowsStoredRecordsUpToTheFirstGapAndApplyRewritesWithoutIt) {
    Install install(std::string(kMailboxes) + "[incoming]\r\nnode0=pop.one.example\r\nuser0=ann\r\nPassword0=" +
                    scramble("a b") + "\r\nnode2=pop.orphan.example\r\nuser2=zed\r\n");
    runSheet(kIncoming, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(listItems(page, IDC_IN_LIST), std::vector<std::string>{"pop.one.example (ann)"});
        EXPECT_EQ(text(page, IDC_IN_SERVER), "pop.one.example");
        EXPECT_EQ(text(page, IDC_IN_PORT), "110");
        EXPECT_EQ(text(page, IDC_IN_PASSWORD), "a b");
        EXPECT_TRUE(checked(page, IDC_IN_REMOVE_MAIL));
        EXPECT_FALSE(checked(page, IDC_IN_EXTENSIONS));
        EXPECT_FALSE(visible(page, IDC_IN_EXTENSIONS));
        EXPECT_FALSE(enabled(page, IDC_IN_SERVER)) << "view mode";
        EXPECT_TRUE(checked(page, IDC_IN_ROUTE)) << "action defaults to 2";
        pressOk(sheet);
    });
    EXPECT_EQ(install.keys("incoming"),
              (std::vector<std::string>{"node0", "user0", "password0", "port0", "deletemail0", "extention0",
                                        "active0", "bypass0", "bpuser0", "tls0"}));
    EXPECT_EQ(install.ini("incoming", "node2"), "<none>");
    EXPECT_EQ(unscramble(install.ini("incoming", "password0")), "a b");
    EXPECT_EQ(install.ini("incoming", "deletemail0"), "1");
    EXPECT_EQ(install.ini("incoming", "extention0"), "0");
    EXPECT_EQ(install.ini("undelmail", "action"), "2");
    EXPECT_EQ(install.ini("undelmail", "recipient"), "(Postmaster)") << "first mailbox when none is stored";
    EXPECT_EQ(install.ini("undelmail", "sendbounce"), "0");
}

TEST(IncomingPage, TheEncryptionChoiceIsStoredBesideTheRecordAndPort995IsAlwaysTls) {
    Install install(twoServers() + "tls1=2\r\n");
    runSheet(kIncoming, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(comboItems(page, IDC_IN_TLS), (std::vector<std::string>{"None", "TLS", "STARTTLS"}));
        EXPECT_EQ(comboSelection(page, IDC_IN_TLS), "TLS") << "port 995, stored before the choice existed";
        EXPECT_FALSE(enabled(page, IDC_IN_TLS)) << "view mode";
        selectListItem(page, IDC_IN_LIST, 1);
        EXPECT_EQ(comboSelection(page, IDC_IN_TLS), "STARTTLS");

        // The port's rule wins over a choice of None.
        selectListItem(page, IDC_IN_LIST, 0);
        click(page, IDC_IN_EDIT);
        EXPECT_TRUE(enabled(page, IDC_IN_TLS));
        SendDlgItemMessageA(page, IDC_IN_TLS, CB_SETCURSEL, 0, 0);
        click(page, IDC_IN_SAVE);
        EXPECT_EQ(comboSelection(page, IDC_IN_TLS), "TLS");

        click(page, IDC_IN_ADD);
        EXPECT_EQ(comboSelection(page, IDC_IN_TLS), "None");
        setText(page, IDC_IN_SERVER, "pop.three.example");
        setText(page, IDC_IN_USER, "cat");
        setText(page, IDC_IN_PASSWORD, "pw");
        SendDlgItemMessageA(page, IDC_IN_TLS, CB_SETCURSEL, 1, 0);
        click(page, IDC_IN_SAVE);
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("incoming", "tls0"), "1");
    EXPECT_EQ(install.ini("incoming", "tls1"), "2");
    EXPECT_EQ(install.ini("incoming", "tls2"), "1");
    EXPECT_EQ(install.ini("incoming", "node2"), "pop.three.example") << "the record's own keys as before";
    EXPECT_EQ(install.ini("incoming", "port2"), "110");
}

TEST(IncomingPage, AddedServerStartsWithItsDefaultsAndIsStoredScrambled) {
    Install install(twoServers());
    runSheet(kIncoming, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(listItems(page, IDC_IN_LIST).size(), 2u);
        EXPECT_EQ(comboSelection(page, IDC_IN_BYPASS_USER), "bob");
        click(page, IDC_IN_ADD);
        EXPECT_TRUE(enabled(page, IDC_IN_SERVER));
        EXPECT_FALSE(enabled(page, IDC_IN_LIST));
        EXPECT_EQ(text(page, IDC_IN_PORT), "110");
        EXPECT_TRUE(checked(page, IDC_IN_REMOVE_MAIL));
        EXPECT_TRUE(checked(page, IDC_IN_EXTENSIONS));
        EXPECT_TRUE(checked(page, IDC_IN_ACTIVE));
        EXPECT_FALSE(checked(page, IDC_IN_BYPASS));
        EXPECT_FALSE(enabled(page, IDC_IN_BYPASS_USER));
        setText(page, IDC_IN_SERVER, "pop.three.example");
        setText(page, IDC_IN_USER, "cat");
        setText(page, IDC_IN_PASSWORD, "p@ss!w#rd:;");
        click(page, IDC_IN_BYPASS);
        EXPECT_TRUE(enabled(page, IDC_IN_BYPASS_USER));
        click(page, IDC_IN_SAVE);
        EXPECT_EQ(listItems(page, IDC_IN_LIST).back(), "pop.three.example (cat)");
        EXPECT_EQ(listSelection(page, IDC_IN_LIST), 2);
        EXPECT_FALSE(enabled(page, IDC_IN_SERVER)) << "back in view mode";
        pressApply(sheet);
        EXPECT_EQ(install.ini("incoming", "node2"), "pop.three.example");
        pressCancel(sheet);
    });
    EXPECT_EQ(unscramble(install.ini("incoming", "password2")), "p@ss!w#rd:;");
    EXPECT_NE(install.ini("incoming", "password2"), "p@ss!w#rd:;");
    EXPECT_EQ(install.ini("incoming", "extention2"), "1");
    EXPECT_EQ(install.ini("incoming", "bypass2"), "1");
    EXPECT_EQ(install.ini("incoming", "bpuser2"), "(Postmaster)");
    // The records read back keep every field.
    EXPECT_EQ(install.ini("incoming", "port0"), "995");
    EXPECT_EQ(install.ini("incoming", "deletemail0"), "0");
    EXPECT_EQ(install.ini("incoming", "bpuser0"), "bob");
    EXPECT_EQ(unscramble(install.ini("incoming", "password0")), "first!pw");
    EXPECT_EQ(install.ini("incoming", "active1"), "0");
}

TEST(IncomingPage, SaveRefusesEachBadEntryWithItsMessageAndKeepsEditing) {
    Install install(twoServers());
    const std::string before = testing_support::readFile(install.iniPath());
    runSheet(kIncoming, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        click(page, IDC_IN_ADD);
        const std::string server = "Please enter a pop3 server name eg pop.example.com";
        const std::string user = "Please enter the pop3 user name as supplied by your ISP";
        const std::string password = "Please enter the pop3 password as supplied by your ISP";
        expectRefusals(page,
                       {{0, "", "Please enter the pop3 server name eg pop.example.com", IDC_IN_SERVER},
                        {IDC_IN_SERVER, "joe@pop.example", server, IDC_IN_SERVER},
                        {IDC_IN_SERVER, "pop example", server + " (remove space characters)", IDC_IN_SERVER},
                        {IDC_IN_SERVER, "pop.example", user, IDC_IN_USER},
                        {IDC_IN_USER, "jo e", user + " (remove space characters)", IDC_IN_USER},
                        {IDC_IN_USER, "joe", password, IDC_IN_PASSWORD},
                        {IDC_IN_PASSWORD, "se cret", password + " (remove space characters)", IDC_IN_PASSWORD}},
                       [&] { return clickExpectingError(page, IDC_IN_SAVE); });
        EXPECT_TRUE(enabled(page, IDC_IN_SAVE)) << "still editing";
        EXPECT_EQ(listItems(page, IDC_IN_LIST).size(), 2u);
        click(page, IDC_IN_CANCEL);
        EXPECT_FALSE(enabled(page, IDC_IN_SAVE));
        EXPECT_EQ(text(page, IDC_IN_SERVER), "pop.one.example") << "shows the selected record again";
        pressCancel(sheet);
    });
    EXPECT_EQ(testing_support::readFile(install.iniPath()), before) << "Cancel writes nothing";
}

TEST(IncomingPage, EditMoveDeleteAndTheUndeliverableGroup) {
    Install install(twoServers() + "[undelmail]\r\naction=1\r\nrecipient=nobody\r\nsendbounce=2\r\n");
    runSheet(kIncoming, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_TRUE(checked(page, IDC_IN_KILL));
        EXPECT_FALSE(enabled(page, IDC_IN_RECIPIENT));
        EXPECT_FALSE(checked(page, IDC_IN_BOUNCE)) << "only 1 counts as on";
        EXPECT_EQ(comboSelection(page, IDC_IN_RECIPIENT), "(Postmaster)") << "no match: the first mailbox";

        selectListItem(page, IDC_IN_LIST, 1);
        EXPECT_EQ(text(page, IDC_IN_SERVER), "pop.two.example");
        EXPECT_FALSE(checked(page, IDC_IN_ACTIVE));
        click(page, IDC_IN_EDIT);
        setText(page, IDC_IN_SERVER, "pop.2.example");
        click(page, IDC_IN_SAVE);
        EXPECT_EQ(listItems(page, IDC_IN_LIST),
                  (std::vector<std::string>{"pop.one.example (ann)", "pop.2.example (ben)"}));
        click(page, IDC_IN_UP);
        EXPECT_EQ(listItems(page, IDC_IN_LIST).front(), "pop.2.example (ben)");
        EXPECT_EQ(listSelection(page, IDC_IN_LIST), 0);
        click(page, IDC_IN_UP);  // already first: nothing moves
        EXPECT_EQ(listItems(page, IDC_IN_LIST).front(), "pop.2.example (ben)");

        click(page, IDC_IN_ROUTE);
        EXPECT_TRUE(enabled(page, IDC_IN_RECIPIENT));
        click(page, IDC_IN_BOUNCE);
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("incoming", "node0"), "pop.2.example");
    EXPECT_EQ(install.ini("incoming", "active0"), "0");
    EXPECT_EQ(unscramble(install.ini("incoming", "password0")), "second");
    EXPECT_EQ(install.ini("incoming", "node1"), "pop.one.example");
    EXPECT_EQ(install.ini("undelmail", "action"), "2");
    EXPECT_EQ(install.ini("undelmail", "recipient"), "(Postmaster)");
    EXPECT_EQ(install.ini("undelmail", "sendbounce"), "1");
}

TEST(IncomingPage, DeletingEveryServerLeavesTheSectionEmptyAndKillKeepsTheRecipient) {
    Install install(twoServers() + "[undelmail]\r\naction=2\r\nrecipient=bob\r\n");
    runSheet(kIncoming, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(comboSelection(page, IDC_IN_RECIPIENT), "bob");
        selectListItem(page, IDC_IN_LIST, 1);
        click(page, IDC_IN_DELETE);
        EXPECT_EQ(listSelection(page, IDC_IN_LIST), 0) << "the nearest entry above";
        click(page, IDC_IN_DELETE);
        EXPECT_TRUE(listItems(page, IDC_IN_LIST).empty());
        EXPECT_EQ(text(page, IDC_IN_SERVER), "") << "nothing selected: the editor is cleared";
        click(page, IDC_IN_KILL);
        pressOk(sheet);
    });
    EXPECT_TRUE(install.keys("incoming").empty());
    EXPECT_EQ(install.ini("undelmail", "action"), "1");
    EXPECT_EQ(install.ini("undelmail", "recipient"), "bob") << "left as it was";
}

TEST(IncomingPage, AdvancedOptionsWriteOnTheirOwnOkEvenWhenTheSheetIsCancelled) {
    Install install(twoServers());
    runSheet(kIncoming, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        bool opened = clickOpening(page, IDC_IN_ADVANCED, "Advanced Options", [](HWND dialog) {
            EXPECT_FALSE(checked(dialog, IDC_ADV_USE));
            EXPECT_EQ(text(dialog, IDC_ADV_SIZE), "1");
            EXPECT_TRUE(checked(dialog, IDC_ADV_WARNING));
            EXPECT_FALSE(enabled(dialog, IDC_ADV_SIZE));
            click(dialog, IDC_ADV_USE);
            EXPECT_TRUE(enabled(dialog, IDC_ADV_SIZE));
            EXPECT_TRUE(enabled(dialog, IDC_ADV_DELETE));
            SendDlgItemMessageA(dialog, IDC_ADV_SPIN, UDM_SETPOS32, 0, 7);
            click(dialog, IDC_ADV_DELETE);
            click(dialog, IDOK);
        });
        EXPECT_TRUE(opened);
        clickOpening(page, IDC_IN_ADVANCED, "Advanced Options", [](HWND dialog) {
            EXPECT_TRUE(checked(dialog, IDC_ADV_USE)) << "shows what its OK wrote";
            click(dialog, IDC_ADV_WARNING);
            click(dialog, IDCANCEL);
        });
        pressCancel(sheet);
    });
    EXPECT_EQ(install.ini("advpop", "use"), "1");
    EXPECT_EQ(install.ini("advpop", "size"), "7");
    EXPECT_EQ(install.ini("advpop", "sendwarning"), "1") << "the second dialog was cancelled";
    EXPECT_EQ(install.ini("advpop", "delete"), "1");
    EXPECT_EQ(install.ini("incoming", "extention0"), "<none>") << "the cancelled sheet wrote nothing";
}

// A server key that is there but empty names no mailbox: it is left out,
// and the mailboxes behind it are shown and written back.
TEST(IncomingPage, AnEmptyServerInALongListLosesNoMailboxBehindIt) {
    std::string ini = std::string(kMailboxes) + "[incoming]\r\n";
    for (int i = 0; i < 2000; ++i) {
        const std::string n = std::to_string(i);
        ini += "node" + n + "=" + (i == 1 ? std::string() : "pop" + n + ".example") + "\r\nuser" + n + "=u" + n +
               "\r\nport" + n + "=" + (i == 2 ? "995" : "110") + "\r\n";
    }
    Install install(ini);
    runSheet(kIncoming, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        std::vector<std::string> shown = listItems(page, IDC_IN_LIST);
        ASSERT_EQ(shown.size(), 1999u);
        EXPECT_EQ(shown[1], "pop2.example (u2)");
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("incoming", "node1"), "pop2.example");
    EXPECT_EQ(install.ini("incoming", "port1"), "995");
    EXPECT_EQ(install.ini("incoming", "tls1"), "1") << "each record's keys move with it";
    EXPECT_EQ(install.ini("incoming", "node1998"), "pop1999.example");
    EXPECT_EQ(install.ini("incoming", "node1999"), "<none>");
}

}  // namespace
