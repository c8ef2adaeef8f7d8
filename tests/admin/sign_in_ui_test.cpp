// Signing in with a provider through the real windows, against the tests'
// identity provider (OAUTH_IDP_DIR; Wine's browser setting runs the test
// browser): the Incoming and Outgoing pages store a record that signs in,
// and the setup wizard takes an empty folder to mail sent through the
// relay (SMTP_RELAY_DIR) and collected from the mailbox (POP3_PEER_DIR)
// with nothing but sign-ins, both servers checking the tokens with the
// provider.
#include <windows.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "admin/incoming_ids.h"
#include "admin/outgoing_ids.h"
#include "admin/wizard_connection_ids.h"
#include "admin/wizard_domain_ids.h"
#include "admin/wizard_mailbox_ids.h"
#include "admin/wizard_relay_ids.h"
#include "admin/wizard_user_ids.h"
#include "support/peers.h"
#include "support/win32_support.h"
#include "support/ui_driver.h"
#include "utilities.h"
#include "wizard_driver.h"

using namespace drive;
using namespace testing_support;

namespace {

constexpr const char* kOutgoing = "Outgoing";
constexpr const char* kIncoming = "Incoming";
constexpr int kOther = 3;  // the choice "Other" of Login

std::string idpAddress() {
    const char* dir = std::getenv("OAUTH_IDP_DIR");
    return "https://localhost:" + std::to_string(std::atoi(readFile(std::string(dir ? dir : "") + "\\port").c_str()));
}

// The office's application at the provider, as the administrator enters it.
std::string providerSettings() {
    const std::string at = idpAddress();
    return "[oauth]\r\nother-id=test-client\r\nother-authorize=" + at + "/authorize\r\nother-token=" + at +
           "/token\r\nother-pop-scope=mail.pop offline_access\r\nother-smtp-scope=mail.send offline_access\r\n";
}

// Chooses an item as the user would: with CBN_SELCHANGE.
void choose(HWND dialog, int id, int index) {
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string stored(const std::string& ini, const char* section, const char* key) {
    char value[16384] = {};
    GetPrivateProfileStringA(section, key, "", value, sizeof value, ini.c_str());
    return value;
}

TEST(SignInWindows, TheIncomingPageSignsAMailboxInAndStoresItBesideTheRecord) {
    Install install(providerSettings() + "[incoming]\r\nnode0=pop.old.example\r\nuser0=ann\r\npassword0=" +
                    scramble("pw") + "\r\n");
    runSheet(kIncoming, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(comboItems(page, IDC_IN_LOGIN), (std::vector<std::string>{"Password", "Microsoft", "Google", "Other"}));
        EXPECT_EQ(comboSelection(page, IDC_IN_LOGIN), "Password") << "a record stored before sign-in existed";
        click(page, IDC_IN_ADD);
        setText(page, IDC_IN_SERVER, "localhost");
        setText(page, IDC_IN_USER, "t31");
        EXPECT_TRUE(enabled(page, IDC_IN_PASSWORD));
        EXPECT_FALSE(enabled(page, IDC_IN_SIGN_IN));
        choose(page, IDC_IN_LOGIN, kOther);
        EXPECT_FALSE(enabled(page, IDC_IN_PASSWORD)) << "no password for a mailbox that signs in";
        EXPECT_TRUE(enabled(page, IDC_IN_SIGN_IN));
        EXPECT_EQ(clickExpectingError(page, IDC_IN_SAVE), "Please sign in with the provider first (Sign in...)");
        EXPECT_EQ(clickExpectingBox(page, IDC_IN_SIGN_IN, "Sign in"), "Signed in with the provider as t31.");
        click(page, IDC_IN_SAVE);
        EXPECT_EQ(listItems(page, IDC_IN_LIST),
                  (std::vector<std::string>{"pop.old.example (ann)", "localhost (t31, Other)"}));
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("incoming", "auth0"), "<none>") << "the password record is stored as before";
    EXPECT_EQ(unscramble(install.ini("incoming", "password0")), "pw");
    EXPECT_EQ(install.ini("incoming", "user1"), "t31");
    EXPECT_EQ(install.ini("incoming", "auth1"), "other");
    EXPECT_EQ(install.ini("incoming", "password1"), "");
    const std::string token = stored(install.iniPath(), "incoming", "token1");
    EXPECT_GT(token.size(), 40u);
    EXPECT_EQ(readFile(install.iniPath()).find("rt-"), std::string::npos) << "the refresh token is not readable";
}

TEST(SignInWindows, TheOutgoingPageSignsANewRelayInAndItsAccountIsInTheRecord) {
    Install install(providerSettings() + "[outgoing]\r\nserver0=smtp.old.example:25:::0:::\r\n");
    runSheet(kOutgoing, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_FALSE(enabled(page, IDC_OUT_SIGN_IN)) << "the selected relay has a password";
        click(page, IDC_OUT_ADD);
        setText(page, IDC_OUT_HOST, "localhost");
        choose(page, IDC_OUT_LOGIN, kOther);
        EXPECT_TRUE(checked(page, IDC_OUT_AUTH)) << "a relay that signs in authenticates";
        EXPECT_FALSE(enabled(page, IDC_OUT_AUTH_SET)) << "no password settings";
        EXPECT_EQ(clickExpectingError(page, IDC_OUT_SAVE), "Please sign in with the provider first (Sign in...)");
        EXPECT_EQ(clickExpectingBox(page, IDC_OUT_SIGN_IN, "Sign in"), "Signed in with the provider as t38.");
        click(page, IDC_OUT_SAVE);
        EXPECT_TRUE(enabled(page, IDC_OUT_SIGN_IN)) << "the relay can be signed in again";
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("outgoing", "server0"), "localhost:25:::1:dDM4::") << "the account, no password";
    EXPECT_EQ(install.ini("outgoing", "auth0"), "other");
    EXPECT_GT(stored(install.iniPath(), "outgoing", "token0").size(), 40u);
    EXPECT_EQ(install.ini("outgoing", "server1"), "smtp.old.example:25:::0:::");
    EXPECT_EQ(install.ini("outgoing", "auth1"), "<none>");
}

// The office set up from the wizard with sign-ins only: the relay's
// submission port (STARTTLS) and the mailbox (TLS), then a message sent
// and collected with what the wizard stored.
TEST(SignInWindows, FromTheWizardWithSignInsOnlyMailIsSentAndCollected) {
    std::map<std::string, std::string> relay = relaySettings();
    ASSERT_FALSE(relay["SUBMISSION_PORT"].empty()) << "the relay is started by the oauth_relay fixture";
    Install install(providerSettings());
    const std::string popPort = std::to_string(std::atoi(readFile(pop3PeerDir() + "\\tls_port").c_str()));
    SetLoghWnd(nullptr, nullptr);

    int finished = runWizard([&](HWND sheet) {
        HWND page = currentPage(sheet);
        setText(page, IDC_WDOM_NAME, "office.example");
        page = press(sheet, PSBTN_NEXT);
        click(page, IDC_WCON_LAN);
        page = press(sheet, PSBTN_NEXT);
        setText(page, IDC_WREL_HOST, "localhost");
        setText(page, IDC_WREL_PORT, relay["SUBMISSION_PORT"]);
        SendDlgItemMessageA(page, IDC_WREL_TLS, CB_SETCURSEL, 2, 0);
        click(page, IDC_WREL_AUTH);
        choose(page, IDC_WREL_LOGIN, kOther);
        EXPECT_FALSE(enabled(page, IDC_WREL_PASSWORD));
        EXPECT_EQ(pressExpecting(sheet, PSBTN_NEXT), "Please sign in with the provider first (Sign in...)");
        EXPECT_EQ(clickExpectingBox(page, IDC_WREL_SIGN_IN, "Sign in"), "Signed in with the provider as t38.");
        EXPECT_EQ(text(page, IDC_WREL_USER), "t38") << "the account signed in";
        page = press(sheet, PSBTN_NEXT);
        setText(page, IDC_WPOP_SERVER, "localhost");
        setText(page, IDC_WPOP_PORT, popPort);
        SendDlgItemMessageA(page, IDC_WPOP_TLS, CB_SETCURSEL, 1, 0);
        setText(page, IDC_WPOP_USER, "t32");
        choose(page, IDC_WPOP_LOGIN, kOther);
        EXPECT_FALSE(enabled(page, IDC_WPOP_PASSWORD));
        EXPECT_EQ(clickExpectingBox(page, IDC_WPOP_SIGN_IN, "Sign in"), "Signed in with the provider as t32.");
        page = press(sheet, PSBTN_NEXT);
        setText(page, IDC_WUSR_NAME, "Ann Example");
        setText(page, IDC_WUSR_ADDRESS, "ann");
        setText(page, IDC_WUSR_USER, "ann");
        setText(page, IDC_WUSR_PASSWORD, "annpw1");
        whenClientInformation([](HWND dialog) { click(dialog, IDCANCEL); });
        press(sheet, PSBTN_FINISH);
    });
    ASSERT_EQ(finished, 1);
    const std::string ini = install.iniPath();
    EXPECT_EQ(stored(ini, "outgoing", "auth0"), "other");
    EXPECT_EQ(stored(ini, "incoming", "auth0"), "other");
    EXPECT_EQ(stored(ini, "incoming", "password0"), "");

    // Sent through the relay with only the stored record: its token signs in.
    const std::string tag = "signin-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
    const std::string recipient = tag + "@provider.example";
    const std::string file = install.file(tag + ".txt");
    ASSERT_TRUE(writeFile(file, "From: <ann@office.example>\r\nTo: <" + recipient + ">\r\nSubject: signed in\r\nX-Test: " +
                                    tag + "\r\n\r\nSent with a token.\r\n"));
    const std::string delivered = sendThroughRelay(stored(ini, "outgoing", "server0"), file, recipient);
    ASSERT_FALSE(delivered.empty()) << "nothing reached the relay's maildir";

    // Collected from the mailbox with only the stored record: the caller's
    // password is ignored.
    seedMailbox("t32", {delivered});
    const int port = std::atoi(stored(ini, "incoming", "port0").c_str());
    int pop = OpenPop3(nullptr, stored(ini, "incoming", "node0").c_str(), stored(ini, "incoming", "user0").c_str(), "",
                       port);
    ASSERT_NE(pop, -1);
    std::string collected;
    for (int n = NumPop3Mail(pop, 0); n >= 1 && collected.empty(); --n) {
        const std::string into = install.file(tag + "-" + std::to_string(n) + ".txt");
        ASSERT_EQ(GetMailPop3(pop, n, into.c_str(), 0, 0, nullptr, 0), 0);
        if (readFile(into).find("X-Test: " + tag) != std::string::npos) collected = readFile(into);
    }
    ClosePop3(pop);
    EXPECT_NE(collected.find("Sent with a token."), std::string::npos) << collected;
}

}  // namespace
