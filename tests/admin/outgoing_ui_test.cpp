// The Outgoing page through the real sheet: relays are built, shown and
// stored exactly, the options round-trip, and the two sub-dialogs behave.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "admin/outgoing_ids.h"
#include "admin/select_users_ids.h"
#include "admin/smtp_auth_ids.h"
#include "support/ui_driver.h"

using namespace drive;

namespace {

constexpr const char* kOutgoing = "Outgoing";

const char* kSetup =
    "[mailbox0]\r\nname=(Postmaster)\r\n[mailbox1]\r\nname=Alice\r\n[mailbox2]\r\nname=bob\r\n"
    "[outgoing]\r\nserver0=smtp.old.example:25:::0:::\r\nuse-next=2\r\n"
    "[opt-outgoing]\r\ncopy=1\r\ncopyuser=ALI\r\nredir=0\r\nrediruser=bob\r\nsize=1\r\nsizekb=512\r\n";

// Fills the editor after Add with a host and saves.
void addRelay(HWND page, const std::string& host) {
    click(page, IDC_OUT_ADD);
    setText(page, IDC_OUT_HOST, host);
}

TEST(OutgoingPage, NewRelaysGoOnTopInTheirPackedFormAndApplyWritesThemInOrder) {
    Install install(kSetup);
    runSheet(kOutgoing, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(listItems(page, IDC_OUT_LIST), std::vector<std::string>{"smtp.old.example:25:::0:::"});
        EXPECT_FALSE(checked(page, IDC_OUT_USE_NEXT)) << "use-next=2 is not on";

        addRelay(page, "smtp.plain.example");
        EXPECT_EQ(text(page, IDC_OUT_PORT), "25");
        EXPECT_FALSE(enabled(page, IDC_OUT_SENDER));
        click(page, IDC_OUT_SAVE);

        addRelay(page, "smtp.from.example");
        click(page, IDC_OUT_CHANGE_FROM);
        EXPECT_TRUE(enabled(page, IDC_OUT_SENDER));
        setText(page, IDC_OUT_SENDER, "office@example.org");
        click(page, IDC_OUT_INSIDE);
        SendDlgItemMessageA(page, IDC_OUT_PORT_SPIN, UDM_SETPOS32, 0, 587);
        click(page, IDC_OUT_SAVE);

        addRelay(page, "smtp.blank.example");
        click(page, IDC_OUT_CHANGE_FROM);  // ticked, but no address: no replacement sender
        click(page, IDC_OUT_SAVE);

        EXPECT_EQ(listItems(page, IDC_OUT_LIST),
                  (std::vector<std::string>{"smtp.blank.example:25:::0:::",
                                            "smtp.from.example:587:office@example.org:1:0:::",
                                            "smtp.plain.example:25:::0:::", "smtp.old.example:25:::0:::"}));
        EXPECT_EQ(listSelection(page, IDC_OUT_LIST), 0);
        EXPECT_FALSE(enabled(page, IDC_OUT_HOST)) << "view mode after Save";

        click(page, IDC_OUT_DOWN);
        EXPECT_EQ(listSelection(page, IDC_OUT_LIST), 1);
        selectListItem(page, IDC_OUT_LIST, 3);
        click(page, IDC_OUT_DELETE);
        EXPECT_EQ(listSelection(page, IDC_OUT_LIST), 2) << "the nearest entry above";
        pressOk(sheet);
    });
    EXPECT_EQ(install.keys("outgoing"),
              (std::vector<std::string>{"server0", "tls0", "server1", "tls1", "server2", "tls2", "use-next"}));
    EXPECT_EQ(install.ini("outgoing", "server0"), "smtp.from.example:587:office@example.org:1:0:::");
    EXPECT_EQ(install.ini("outgoing", "server1"), "smtp.blank.example:25:::0:::");
    EXPECT_EQ(install.ini("outgoing", "server2"), "smtp.plain.example:25:::0:::");
    EXPECT_EQ(install.ini("outgoing", "use-next"), "0");
}

