// Accounts in ms.ini: look-ups, removal and the client notifications,
// received by a real UDP socket.
#include <gtest/gtest.h>

#include "accounts/accounts.h"
#include "accounts/udp_listener.h"
#include "frame/profile.h"
#include "support/shell_install.h"

using namespace testing_support;

namespace {

std::string account(int index, const std::string& name, const std::string& folder, const std::string& host = "",
                    const std::string& port = "") {
    std::string s = "[mailbox" + std::to_string(index) + "]\r\nname=" + name + "\r\naddress=" + folder +
                    "\r\nfolder=" + folder + "\r\npassword=pw" + std::to_string(index) + "\r\n";
    if (!host.empty()) s += "host=" + host + "\r\n";
    if (!port.empty()) s += "port=" + port + "\r\n";
    return s;
}

std::string key(const char* section, const char* name) { return util::profileString(section, name, "<missing>"); }

}  // namespace

TEST(Notification, UpdateClientSendsOneByteUToTheAccountsPort) {
    Install install("", Install::serverFolders());
    UdpListener listener;
    install.writeIni(account(0, "(Postmaster)", "root") +
                account(1, "Sales Desk", "sales", "127.0.0.1", listener.portText()));
    UpdateClient("SALES DESK");
    std::string data;
    int from = 0;
    ASSERT_TRUE(listener.receive(data, 5000, &from));
    EXPECT_EQ(data, "U");
    EXPECT_NE(from, 0);
    EXPECT_NE(from, listener.port());
    EXPECT_FALSE(listener.receive(data, 200)) << "exactly one datagram";

    // No host, or no such name: nothing is sent.
    install.writeIni(account(0, "Sales Desk", "sales", "", listener.portText()));
    UpdateClient("Sales Desk");
    UpdateClient("nobody");
    EXPECT_FALSE(listener.receive(data, 300));
}

TEST(Notification, UpdateAllClientsStopsAtTheFirstAccountWithoutFolder) {
    Install install("", Install::serverFolders());
    UdpListener first, behindGap, noHost;
    std::string gap = "[mailbox2]\r\nname=No folder\r\nhost=127.0.0.1\r\nport=" + first.portText() + "\r\n";
    install.writeIni(account(0, "(Postmaster)", "root", "", noHost.portText()) +
                account(1, "First", "first", "127.0.0.1", first.portText()) + gap +
                account(3, "Behind", "behind", "127.0.0.1", behindGap.portText()));
    UpdateAllClients();
    std::string data;
    ASSERT_TRUE(first.receive(data, 5000));
    EXPECT_EQ(data, "U");
    EXPECT_FALSE(first.receive(data, 200)) << "the section without folder is not notified";
    EXPECT_FALSE(behindGap.receive(data, 200));
    EXPECT_FALSE(noHost.receive(data, 50));
}

TEST(Notification, SendAlertResolvesNamesAndSendsTheTextWithoutTerminator) {
    UdpListener listener;
    SendAlert("localhost", listener.portText().c_str(), "mail for you");
    std::string data;
    ASSERT_TRUE(listener.receive(data, 5000));
    EXPECT_EQ(data, "mail for you");

    SendAlert("127.0.0.1", (" " + listener.portText() + "junk").c_str(), "");
    ASSERT_TRUE(listener.receive(data, 5000));
    EXPECT_EQ(data, "");

    // Without a host nothing is sent (the platform would take an empty
    // name for the local machine).
    SendAlert("", listener.portText().c_str(), "lost");
    SendAlert(nullptr, nullptr, nullptr);
    EXPECT_FALSE(listener.receive(data, 200));
}

TEST(Accounts, LookUpsByName) {
    Install install("", Install::serverFolders());
    install.writeIni(account(0, "(Postmaster)", "root") + account(1, "Sales Desk", "sales") +
                "[mailbox3]\r\nname=Hidden\r\naddress=hidden\r\n");
    char address[1024] = "old";
    GetAddressFromName("(Postmaster)", address);
    EXPECT_STREQ(address, "root");
    GetAddressFromName("sales desk", address);
    EXPECT_STREQ(address, "sales");
    GetAddressFromName("Hidden", address);
    EXPECT_STREQ(address, "") << "the list ends at mailbox2";

    util::FoundAccount found = util::findAccount("Sales Desk");
    EXPECT_EQ(found.section, "mailbox1");
    EXPECT_EQ(found.folder, "sales");
    EXPECT_EQ(found.path, install.path() + "\\mailboxes\\sales");
    EXPECT_EQ(util::findAccount("sales desk").path, "") << "the dialog looks names up exactly";
    EXPECT_EQ(util::listAccounts().size(), 2u);
}

TEST(Accounts, RemovalMovesTheFollowingAccountsDown) {
    Install install("", Install::serverFolders());
    install.writeIni(account(0, "(Postmaster)", "root") + account(1, "Sales", "sales") +
                account(2, "Office", "office", "10.0.0.7", "1500") + "active=0\r\nextra=kept out\r\n" +
                account(3, "Stock", "stock"));
    EXPECT_EQ(util::removeAccount("mailbox1"), 1);
    EXPECT_EQ(key("mailbox0", "name"), "(Postmaster)");
    EXPECT_EQ(key("mailbox1", "name"), "Office");
    EXPECT_EQ(key("mailbox1", "folder"), "office");
    EXPECT_EQ(key("mailbox1", "password"), "pw2");
    EXPECT_EQ(key("mailbox1", "active"), "0");
    EXPECT_EQ(key("mailbox1", "host"), "10.0.0.7");
    EXPECT_EQ(key("mailbox1", "port"), "1500");
    EXPECT_EQ(key("mailbox1", "extra"), "<missing>") << "the moved section is written afresh";
    EXPECT_EQ(key("mailbox2", "name"), "Stock");
    EXPECT_EQ(key("mailbox2", "active"), "1");
    EXPECT_EQ(key("mailbox3", "name"), "<missing>");

    // The last account simply goes.
    EXPECT_EQ(util::removeAccount("MAILBOX2"), 1);
    EXPECT_EQ(key("mailbox2", "name"), "<missing>");
    EXPECT_EQ(key("mailbox1", "name"), "Office");
}
