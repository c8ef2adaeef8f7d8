// "Mailbox Details" of the real DLL: the account rules as the administrator
// meets them, what Save writes and creates, and what Delete removes (the
// messages into the recycle bin, which the tests keep under XDG_DATA_HOME).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <memory>

#include "admin/mailbox_details_ids.h"
#include "support/ui_driver.h"
#include "utilities.h"

using namespace testing_support;

namespace {

std::string account(int index, const std::string& name, const std::string& address, const std::string& user,
                    const std::string& password = "") {
    std::string stored(password.size() + 1, '\0');
    std::string key = user;
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    Crypt(key.c_str(), password.c_str(), stored.data(), 1);
    stored.resize(password.size());
    return "[mailbox" + std::to_string(index) + "]\r\nname=" + name + "\r\naddress=" + address + "\r\nfolder=" + user +
           "\r\npassword=" + stored + "\r\nactive=1\r\n";
}

const std::string kAccounts = "[domain]\r\ndomain=example.org\r\nuse=1\r\n" +
                              account(0, "(Postmaster)", "root", "root") +
                              account(1, "Alice Smith", "alice", "alice", "alicepw1") +
                              account(2, "Bob Jones", "bob", "bob", "bobpw2");

class Accounts {
public:
    explicit Accounts(const std::string& ini = kAccounts) : install_(ini) {
        CreateDirectoryA(install_.file("mailboxes").c_str(), nullptr);
        for (const char* user : {"root", "alice", "bob"})
            CreateDirectoryA(install_.file(std::string("mailboxes\\") + user).c_str(), nullptr);
    }
    std::string ini(const std::string& section, const std::string& key) const { return install_.ini(section, key); }
    std::vector<std::string> keys(const std::string& section) const { return install_.keys(section); }
    std::string file(const std::string& name) const { return install_.file(name); }
    bool isFolder(const std::string& name) const {
        DWORD attributes = GetFileAttributesA(file(name).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    std::string password(int index, const std::string& user) const {
        std::string stored = ini("mailbox" + std::to_string(index), "password");
        std::string key = user, clear(stored.size() + 1, '\0');
        for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        Crypt(key.c_str(), stored.c_str(), clear.data(), 0);
        clear.resize(stored.size());
        return clear;
    }

private:
    drive::Install install_;
};

// Runs the dialog with steps once it is shown; returns its result.
int runDialog(const std::function<void(HWND)>& steps) {
    drive::whenShown("#32770", "Mailbox Details", [steps](HWND dialog) {
        if (!dialog) {
            ADD_FAILURE() << "the dialog did not appear";
            return;
        }
        steps(dialog);
        runLater(3000, [dialog] {
            if (!IsWindow(dialog)) return;
            ADD_FAILURE() << "the steps left the dialog open";
            EndDialog(dialog, 0);
        });
    });
    return ShowMboxConfig(nullptr);
}

// Clicks a control that is expected to show a message box titled title,
// answers it, and returns its text ("" when none came). A box of the other
// title fails the test and is closed, so the dialog cannot hang.
std::string clickExpecting(HWND dialog, int id, const std::string& title, int answer = IDOK) {
    auto seen = std::make_shared<std::string>();
    // The watchers outlive the click; once it is over they leave later
    // boxes to the next click's watchers.
    auto over = std::make_shared<bool>(false);
    drive::whenShown("#32770", title, [seen, over, answer](HWND box) {
        if (!box || *over) return;
        *seen = drive::messageBoxText(box);
        SendMessageA(box, WM_COMMAND, answer, 0);
    }, 3000);
    const std::string other = title == "Warning" ? "Error" : "Warning";
    drive::whenShown("#32770", other, [other, over](HWND box) {
        if (!box || *over) return;
        ADD_FAILURE() << "unexpected \"" << other << "\": " << drive::messageBoxText(box);
        SendMessageA(box, WM_COMMAND, IDOK, 0);
    }, 3000);
    drive::click(dialog, id);
    pumpFor(100);
    *over = true;
    return *seen;
}

void selectAccount(HWND dialog, const std::string& name) {
    std::vector<std::string> names = drive::listItems(dialog, IDC_MBOX_LIST);
    auto at = std::find(names.begin(), names.end(), name);
    ASSERT_NE(at, names.end()) << name;
    drive::selectListItem(dialog, IDC_MBOX_LIST, static_cast<int>(at - names.begin()));
}

void typeAccount(HWND dialog, const std::string& name, const std::string& address, const std::string& user,
                 const std::string& password) {
    drive::setText(dialog, IDC_MBOX_NAME, name);
    drive::setText(dialog, IDC_MBOX_ADDRESS, address);
    drive::setText(dialog, IDC_MBOX_USER, user);
    drive::setText(dialog, IDC_MBOX_PASSWORD, password);
}

int height(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r.bottom - r.top;
}

TEST(MailboxDetails, BrowsesAtTwentyThirtyThirdsOfItsHeightAndEditsAtFullHeight) {
    Accounts accounts;
    int result = runDialog([&](HWND dialog) {
        EXPECT_EQ(drive::listItems(dialog, IDC_MBOX_LIST),
                  (std::vector<std::string>{"(Postmaster)", "Alice Smith", "Bob Jones"}));
        EXPECT_EQ(drive::listSelection(dialog, IDC_MBOX_LIST), 0);
        EXPECT_EQ(drive::text(dialog, IDC_MBOX_USER), "root");
        EXPECT_FALSE(drive::enabled(dialog, IDC_MBOX_NAME));
        EXPECT_FALSE(drive::enabled(dialog, IDC_MBOX_SAVE));
        int browsing = height(dialog);

        selectAccount(dialog, "Alice Smith");
        EXPECT_EQ(drive::text(dialog, IDC_MBOX_PASSWORD), "alicepw1");
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_MBOX_PASSWORD, EM_GETPASSWORDCHAR, 0, 0), '*');
        drive::click(dialog, IDC_MBOX_EDIT);
        int full = height(dialog);
        EXPECT_NEAR(browsing, full * 20 / 33, 1);
        EXPECT_TRUE(drive::enabled(dialog, IDC_MBOX_NAME));
        EXPECT_FALSE(drive::enabled(dialog, IDC_MBOX_LIST));
        EXPECT_FALSE(drive::enabled(dialog, IDCANCEL)) << "no Close while editing";

        drive::click(dialog, IDC_MBOX_SHOW_PASSWORD);
        EXPECT_EQ(accounts.ini("mailbox-prefs", "showpassword"), "1");
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_MBOX_PASSWORD, EM_GETPASSWORDCHAR, 0, 0), 0);
        EXPECT_EQ(drive::text(dialog, IDC_MBOX_PASSWORD), "alicepw1");