TEST(OutgoingPage, AuthenticationIsRequiredWhenTickedAndStoredBase64) {
    Install install(kSetup);
    runSheet(kOutgoing, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        addRelay(page, "smtp.auth.example");
        EXPECT_FALSE(enabled(page, IDC_OUT_AUTH_SET));
        click(page, IDC_OUT_AUTH);
        EXPECT_TRUE(enabled(page, IDC_OUT_AUTH_SET));
        EXPECT_EQ(clickExpectingError(page, IDC_OUT_SAVE), "Please enter authentication data");
        EXPECT_EQ(GetFocus(), GetDlgItem(page, IDC_OUT_AUTH_SET));

        bool opened = clickOpening(page, IDC_OUT_AUTH_SET, "SMTP Authentication", [](HWND dialog) {
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_AUTH_ACCOUNT));
            EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_AUTH_PASSWORD, EM_GETPASSWORDCHAR, 0, 0), '*');
            EXPECT_EQ(clickExpectingError(dialog, IDOK), "Please enter the account id");
            setText(dialog, IDC_AUTH_ACCOUNT, "joe");
            EXPECT_EQ(clickExpectingError(dialog, IDOK), "Please enter the password");
            setText(dialog, IDC_AUTH_PASSWORD, "secret");
            click(dialog, IDC_AUTH_SHOW);
            EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_AUTH_PASSWORD, EM_GETPASSWORDCHAR, 0, 0), 0);
            EXPECT_EQ(text(dialog, IDC_AUTH_PASSWORD), "secret");
            click(dialog, IDOK);
        });
        EXPECT_TRUE(opened);
        click(page, IDC_OUT_SAVE);
        EXPECT_EQ(listItems(page, IDC_OUT_LIST).front(), "smtp.auth.example:25:::1:am9l:c2VjcmV0:");

        // The buffers are emptied by Save: a second relay needs its own login.
        addRelay(page, "smtp.again.example");
        click(page, IDC_OUT_AUTH);
        clickOpening(page, IDC_OUT_AUTH_SET, "SMTP Authentication", [](HWND dialog) {
            setText(dialog, IDC_AUTH_ACCOUNT, "x");
            click(dialog, IDCANCEL);
        });
        EXPECT_EQ(clickExpectingError(page, IDC_OUT_SAVE), "Please enter authentication data");
        click(page, IDC_OUT_CANCEL);
        pressApply(sheet);
        pressCancel(sheet);
    });
    EXPECT_EQ(install.ini("outgoing", "server0"), "smtp.auth.example:25:::1:am9l:c2VjcmV0:");
    EXPECT_EQ(install.ini("outgoing", "server1"), "smtp.old.example:25:::0:::");
    EXPECT_EQ(install.ini("outgoing", "server2"), "<none>");
}

TEST(OutgoingPage, TheEncryptionChoiceIsStoredBesideTheRelayRecord) {
    Install install("[outgoing]\r\nserver0=smtp.old.example:25:::0:::\r\ntls0=2\r\n"
                    "server1=smtp.tls.example:465::0:0:::\r\n");
    runSheet(kOutgoing, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(comboItems(page, IDC_OUT_TLS), (std::vector<std::string>{"None", "TLS", "STARTTLS"}));
        addRelay(page, "smtp.new.example");
        EXPECT_EQ(comboSelection(page, IDC_OUT_TLS), "None");
        SendDlgItemMessageA(page, IDC_OUT_TLS, CB_SETCURSEL, 2, 0);
        click(page, IDC_OUT_SAVE);
        addRelay(page, "smtp.plain.example");
        click(page, IDC_OUT_SAVE);
        pressOk(sheet);
    });
    // The new relays on top; the records keep their packed form.
    EXPECT_EQ(install.ini("outgoing", "server0"), "smtp.plain.example:25:::0:::");
    EXPECT_EQ(install.ini("outgoing", "tls0"), "0");
    EXPECT_EQ(install.ini("outgoing", "server1"), "smtp.new.example:25:::0:::");
    EXPECT_EQ(install.ini("outgoing", "tls1"), "2");
    EXPECT_EQ(install.ini("outgoing", "server2"), "smtp.old.example:25:::0:::");
    EXPECT_EQ(install.ini("outgoing", "tls2"), "2");
    EXPECT_EQ(install.ini("outgoing", "server3"), "smtp.tls.example:465::0:0:::");
    EXPECT_EQ(install.ini("outgoing", "tls3"), "1") << "port 465 is TLS from the first byte";
}

