// The setup wizard through the real RunWizard: what each page refuses, in
// order and in so many words; what it writes when it is left with Next or
// Finish, and what it leaves alone; and "Mail Client Information".
#include <windows.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "admin/client_information_ids.h"
#include "admin/wizard_connection_ids.h"
#include "admin/wizard_domain_ids.h"
#include "admin/wizard_mailbox_ids.h"
#include "admin/wizard_relay_ids.h"
#include "admin/wizard_user_ids.h"
#include "support/ui_driver.h"
#include "wizard_driver.h"

using namespace drive;
using testing_support::fileExists;
using testing_support::readFile;

namespace {

constexpr int kNext = PSBTN_NEXT;
constexpr int kBack = PSBTN_BACK;
constexpr int kFinish = PSBTN_FINISH;

// Passes the domain page with a domain.
HWND passDomain(HWND sheet, const std::string& domain = "office.example") {
    setText(currentPage(sheet), IDC_WDOM_NAME, domain);
    return press(sheet, kNext);
}

// Passes the connection page with a choice and an interval.
HWND passConnection(HWND sheet, int choice, const std::string& minutes = "15") {
    HWND page = currentPage(sheet);
    click(page, choice);
    setText(page, IDC_WCON_INTERVAL, minutes);
    return press(sheet, kNext);
}

// Fills the first user's page.
void fillUser(HWND page, const std::string& name, const std::string& address, const std::string& user,
              const std::string& password) {
    setText(page, IDC_WUSR_NAME, name);
    setText(page, IDC_WUSR_ADDRESS, address);
    setText(page, IDC_WUSR_USER, user);
    setText(page, IDC_WUSR_PASSWORD, password);
}

std::string scrambledFor(const std::string& user, const std::string& clear) {
    std::string key = user;
    for (char& c : key) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    std::string out(clear.size() + 1, '\0');
    Crypt(key.c_str(), clear.c_str(), out.data(), 1);
    out.resize(clear.size());
    return out;
}

TEST(Wizard, CancelOnTheFirstPageWritesNothingAndReturnsZero) {
    const std::string stored = "[domain]\r\ndomain=old.example\r\n[mailbox0]\r\naddress=root@old.example\r\n";
    Install install(stored);
    int result = runWizard([&](HWND sheet) {
        char caption[64] = {};
        GetWindowTextA(sheet, caption, sizeof caption);
        EXPECT_STREQ(caption, "Server Settings");
        HWND page = currentPage(sheet);
        EXPECT_EQ(text(page, IDC_WDOM_NAME), "old.example");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet, 0x3023))) << "no Back on the first page";
        char tip[1024] = {};
        EXPECT_NE(SendMessageA(page, 0x0C01, IDC_WDOM_NAME, reinterpret_cast<LPARAM>(tip)), 0);
        EXPECT_STREQ(tip, "Name of the domain to host");
        setText(page, IDC_WDOM_NAME, "new.example");
        pressCancel(sheet);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(readFile(install.iniPath()), stored);
}