        drive::click(dialog, IDC_MBOX_CANCEL);
        EXPECT_EQ(height(dialog), browsing);
        EXPECT_TRUE(drive::enabled(dialog, IDC_MBOX_LIST));
        EXPECT_EQ(accounts.ini("mailbox1", "name"), "Alice Smith") << "Cancel writes nothing";
        drive::click(dialog, IDCANCEL);
    });
    EXPECT_EQ(result, 1);
}

TEST(MailboxDetails, AUserNameDifferingOnlyInCaseIsRefused) {
    Accounts accounts;
    runDialog([&](HWND dialog) {
        drive::click(dialog, IDC_MBOX_ADD);
        EXPECT_EQ(drive::text(dialog, IDC_MBOX_NAME), "");
        typeAccount(dialog, "Carol King", "carol", "ALICE", "carolpw3");
        EXPECT_EQ(clickExpecting(dialog, IDC_MBOX_SAVE, "Warning"), "You already have a mailbox with the name [ALICE]");
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_MBOX_USER));
        EXPECT_TRUE(drive::enabled(dialog, IDC_MBOX_SAVE)) << "still editing";
        // The field rules come first, in their order.
        drive::setText(dialog, IDC_MBOX_USER, "carol_k");
        EXPECT_EQ(clickExpecting(dialog, IDC_MBOX_SAVE, "Warning"),
                  "Please use only a-z and 0-9 characters for the pop3 username...");
        drive::setText(dialog, IDC_MBOX_ADDRESS, "RemindMe@example.org");
        EXPECT_EQ(clickExpecting(dialog, IDC_MBOX_SAVE, "Warning"),
                  "This address is reserved for server admin commands \r\nPlease choose another...");
        EXPECT_EQ(drive::text(dialog, IDC_MBOX_ADDRESS), "RemindMe") << "cut at the @ in the field";
        drive::click(dialog, IDC_MBOX_CANCEL);
        drive::click(dialog, IDCANCEL);
    });
    EXPECT_EQ(accounts.ini("mailbox3", "name"), "<none>");
}