TEST(OutgoingPage, SaveRefusesBadHostsAndAddressesAndCancelWritesNothing) {
    Install install(kSetup);
    const std::string before = testing_support::readFile(install.iniPath());
    runSheet(kOutgoing, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        const auto save = [&] { return clickExpectingError(page, IDC_OUT_SAVE); };
        click(page, IDC_OUT_ADD);
        expectRefusals(page,
                       {{0, "", "Please enter the outgoing mail gateway..."},
                        {IDC_OUT_HOST, "me@smtp.example", "Please enter a gateway name eg smtp.example.com"},
                        {IDC_OUT_HOST, "smtp example",
                         "Please enter a gateway name eg smtp.example.com (remove space characters)"},
                        {IDC_OUT_HOST, "smtp.example", ""}},
                       save);
        click(page, IDC_OUT_CHANGE_FROM);
        const std::string address = "Please enter a valid email address eg postmaster@example.com";
        expectRefusals(page,
                       {{IDC_OUT_SENDER, "office", address, IDC_OUT_SENDER},
                        {IDC_OUT_SENDER, "office@example", address, IDC_OUT_SENDER},
                        {IDC_OUT_SENDER, "<office@example.org>", address, IDC_OUT_SENDER},
                        {IDC_OUT_SENDER, "of fice@example.org", address, IDC_OUT_SENDER}},
                       save);
        EXPECT_EQ(listItems(page, IDC_OUT_LIST).size(), 1u);
        pressCancel(sheet);
    });
    EXPECT_EQ(testing_support::readFile(install.iniPath()), before);
}

TEST(OutgoingPage, OptionsShowAndStoreTheirUsersAndSizeLimit) {
    Install install(kSetup);
    runSheet(kOutgoing, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(comboItems(page, IDC_OUT_COPY_USER), (std::vector<std::string>{"(Postmaster)", "Alice", "bob"}));
        EXPECT_TRUE(checked(page, IDC_OUT_COPY));
        EXPECT_EQ(comboSelection(page, IDC_OUT_COPY_USER), "Alice") << "case-insensitive prefix";
        EXPECT_TRUE(enabled(page, IDC_OUT_COPY_USERS));
        EXPECT_FALSE(checked(page, IDC_OUT_REDIR));
        EXPECT_FALSE(enabled(page, IDC_OUT_REDIR_USER));
        EXPECT_EQ(comboSelection(page, IDC_OUT_REDIR_USER), "bob");
        EXPECT_EQ(text(page, IDC_OUT_SIZE_KB), "512");
        EXPECT_TRUE(enabled(page, IDC_OUT_SIZE_SPIN));

        click(page, IDC_OUT_SIZE);
        EXPECT_FALSE(enabled(page, IDC_OUT_SIZE_KB));
        EXPECT_FALSE(enabled(page, IDC_OUT_SIZE_USERS));
        click(page, IDC_OUT_REDIR);
        EXPECT_TRUE(enabled(page, IDC_OUT_REDIR_USERS));
        SendDlgItemMessageA(page, IDC_OUT_SIZE_SPIN, UDM_SETPOS32, 0, 1024);
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("opt-outgoing", "copy"), "1");
    EXPECT_EQ(install.ini("opt-outgoing", "copyuser"), "Alice");
    EXPECT_EQ(install.ini("opt-outgoing", "redir"), "1");
    EXPECT_EQ(install.ini("opt-outgoing", "rediruser"), "bob");
    EXPECT_EQ(install.ini("opt-outgoing", "size"), "0");
    EXPECT_EQ(install.ini("opt-outgoing", "sizekb"), "1024");
}