TEST(Wizard, TheDomainPageRefusesAnAddressAndReducesStoredAddressesToTheirLocalPart) {
    Install install(
        "[mailbox0]\r\nname=Chief\r\naddress=root@old.example\r\nactive=0\r\n"
        "[mailbox1]\r\nname=Ann\r\naddress=ann@old.example\r\n"
        "[mailbox2]\r\nname=Ben\r\n"
        "[mailbox3]\r\nname=Cy\r\naddress=cy@old.example\r\n");
    int result = runWizard([&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(pressExpecting(sheet, kNext), "Please enter a domain name eg example.com...");
        EXPECT_EQ(focusedControl(page), IDC_WDOM_NAME);
        setText(page, IDC_WDOM_NAME, "fred@office.example");
        EXPECT_EQ(pressExpecting(sheet, kNext), "Please enter the domain not the email address eg example.com...");
        DWORD from = 0, to = 0;
        SendDlgItemMessageA(page, IDC_WDOM_NAME, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                            reinterpret_cast<LPARAM>(&to));
        EXPECT_EQ(to - from, 19u) << "the wrong text selected";
        EXPECT_EQ(install.ini("domain", "domain"), "<none>") << "nothing written while refused";
        EXPECT_NE(passDomain(sheet), page);
        pressCancel(sheet);
    });
    EXPECT_EQ(result, 0) << "cancelled on the second page";
    // The first page's writes stay.
    EXPECT_EQ(install.ini("domain", "use"), "1");
    EXPECT_EQ(install.ini("domain", "domain"), "office.example");
    EXPECT_EQ(install.ini("domain", "registered"), "1");
    EXPECT_EQ(install.ini("mailbox0", "address"), "root");
    EXPECT_EQ(install.ini("mailbox1", "address"), "ann");
    EXPECT_EQ(install.ini("mailbox3", "address"), "cy@old.example") << "the walk ends at the first gap";
    EXPECT_EQ(install.ini("mailbox0", "name"), "Chief") << "an existing first account is kept";
    EXPECT_EQ(install.ini("mailbox0", "folder"), "<none>");
    EXPECT_EQ(install.ini("mailbox0", "active"), "1");
}

TEST(Wizard, TheFirstPageMakesThePostmasterInAnEmptyInstall) {
    Install install;
    runWizard([&](HWND sheet) {
        passDomain(sheet);
        pressCancel(sheet);
    });
    EXPECT_EQ(install.keys("mailbox0"), (std::vector<std::string>{"name", "folder", "address", "active"}));
    EXPECT_EQ(install.ini("mailbox0", "name"), "(Postmaster)");
    EXPECT_EQ(install.ini("mailbox0", "folder"), "root");
    EXPECT_EQ(install.ini("mailbox0", "address"), "root");
}