TEST(MailboxDetails, ANewAccountIsWrittenWithItsFolderAndAWelcomeMessageShowingTheFullAddress) {
    Accounts accounts;
    runDialog([&](HWND dialog) {
        drive::click(dialog, IDC_MBOX_ADD);
        typeAccount(dialog, "Carol King", "carol@elsewhere.example", "carol", "carolpw3");
        EXPECT_EQ(clickExpecting(dialog, IDC_MBOX_SAVE, "Warning"), "") << "no refusal";
        EXPECT_EQ(drive::listItems(dialog, IDC_MBOX_LIST).back(), "Carol King");
        EXPECT_EQ(drive::listSelection(dialog, IDC_MBOX_LIST), 3);
        EXPECT_EQ(drive::text(dialog, IDC_MBOX_ADDRESS), "carol");
        EXPECT_FALSE(drive::enabled(dialog, IDC_MBOX_SAVE)) << "browsing again";
        drive::click(dialog, IDCANCEL);
    });
    EXPECT_EQ(accounts.keys("mailbox3"), (std::vector<std::string>{"active", "name", "address", "folder", "password"}));
    EXPECT_EQ(accounts.ini("mailbox3", "address"), "carol");
    EXPECT_EQ(accounts.ini("mailbox3", "active"), "1");
    EXPECT_EQ(accounts.password(3, "carol"), "carolpw3");
    ASSERT_TRUE(accounts.isFolder("mailboxes\\carol"));
    std::string welcome = readFile(accounts.file("mailboxes\\carol\\new mail account.txt"));
    EXPECT_NE(welcome.find("Your email address is carol@example.org\r\n"), std::string::npos) << welcome;
    EXPECT_NE(welcome.find("Your pop3 password is carolpw3\r\n"), std::string::npos);
}

TEST(MailboxDetails, ThePostmasterChangesOnlyItsPasswordAndEnabledFlagAndCannotBeDeleted) {
    Accounts accounts;
    runDialog([&](HWND dialog) {
        selectAccount(dialog, "(Postmaster)");
        EXPECT_EQ(clickExpecting(dialog, IDC_MBOX_DELETE, "Warning"), "You can not delete the Postmaster mailbox");
        drive::click(dialog, IDC_MBOX_EDIT);
        for (int id : {IDC_MBOX_NAME, IDC_MBOX_ADDRESS, IDC_MBOX_USER}) EXPECT_FALSE(drive::enabled(dialog, id)) << id;
        EXPECT_TRUE(drive::enabled(dialog, IDC_MBOX_PASSWORD));
        EXPECT_TRUE(drive::enabled(dialog, IDC_MBOX_ENABLED));
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_MBOX_PASSWORD));
        drive::setText(dialog, IDC_MBOX_PASSWORD, "rootpw9");
        drive::click(dialog, IDC_MBOX_ENABLED);
        drive::click(dialog, IDC_MBOX_SAVE);
        EXPECT_FALSE(drive::enabled(dialog, IDC_MBOX_SAVE));
        drive::click(dialog, IDCANCEL);
    });
    EXPECT_EQ(accounts.ini("mailbox0", "name"), "(Postmaster)");
    EXPECT_EQ(accounts.ini("mailbox0", "folder"), "root");
    EXPECT_EQ(accounts.ini("mailbox0", "active"), "0");
    EXPECT_EQ(accounts.password(0, "root"), "rootpw9");
}

