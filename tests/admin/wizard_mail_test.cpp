// From an empty install folder to working mail: the setup wizard driven
// with the addresses of the private relay (Postfix, on its port that asks
// for a login) and POP3 server (Dovecot), the client settings printed on
// the PDF printer of the print server, then a message sent through the
// relay and collected from the provider mailbox using only what the wizard
// wrote to ms.ini, read back as the server reads it.
#include <windows.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "admin/client_information_ids.h"
#include "admin/wizard_connection_ids.h"
#include "admin/wizard_domain_ids.h"
#include "admin/wizard_mailbox_ids.h"
#include "admin/wizard_relay_ids.h"
#include "admin/wizard_user_ids.h"
#include "support/peers.h"
#include "support/ui_driver.h"
#include "support/win32_support.h"
#include "utilities.h"
#include "wizard_driver.h"

using namespace testing_support;

namespace {

// The password of the POP3 server's mailboxes.
constexpr char kMailboxPassword[] = "secret";

std::string stored(const std::string& ini, const char* section, const char* key) {
    char value[1024] = {};
    GetPrivateProfileStringA(section, key, "", value, sizeof value, ini.c_str());
    return value;
}

// How the wizard is told to reach the provider.
struct Provider {
    std::string host;  // the certificates name "localhost"
    std::string relayPort;
    int relayTls;  // the choice None / TLS / STARTTLS
    std::string popPort;
    int popTls;
    const char* mailboxUser;
};

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string word; in >> word;) out.push_back(word);
    return out;
}

std::string join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// The print dialog's copies field (the system's template names it edt3).
constexpr int kCopiesField = 0x482;

// Runs the wizard with the provider's servers and the first user, and
// returns the text of "Mail Client Information", printed in two copies
// when asked to.
std::string runWizardFor(const Provider& p, std::map<std::string, std::string>& relay, bool print = false) {
    std::string information;
    int finished = drive::runWizard([&](HWND sheet) {
        using drive::setText;
        HWND page = drive::currentPage(sheet);
        setText(page, IDC_WDOM_NAME, "office.example");
        page = drive::press(sheet, PSBTN_NEXT);
        drive::click(page, IDC_WCON_LAN);
        page = drive::press(sheet, PSBTN_NEXT);
        setText(page, IDC_WREL_HOST, p.host);
        setText(page, IDC_WREL_PORT, p.relayPort);
        SendDlgItemMessageA(page, IDC_WREL_TLS, CB_SETCURSEL, static_cast<WPARAM>(p.relayTls), 0);
        if (!drive::checked(page, IDC_WREL_AUTH)) drive::click(page, IDC_WREL_AUTH);
        setText(page, IDC_WREL_USER, relay["AUTH_USER"]);
        setText(page, IDC_WREL_PASSWORD, relay["AUTH_PASSWORD"]);
        page = drive::press(sheet, PSBTN_NEXT);
        setText(page, IDC_WPOP_SERVER, p.host);
        setText(page, IDC_WPOP_PORT, p.popPort);
        SendDlgItemMessageA(page, IDC_WPOP_TLS, CB_SETCURSEL, static_cast<WPARAM>(p.popTls), 0);
        setText(page, IDC_WPOP_USER, p.mailboxUser);
        setText(page, IDC_WPOP_PASSWORD, kMailboxPassword);
        page = drive::press(sheet, PSBTN_NEXT);
        setText(page, IDC_WUSR_NAME, "Ann Example");
        setText(page, IDC_WUSR_ADDRESS, "ann");
        setText(page, IDC_WUSR_USER, "ann");
        setText(page, IDC_WUSR_PASSWORD, "annpw1");
        drive::whenClientInformation([&](HWND dialog) {
            information = drive::text(dialog, IDC_CLIENT_TEXT);
            if (!print) {
                drive::click(dialog, IDCANCEL);
                return;
            }
            bool asked = false;
            std::string failure = drive::expectingBox("Error", [&] {
                asked = drive::clickOpening(dialog, IDC_CLIENT_PRINT, "Print", [](HWND printing) {
                    drive::setText(printing, kCopiesField, "2");
                    drive::click(printing, IDOK);
                });
            });
            EXPECT_TRUE(asked) << "the print dialog";
            EXPECT_EQ(failure, "");
            EXPECT_FALSE(IsWindowVisible(dialog)) << "printing ends the dialog";
        });
        drive::press(sheet, PSBTN_FINISH);
    });
    EXPECT_EQ(finished, 1);
    return information;
}