TEST(Wizard, InternalMailOnlyPassesTheRelayAndMailboxPagesDisabledWritingNothingForThem) {
    Install install("[dialup]\r\ntype=2\r\n[schedule]\r\ntype=0\r\n");
    int result = runWizard([&](HWND sheet) {
        HWND page = passDomain(sheet);
        EXPECT_TRUE(checked(page, IDC_WCON_INTERNAL)) << "follows dialup/type";
        EXPECT_EQ(text(page, IDC_WCON_INTERVAL), "15");
        EXPECT_FALSE(enabled(page, IDC_WCON_INTERVAL));
        EXPECT_FALSE(enabled(page, IDC_WCON_CONNECTION));
        click(page, IDC_WCON_LAN);
        EXPECT_TRUE(enabled(page, IDC_WCON_INTERVAL));
        EXPECT_FALSE(enabled(page, IDC_WCON_CONNECTION));
        page = passConnection(sheet, IDC_WCON_INTERNAL);
        for (int id : {IDC_WREL_HOST, IDC_WREL_PORT, IDC_WREL_TLS, IDC_WREL_AUTH, IDC_WREL_USER})
            EXPECT_FALSE(enabled(page, id)) << id;
        HWND mailbox = press(sheet, kNext);
        EXPECT_NE(mailbox, page) << "the empty relay passes";
        for (int id : {IDC_WPOP_SERVER, IDC_WPOP_USER, IDC_WPOP_PASSWORD, IDC_WPOP_REMOVE_MAIL})
            EXPECT_FALSE(enabled(mailbox, id)) << id;
        HWND user = press(sheet, kNext);
        EXPECT_NE(user, mailbox);

        // Back to LAN: the relay page is live again and checks its entries.
        press(sheet, kBack);
        press(sheet, kBack);
        page = press(sheet, kBack);
        page = passConnection(sheet, IDC_WCON_LAN, "0");
        EXPECT_TRUE(enabled(page, IDC_WREL_HOST));
        EXPECT_FALSE(enabled(page, IDC_WREL_USER)) << "login only with authentication";
        EXPECT_EQ(pressExpecting(sheet, kNext), "Please enter the outgoing mail gateway...");
        pressCancel(sheet);
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(install.ini("dialup", "type"), "1");
    EXPECT_TRUE(install.keys("outgoing").empty());
    EXPECT_TRUE(install.keys("incoming").empty());
    EXPECT_EQ(install.keys("schedule"), std::vector<std::string>{"type"}) << "interval 0 leaves it alone";
    EXPECT_EQ(install.ini("schedule", "type"), "0");
}

TEST(Wizard, AnIntervalWritesTheWholeScheduleAndZeroLeavesItAlone) {
    Install install("[schedule]\r\ntype=2\r\ninterval=45\r\n");
    runWizard([&](HWND sheet) {
        passDomain(sheet);
        passConnection(sheet, IDC_WCON_LAN, "0");
        EXPECT_EQ(install.ini("dialup", "type"), "1");
        EXPECT_EQ(install.ini("schedule", "type"), "2");
        EXPECT_EQ(install.ini("schedule", "interval"), "45");
        press(sheet, kBack);
        passConnection(sheet, IDC_WCON_LAN, "20");
        pressCancel(sheet);
    });
    EXPECT_EQ(install.keys("schedule"), (std::vector<std::string>{"type", "interval", "sun", "mon", "tue", "wed",
                                                                   "thu", "fri", "sat", "lotime", "hitime",
                                                                   "priority"}));
    EXPECT_EQ(install.ini("schedule", "interval"), "20");
    for (const char* day : {"sun", "mon", "tue", "wed", "thu", "fri", "sat"}) EXPECT_EQ(install.ini("schedule", day), "1");
    EXPECT_EQ(install.ini("schedule", "lotime"), "0");
    EXPECT_EQ(install.ini("schedule", "hitime"), "24");
    EXPECT_EQ(install.ini("schedule", "type"), "1");
    EXPECT_EQ(install.ini("schedule", "priority"), "0");
}

TEST(Wizard, DialUpWithoutAConnectionIsRefusedWithAWarning) {
    Install install("[dialup]\r\ntype=1\r\n");
    runWizard([&](HWND sheet) {
        HWND page = passDomain(sheet);
        click(page, IDC_WCON_DIALUP);
        EXPECT_TRUE(enabled(page, IDC_WCON_CONNECTION));
        EXPECT_TRUE(enabled(page, IDC_WCON_INTERVAL));
        EXPECT_EQ(pressExpecting(sheet, kNext, "Warning"), "Please enter a dial up connection...");
        EXPECT_EQ(currentPage(sheet), page);
        EXPECT_EQ(focusedControl(page), IDC_WCON_CONNECTION);
        pressCancel(sheet);
    });
    EXPECT_EQ(install.ini("dialup", "type"), "1") << "a refused page writes nothing";
}

TEST(Wizard, TheRelayPageRefusesInOrderAndStoresTheRelayRecordWithItsLogin) {
    Install install("[outgoing]\r\nserver0=old.example:2525:::0:::\r\nserver1=second.example:25:::0:::\r\n");
    runWizard([&](HWND sheet) {
        passDomain(sheet);
        HWND page = passConnection(sheet, IDC_WCON_LAN);
        EXPECT_EQ(text(page, IDC_WREL_HOST), "old.example");
        EXPECT_EQ(text(page, IDC_WREL_PORT), "2525");
        EXPECT_EQ(comboSelection(page, IDC_WREL_TLS), "None");
        EXPECT_FALSE(checked(page, IDC_WREL_AUTH));
        EXPECT_FALSE(enabled(page, IDC_WREL_PASSWORD));
        EXPECT_EQ(SendDlgItemMessageA(page, IDC_WREL_PASSWORD, EM_GETPASSWORDCHAR, 0, 0), '*');

        const auto next = [&] { return pressExpecting(sheet, kNext); };
        expectRefusals(page,
                       {{IDC_WREL_HOST, "", "Please enter the outgoing mail gateway...", IDC_WREL_HOST},
                        {IDC_WREL_HOST, "me@smtp.example.net", "Please enter a gateway name eg smtp.example.com",
                         IDC_WREL_HOST},
                        {IDC_WREL_HOST, "smtp example",
                         "Please enter a gateway name eg smtp.example.com (remove space characters)", IDC_WREL_HOST},
                        {IDC_WREL_HOST, "smtp.example.net", ""},
                        {IDC_WREL_PORT, "", "Please a port number (default is 25)...", IDC_WREL_PORT},
                        {IDC_WREL_PORT, "70000", "Please a valid port number (default is 25)...", IDC_WREL_PORT},
                        {IDC_WREL_PORT, "587", ""}},
                       next);
        click(page, IDC_WREL_AUTH);
        EXPECT_TRUE(enabled(page, IDC_WREL_PASSWORD));
        expectRefusals(page,
                       {{0, "", "Please enter the user name...", IDC_WREL_USER},
                        {IDC_WREL_USER, "office", "Please enter the password...", IDC_WREL_PASSWORD}},
                       next);
        EXPECT_TRUE(install.ini("outgoing", "server0") == "old.example:2525:::0:::") << "nothing written while refused";
        setText(page, IDC_WREL_PASSWORD, "pa:ss word");
        click(page, IDC_WREL_SHOW_PW);
        EXPECT_EQ(SendDlgItemMessageA(page, IDC_WREL_PASSWORD, EM_GETPASSWORDCHAR, 0, 0), 0);
        EXPECT_NE(press(sheet, kNext), page);
        pressCancel(sheet);
    });
    // Port 587 is STARTTLS whatever the choice said.
    EXPECT_EQ(install.ini("outgoing", "server0"), "smtp.example.net:587:::1:b2ZmaWNl:cGE6c3Mgd29yZA==:");
    EXPECT_EQ(install.ini("outgoing", "tls0"), "2");
    EXPECT_EQ(install.ini("outgoing", "server1"), "second.example:25:::0:::");
}

TEST(Wizard, TheMailboxPageRefusesInOrderAndStoresTheProviderMailbox) {
    Install install("[incoming]\r\nnode0=pop.old.example\r\nuser0=office\r\nPassword0=" + scramble("old pw") +
                    "\r\nport0=995\r\ndeletemail0=1\r\nactive0=0\r\n");
    runWizard([&](HWND sheet) {
        passDomain(sheet);
        HWND page = passConnection(sheet, IDC_WCON_LAN);
        EXPECT_EQ(pressExpecting(sheet, kNext), "Please enter the outgoing mail gateway...");
        setText(page, IDC_WREL_HOST, "smtp.example.net");
        page = press(sheet, kNext);
        EXPECT_EQ(text(page, IDC_WPOP_SERVER), "pop.old.example");
        EXPECT_EQ(text(page, IDC_WPOP_PORT), "995");
        EXPECT_EQ(text(page, IDC_WPOP_USER), "office");
        EXPECT_EQ(text(page, IDC_WPOP_PASSWORD), "old pw");
        EXPECT_EQ(comboSelection(page, IDC_WPOP_TLS), "TLS") << "port 995";
        EXPECT_TRUE(checked(page, IDC_WPOP_REMOVE_MAIL));

        const std::string user = "Please enter the pop3 user name as supplied by your ISP";
        const std::string password = "Please enter the pop3 password as supplied by your ISP";
        expectRefusals(
            page,
            {{IDC_WPOP_PASSWORD, "", password, IDC_WPOP_PASSWORD},
             {IDC_WPOP_PASSWORD, "a b", password + " (remove space characters)", IDC_WPOP_PASSWORD},
             {IDC_WPOP_USER, "", user, IDC_WPOP_USER},
             {IDC_WPOP_USER, "of fice", user + " (remove space characters)", IDC_WPOP_USER},
             {IDC_WPOP_PORT, "", "Please a pop3 port number (default is 110)...", IDC_WPOP_PORT},
             {IDC_WPOP_SERVER, "", "Please enter the pop3 server name eg pop.example.com", IDC_WPOP_SERVER},
             {IDC_WPOP_SERVER, "me@pop.example.net", "Please enter a pop3 server name eg pop.example.com",
              IDC_WPOP_SERVER},
             {IDC_WPOP_SERVER, "pop example",
              "Please enter a pop3 server name eg pop.example.com (remove space characters)", IDC_WPOP_SERVER}},
            [&] { return pressExpecting(sheet, kNext); });
        setText(page, IDC_WPOP_SERVER, "pop.example.net");
        setText(page, IDC_WPOP_PORT, "110");
        setText(page, IDC_WPOP_USER, "office");
        setText(page, IDC_WPOP_PASSWORD, "n3w!pw");
        SendDlgItemMessageA(page, IDC_WPOP_TLS, CB_SETCURSEL, 2, 0);
        click(page, IDC_WPOP_REMOVE_MAIL);
        EXPECT_NE(press(sheet, kNext), page);
        pressCancel(sheet);
    });
    EXPECT_EQ(install.ini("incoming", "node0"), "pop.example.net");
    EXPECT_EQ(install.ini("incoming", "port0"), "110");
    EXPECT_EQ(install.ini("incoming", "user0"), "office");
    EXPECT_EQ(install.ini("incoming", "Password0"), scramble("n3w!pw"));
    EXPECT_EQ(install.ini("incoming", "deletemail0"), "0");
    EXPECT_EQ(install.ini("incoming", "extention0"), "0");
    EXPECT_EQ(install.ini("incoming", "tls0"), "2");
    EXPECT_EQ(install.ini("incoming", "active0"), "0") << "the wizard leaves other keys alone";
}

TEST(Wizard, BackLeavesAPageWithoutCheckingIt) {
    Install install;
    runWizard([&](HWND sheet) {
        passDomain(sheet);
        HWND connection = currentPage(sheet);
        HWND relay = passConnection(sheet, IDC_WCON_LAN);
        setText(relay, IDC_WREL_HOST, "me@smtp.example.net");
        auto noBox = std::make_shared<bool>(true);
        whenShown("#32770", "Error", [noBox](HWND box) {
            if (!box) return;
            *noBox = false;
            SendMessageA(box, WM_COMMAND, IDOK, 0);
        }, 500);
        EXPECT_EQ(press(sheet, kBack), connection);
        pumpFor(600);
        EXPECT_TRUE(*noBox);
        pressCancel(sheet);
    });
    EXPECT_TRUE(install.keys("outgoing").empty());
}

TEST(Wizard, TheFirstUserIsCheckedInOrderAndRootNeedsNoPassword) {
    Install install;
    const std::string folder = install.file("mailboxes\\root");
    std::string information;
    int result = runWizard([&](HWND sheet) {
        passDomain(sheet);
        passConnection(sheet, IDC_WCON_INTERNAL);
        press(sheet, kNext);
        HWND page = press(sheet, kNext);
        EXPECT_EQ(text(page, IDC_WUSR_DOMAIN), "@office.example");
        EXPECT_EQ(SendDlgItemMessageA(page, IDC_WUSR_PASSWORD, EM_GETPASSWORDCHAR, 0, 0), '*');
        const auto finish = [&] { return pressExpecting(sheet, kFinish); };
        fillUser(page, "", "ann", "ann", "pw");
        expectRefusals(page,
                       {{0, "", "Please enter a real name for this mailbox...", IDC_WUSR_NAME},
                        {IDC_WUSR_NAME, "Ann", ""},
                        {IDC_WUSR_ADDRESS, "", "Please enter an email address...", IDC_WUSR_ADDRESS},
                        {IDC_WUSR_ADDRESS, "RemindMe@office.example",
                         "This address is reserved for server admin commands \r\nPlease choose another...",
                         IDC_WUSR_ADDRESS}},
                       finish);
        EXPECT_EQ(text(page, IDC_WUSR_ADDRESS), "RemindMe") << "cut to its local part while checked";
        expectRefusals(
            page,
            {{IDC_WUSR_ADDRESS, "ann", ""},
             {IDC_WUSR_USER, "", "Please enter a pop3 username for this mailbox...", IDC_WUSR_USER},
             {IDC_WUSR_USER, "ann.b", "Please use only a-z and 0-9 characters for the pop3 username...",
              IDC_WUSR_USER},
             {IDC_WUSR_USER, "ann", ""},
             {IDC_WUSR_PASSWORD, "", "Please enter a password for this mailbox...", IDC_WUSR_PASSWORD},
             {IDC_WUSR_PASSWORD, "p w", "Please use only a-z and 0-9 characters for the pop3 password...",
              IDC_WUSR_PASSWORD}},
            finish);
        EXPECT_EQ(install.keys("mailbox1"), std::vector<std::string>{}) << "nothing written while refused";

        fillUser(page, "Postmaster's own", "admin@elsewhere.example", "ROOT", "");
        whenClientInformation([&](HWND dialog) {
            information = text(dialog, IDC_CLIENT_TEXT);
            click(dialog, IDCANCEL);
        });
        press(sheet, kFinish);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(install.keys("mailbox1"), (std::vector<std::string>{"active", "name", "address", "folder", "password"}));
    EXPECT_EQ(install.ini("mailbox1", "name"), "Postmaster's own");
    EXPECT_EQ(install.ini("mailbox1", "address"), "admin");
    EXPECT_EQ(install.ini("mailbox1", "folder"), "ROOT");
    EXPECT_EQ(install.ini("mailbox1", "password"), "");
    const std::string welcome = readFile(install.file("mailboxes\\ROOT\\new mail account.txt"));
    EXPECT_NE(welcome.find("To: <admin@office.example>"), std::string::npos) << welcome;
    EXPECT_NE(welcome.find("You do not have a password"), std::string::npos) << welcome;
    EXPECT_TRUE(fileExists(install.file("mailboxes\\ROOT\\new mail account.adr")));
    EXPECT_NE(information.find(" Email address: admin@office.example\r\n"), std::string::npos) << information;
    EXPECT_NE(information.find(" Account name (Pop3 user name): ROOT\r\n"), std::string::npos) << information;
}

TEST(Wizard, MailClientInformationFollowsAFinishedWizardOnly) {
    Install install("[dialup]\r\ntype=2\r\n");
    std::string information;
    int result = runWizard([&](HWND sheet) {
        passDomain(sheet, "shop.example");
        passConnection(sheet, IDC_WCON_INTERNAL);
        press(sheet, kNext);
        HWND page = press(sheet, kNext);
        fillUser(page, "Ann Smith", "ann.smith", "ann", "S3cret");
        whenClientInformation([&](HWND dialog) {
            information = text(dialog, IDC_CLIENT_TEXT);
            EXPECT_TRUE(visible(dialog, IDC_CLIENT_PRINT));
            click(dialog, IDCANCEL);
        });
        press(sheet, kFinish);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(install.ini("mailbox1", "password"), scrambledFor("ann", "S3cret"));
    EXPECT_TRUE(fileExists(install.file("mailboxes\\ann\\new mail account.txt")));
    // The machine's addresses, each followed by one space.
    const std::string addresses = "((\\d{1,3}\\.){3}\\d{1,3} )+";
    const std::regex layout(
        " Mail Client Settings\r\n\r\n"
        " You now need to configure your email client \\(MS Outlook etc\\) to use this mail\r\n"
        " server\\. For your convenience the data you need is listed below\\. You might\r\n"
        " want to print this out and keep it in a safe place\\. If more than one ip\r\n"
        " address is shown below use the one that corresponds to your local network\\.\r\n\r\n"
        " Email address: ann\\.smith@shop\\.example\r\n"
        " Outgoing mail \\(SMTP\\): " + addresses + "\r\n"
        " Incomming mail \\(POP3\\): " + addresses + "\r\n"
        " Account name \\(Pop3 user name\\): ann\r\n"
        " Password \\(Pop3 password\\): S3cret");
    EXPECT_TRUE(std::regex_match(information, layout)) << information;
}

}  // namespace