TEST(MailboxDetails, TheUserNameRootNeedsNoPasswordButOneWithoutBlanksOrPeriods) {
    Accounts accounts(account(0, "(Postmaster)", "root", "ROOT", "rootpw"));
    runDialog([&](HWND dialog) {
        drive::click(dialog, IDC_MBOX_EDIT);
        drive::setText(dialog, IDC_MBOX_PASSWORD, "two words");
        EXPECT_EQ(clickExpecting(dialog, IDC_MBOX_SAVE, "Error"),
                  "Please remove space and period characters from this password");
        drive::setText(dialog, IDC_MBOX_PASSWORD, "");
        EXPECT_EQ(clickExpecting(dialog, IDC_MBOX_SAVE, "Warning"), "");
        drive::click(dialog, IDCANCEL);
    });
    EXPECT_EQ(accounts.ini("mailbox0", "password"), "");
}

TEST(MailboxDetails, DeleteAsksOnlyForAFullFolderAndSendsItsMessagesToTheRecycleBin) {
    Accounts accounts;
    char home[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableA("XDG_DATA_HOME", home, sizeof home), 0u) << "the tests keep the recycle bin";
    std::string trash = "Z:" + std::string(home) + "/Trash/";
    for (char& c : trash)
        if (c == '/') c = '\\';
    // A name no earlier run used: the bin gives a name it already holds a
    // different one.
    const std::string kept =
        "kept-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) + ".txt";
    writeFile(accounts.file("mailboxes\\alice\\" + kept), "a message");

    runDialog([&](HWND dialog) {
        // Bob's folder is empty: no question.
        selectAccount(dialog, "Bob Jones");
        EXPECT_EQ(clickExpecting(dialog, IDC_MBOX_DELETE, "Warning"), "");
        EXPECT_EQ(drive::listItems(dialog, IDC_MBOX_LIST), (std::vector<std::string>{"(Postmaster)", "Alice Smith"}));
        EXPECT_EQ(drive::listSelection(dialog, IDC_MBOX_LIST), 1) << "the entry before it";

        selectAccount(dialog, "Alice Smith");
        EXPECT_EQ(clickExpecting(dialog, IDC_MBOX_DELETE, "Warning", IDNO),
                  "This mailbox contains mail\r\nPlease confirm that you want to delete this mailbox");
        EXPECT_EQ(drive::listItems(dialog, IDC_MBOX_LIST).size(), 2u) << "No keeps it";
        EXPECT_EQ(clickExpecting(dialog, IDC_MBOX_DELETE, "Warning", IDYES),
                  "This mailbox contains mail\r\nPlease confirm that you want to delete this mailbox");
        EXPECT_EQ(drive::listItems(dialog, IDC_MBOX_LIST), std::vector<std::string>{"(Postmaster)"});
        drive::click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(accounts.isFolder("mailboxes\\bob"));
    EXPECT_FALSE(accounts.isFolder("mailboxes\\alice"));
    EXPECT_EQ(accounts.ini("mailbox1", "name"), "<none>");
    EXPECT_EQ(accounts.ini("mailbox2", "name"), "<none>");
    EXPECT_TRUE(fileExists(trash + "files\\" + kept)) << trash + kept;
    DeleteFileA((trash + "files\\" + kept).c_str());
    DeleteFileA((trash + "info\\" + kept + ".trashinfo").c_str());
}

TEST(MailboxDetails, AChangedUserNameMovesTheFolderAndARefusalAfterwardsMovesItBack) {
    Accounts accounts;
    writeFile(accounts.file("mailboxes\\alice\\m.txt"), "mail");
    runDialog([&](HWND dialog) {
        selectAccount(dialog, "Alice Smith");
        drive::click(dialog, IDC_MBOX_EDIT);
        drive::setText(dialog, IDC_MBOX_USER, "alice2");
        drive::setText(dialog, IDC_MBOX_ADDRESS, "bob");
        EXPECT_EQ(clickExpecting(dialog, IDC_MBOX_SAVE, "Warning"),
                  "You already have a mailbox with the same email address <bob>");
        EXPECT_TRUE(accounts.isFolder("mailboxes\\alice")) << "moved back";
        EXPECT_FALSE(accounts.isFolder("mailboxes\\alice2"));

        drive::setText(dialog, IDC_MBOX_ADDRESS, "alice");
        // Only the letter case of its own name changes: no clash with itself.
        drive::setText(dialog, IDC_MBOX_NAME, "ALICE SMITH");
        EXPECT_EQ(clickExpecting(dialog, IDC_MBOX_SAVE, "Warning"), "");
        EXPECT_EQ(drive::listItems(dialog, IDC_MBOX_LIST)[1], "ALICE SMITH");
        EXPECT_EQ(drive::text(dialog, IDC_MBOX_USER), "alice2");
        drive::click(dialog, IDCANCEL);
    });
    EXPECT_TRUE(fileExists(accounts.file("mailboxes\\alice2\\m.txt")));
    EXPECT_EQ(accounts.ini("mailbox1", "folder"), "alice2");
    EXPECT_EQ(accounts.ini("mailbox1", "name"), "ALICE SMITH");
    EXPECT_EQ(accounts.password(1, "alice2"), "alicepw1") << "scrambled again under the new user name";
}

// An account whose name is empty is not listed, and neither hides the
// accounts behind it nor is overwritten: a new account goes behind them all.
// Deleting one moves every account behind it down, the nameless one too.
TEST(MailboxDetails, ANamelessAccountInALongListHidesNoneAndIsNotOverwritten) {
    std::string ini = kAccounts + "[mailbox3]\r\nname=\r\nfolder=nameless\r\nhost=10.0.0.9\r\n";
    for (int i = 4; i < 2000; ++i) ini += account(i, "User " + std::to_string(i), "u" + std::to_string(i), "u" + std::to_string(i));
    Accounts accounts(ini);
    runDialog([&](HWND dialog) {
        std::vector<std::string> names = drive::listItems(dialog, IDC_MBOX_LIST);
        ASSERT_EQ(names.size(), 1999u);
        EXPECT_EQ(names[3], "User 4");
        selectAccount(dialog, "User 1999");
        EXPECT_EQ(drive::text(dialog, IDC_MBOX_USER), "u1999");
        drive::click(dialog, IDC_MBOX_ADD);
        typeAccount(dialog, "Carol King", "carol", "carol", "carolpw3");
        EXPECT_EQ(clickExpecting(dialog, IDC_MBOX_SAVE, "Warning"), "") << "no refusal";
        selectAccount(dialog, "Bob Jones");
        EXPECT_EQ(clickExpecting(dialog, IDC_MBOX_DELETE, "Warning"), "") << "an empty folder: no question";
        drive::click(dialog, IDCANCEL);
    });
    EXPECT_EQ(accounts.ini("mailbox1999", "name"), "Carol King") << "moved down by the deletion";
    EXPECT_EQ(accounts.ini("mailbox1998", "name"), "User 1999");
    EXPECT_EQ(accounts.ini("mailbox2", "folder"), "nameless");
    EXPECT_EQ(accounts.ini("mailbox2", "host"), "10.0.0.9");
    EXPECT_EQ(accounts.ini("mailbox3", "name"), "User 4");
    EXPECT_TRUE(accounts.keys("mailbox2000").empty());
}

}  // namespace