// Sends a message through the relay the wizard stored and collects it from
// the provider mailbox it stored, both read from ms.ini as the server does.
void sendAndCollect(const std::string& ini, const std::string& folder, const char* mailboxUser) {
    const std::string record = stored(ini, "outgoing", "server0");
    const std::string node = stored(ini, "incoming", "node0");
    const std::string user = stored(ini, "incoming", "user0");
    const int port = static_cast<int>(GetPrivateProfileIntA("incoming", "port0", 110, ini.c_str()));
    const std::string scrambled = stored(ini, "incoming", "password0");
    std::string password(scrambled.size() + 1, '\0');
    Crypt("qelvoran", scrambled.c_str(), password.data(), 0);
    password.resize(scrambled.size());

    // Sent through the relay, which asks for the login.
    const std::string tag = "wizard-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
    const std::string recipient = tag + "@provider.example";
    const std::string message = "From: Ann Example <ann@office.example>\r\nTo: <" + recipient +
                                ">\r\nSubject: set up by the wizard\r\nX-Test: " + tag +
                                "\r\n\r\nThe first message of the office.\r\n";
    const std::string file = folder + "\\" + tag + ".txt";
    ASSERT_TRUE(writeFile(file, message));
    const std::string delivered = sendThroughRelay(record, file, recipient);
    ASSERT_FALSE(delivered.empty()) << "nothing reached the relay's maildir";

    // What the relay delivered lands in the provider mailbox and is collected.
    seedMailbox(mailboxUser, {delivered});
    int pop = OpenPop3(nullptr, node.c_str(), user.c_str(), password.c_str(), port);
    ASSERT_NE(pop, -1) << node << ":" << port << " " << user;
    int count = NumPop3Mail(pop, 0);
    std::string collected;
    for (int n = 1; n <= count && collected.empty(); ++n) {
        const std::string into = folder + "\\" + tag + "-" + std::to_string(n) + ".txt";
        ASSERT_EQ(GetMailPop3(pop, n, into.c_str(), 0, 0, nullptr, 0), 0);
        if (readFile(into).find("X-Test: " + tag) == std::string::npos) continue;
        collected = readFile(into);
        EXPECT_EQ(DeletePop3(pop, n, 0), 0);
    }
    ClosePop3(pop);
    EXPECT_NE(collected.find("Subject: set up by the wizard"), std::string::npos) << collected;
    EXPECT_NE(collected.find("The first message of the office."), std::string::npos) << collected;
}

TEST(WizardMail, FromAnEmptyFolderToMailSentThroughTheRelayAndCollectedFromTheMailbox) {
    std::map<std::string, std::string> relay = relaySettings();
    ASSERT_FALSE(relay["AUTH_PORT"].empty()) << "the relay is started by the smtp_relay fixture";
    ASSERT_FALSE(pop3PeerDir().empty()) << "the POP3 server is started by the pop3_dovecot fixture";

    ScratchDir install("wizardmail");
    const std::string ini = install.file("ms.ini");
    SetPath(install.path().c_str());
    SetLoghWnd(nullptr, nullptr);
    SetCursorPos(0, 0);

    // In plain text, on the relay's port that asks for a login; the client
    // settings printed in two copies on the PDF printer.
    const std::string printer = printFolder();
    ASSERT_FALSE(printer.empty()) << "CUPS_SERVER names the test's print server";
    const std::size_t printedBefore = printedFiles(printer).size();
    Provider plain{"127.0.0.1", relay["AUTH_PORT"], 0, std::to_string(pop3PeerPort()), 0, "t40"};
    std::string information = runWizardFor(plain, relay, true);
    EXPECT_NE(information.find(" Email address: ann@office.example\r\n"), std::string::npos) << information;
    EXPECT_NE(information.find(" Password (Pop3 password): annpw1"), std::string::npos) << information;
    std::vector<std::string> pages = printedPages(printer, printedBefore, "Web_Connection_Log");
    ASSERT_EQ(pages.size(), 2u) << "one page a copy\n" << printServerLog(printer);
    EXPECT_EQ(pages[0], pages[1]);
    // Every line as shown, the long ones broken between words.
    EXPECT_EQ(words(join(printedLines(pages[0]))), words(information));
    EXPECT_GT(printedLines(pages[0]).size(), printedLines(information).size()) << "no line was broken";
    sendAndCollect(ini, install.path(), plain.mailboxUser);

    // The wizard again on the same folder, now encrypted: STARTTLS to the
    // submission port, TLS from the first byte to the POP3 server.
    const std::string popTlsPort = readFile(pop3PeerDir() + "\\tls_port");
    Provider encrypted{"localhost", relay["SUBMISSION_PORT"], 2, std::to_string(std::atoi(popTlsPort.c_str())), 1,
                       "t39"};
    runWizardFor(encrypted, relay);
    EXPECT_EQ(stored(ini, "outgoing", "tls0"), "2");
    EXPECT_EQ(stored(ini, "incoming", "tls0"), "1");
    sendAndCollect(ini, install.path(), encrypted.mailboxUser);
}

}  // namespace