TEST(OutgoingPage, SelectUsersWritesItsSectionOnItsOwnOk) {
    Install install(std::string(kSetup) + "[opt-out-redir]\r\nuser0=bob\r\nuser1=ghost\r\n");
    runSheet(kOutgoing, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        click(page, IDC_OUT_REDIR);  // enables its "Applies To"
        EXPECT_TRUE(clickOpening(page, IDC_OUT_COPY_USERS, "Select Users", [](HWND dialog) {
            EXPECT_EQ(text(dialog, IDC_SEL_TITLE), "Please select the users that will have outgoing mail copied");
            EXPECT_EQ(listItems(dialog, IDC_SEL_USERS), (std::vector<std::string>{"(Postmaster)", "Alice", "bob"}));
            EXPECT_TRUE(listItems(dialog, IDC_SEL_SELECTED).empty());
            selectListItem(dialog, IDC_SEL_USERS, 2);
            click(dialog, IDC_SEL_ADD);
            click(dialog, IDC_SEL_ADD);  // already there: not twice
            selectListItem(dialog, IDC_SEL_USERS, 0);
            click(dialog, IDC_SEL_ADD);
            EXPECT_EQ(listItems(dialog, IDC_SEL_SELECTED), (std::vector<std::string>{"bob", "(Postmaster)"}));
            EXPECT_EQ(listSelection(dialog, IDC_SEL_SELECTED), 1);
            click(dialog, IDOK);
        }));
        EXPECT_TRUE(clickOpening(page, IDC_OUT_REDIR_USERS, "Select Users", [](HWND dialog) {
            EXPECT_EQ(listItems(dialog, IDC_SEL_SELECTED), (std::vector<std::string>{"bob", "ghost"}));
            click(dialog, IDC_SEL_ADD_ALL);
            EXPECT_EQ(listItems(dialog, IDC_SEL_SELECTED).size(), 3u);
            selectListItem(dialog, IDC_SEL_SELECTED, 2);
            click(dialog, IDC_SEL_REMOVE);
            EXPECT_EQ(listSelection(dialog, IDC_SEL_SELECTED), 1);
            click(dialog, IDCANCEL);
        }));
        EXPECT_TRUE(clickOpening(page, IDC_OUT_SIZE_USERS, "Select Users", [](HWND dialog) {
            click(dialog, IDC_SEL_ADD_ALL);
            click(dialog, IDC_SEL_REMOVE_ALL);
            click(dialog, IDOK);
        }));
        pressCancel(sheet);
    });
    EXPECT_EQ(install.keys("opt-out-copy"), (std::vector<std::string>{"user0", "user1"}));
    EXPECT_EQ(install.ini("opt-out-copy", "user0"), "bob");
    EXPECT_EQ(install.ini("opt-out-copy", "user1"), "(Postmaster)");
    EXPECT_EQ(install.ini("opt-out-redir", "user1"), "ghost") << "Cancel writes nothing";
    EXPECT_TRUE(install.keys("opt-out-size").empty());
}

TEST(OutgoingPage, AnEmptyRelayInALongListLosesNoRelayBehindIt) {
    std::string ini = "[outgoing]\r\n";
    for (int i = 0; i < 2000; ++i) {
        const std::string n = std::to_string(i);
        ini += "server" + n + "=" + (i == 1 ? std::string() : "smtp" + n + ".example:25:::0:::") + "\r\ntls" + n + "=" +
               (i == 2 ? "2" : "0") + "\r\n";
    }
    Install install(ini);
    runSheet(kOutgoing, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(listItems(page, IDC_OUT_LIST).size(), 1999u);
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("outgoing", "server1"), "smtp2.example:25:::0:::");
    EXPECT_EQ(install.ini("outgoing", "tls1"), "2") << "the encryption moves with its relay";
    EXPECT_EQ(install.ini("outgoing", "server1998"), "smtp1999.example:25:::0:::");
    EXPECT_EQ(install.ini("outgoing", "server1999"), "<none>");
}

}  // namespace
