// Signing in with a provider against the tests' identity provider
// (tests/peers/oauth_idp.py, folder in OAUTH_IDP_DIR) through Wine's
// browser setting, which runs tools/test_browser.py; the Dovecot in
// OAUTH_POP3_DIR and the relay in SMTP_RELAY_DIR check the tokens with it.
// The provider is steered by its control file and writes down every grant.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "support/peers.h"
#include "support/recorder.h"
#include "support/shell_install.h"
#include "support/win32_support.h"
#include "transport/oauth_platform.h"
#include "transport/oauth_sign_in.h"
#include "transport/oauth_tokens.h"
#include "utilities.h"

using namespace testing_support;

namespace {

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}
std::string idpDir() { return env("OAUTH_IDP_DIR"); }
std::string idpAddress() { return "https://localhost:" + std::to_string(std::atoi(readFile(idpDir() + "\\port").c_str())); }
int pop3Port() { return std::atoi(readFile(env("OAUTH_POP3_DIR") + "\\port").c_str()); }

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        if (end > at) out.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return out;
}
std::vector<std::string> grants() { return lines(readFile(idpDir() + "\\grants")); }
std::string lastBrowserLine() {
    std::vector<std::string> seen = lines(readFile(idpDir() + "\\browser.log"));
    return seen.empty() ? "" : seen.back();
}
// The browser's last line once it has written it: it writes after the
// listener's answer, which may come after the sign-in has ended.
std::string browserEnded() {
    waitUntil([] { return lastBrowserLine().rfind("redirect ", 0) == 0 || lastBrowserLine().rfind("failed", 0) == 0; },
              10000);
    return lastBrowserLine();
}

class OAuthSignIn : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(idpDir().empty()) << "OAUTH_IDP_DIR is not set";
        install.set("domain", "domain", "office.example");
        install.set("oauth", "other-id", "test-client");
        install.set("oauth", "other-authorize", idpAddress() + "/authorize");
        install.set("oauth", "other-token", idpAddress() + "/token");
        install.set("oauth", "other-device", idpAddress() + "/device");
        install.set("oauth", "other-pop-scope", "mail.pop offline_access");
        install.set("oauth", "other-smtp-scope", "mail.send offline_access");
        ASSERT_TRUE(writeFile(idpDir() + "\\control", ""));
        ASSERT_TRUE(writeFile(idpDir() + "\\grants", ""));
        ASSERT_TRUE(writeFile(idpDir() + "\\browser.log", ""));
        AbortComms(0);
    }
    void TearDown() override {
        writeFile(idpDir() + "\\control", "");
    }
    std::string stored(const char* section, const char* key) {
        char value[16384] = {};
        GetPrivateProfileStringA(section, key, "", value, sizeof value, install.iniPath().c_str());
        return value;
    }
    void control(const std::string& words) { ASSERT_TRUE(writeFile(idpDir() + "\\control", words)); }

    util::SignInResult signIn(util::MailService service, const std::string& hint) {
        return util::signIn({util::LoginKind::Other, service, hint}, {});
    }
    // Signs in through the browser and stores the mailbox as the Incoming page does.
    void signedInMailbox(const std::string& user) {
        util::SignInResult r = signIn(util::MailService::Pop3, user);
        ASSERT_TRUE(r.signedIn) << r.failure << " / browser: " << lastBrowserLine();
        EXPECT_EQ(r.account, user) << "the provider's identity token names the account";
        install.set("incoming", "node0", "localhost");
        install.set("incoming", "port0", std::to_string(pop3Port()));
        install.set("incoming", "user0", user);
        install.set("incoming", "auth0", "other");
        install.set("incoming", "token0", r.storedToken);
    }
    // OpenPop3 with nothing but the stored record, as the mail server calls
    // it (the caller's password is ignored for a signed-in record).
    int collectOnce(const std::string& user) {
        int s = OpenPop3(nullptr, "localhost", user.c_str(), "not the password", pop3Port());
        if (s != -1) NumPop3Mail(s, 0);
        ClosePop3(s);
        return s;
    }
    int count(const std::string& grant) {
        int n = 0;
        for (const std::string& line : grants()) n += line == grant;
        return n;
    }

    Install install{"", {"event log"}};
    Recorder recorder;
};

// The platform's share of a sign-in: SHA-256 gives RFC 7636's example
// challenge, and a protected token reads back on this machine only as
// what was protected, and not as text.
TEST_F(OAuthSignIn, ThePlatformHashesAndProtects) {
    auto digest = util::sha256("dBjftJeZ4CVP-mB92K27uhbUJU1p1r_wW1gFWFOEjXk");
    ASSERT_TRUE(digest);
    EXPECT_EQ(util::codeChallenge(*digest), "E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM");
    const std::string secret = "rt-refresh-token-of-the-office";
    const std::string stored = util::protectForMachine(secret);
    ASSERT_FALSE(stored.empty());
    EXPECT_EQ(stored.find("refresh"), std::string::npos);
    util::SecretText back;
    ASSERT_TRUE(util::unprotect(stored, back));
    EXPECT_EQ(back.text(), secret);
    EXPECT_FALSE(util::unprotect("bm90IGEgcHJvdGVjdGVkIGJsb2I=", back));
}

// The browser's sign-in, then the mailbox collected with only what was
// stored; the refresh token is nowhere in ms.ini as text.
TEST_F(OAuthSignIn, SignedInThroughTheBrowserTheMailboxIsCollectedWithItsToken) {
    signedInMailbox("t37");
    EXPECT_EQ(browserEnded(), "redirect 200") << "the listener answered the browser";
    EXPECT_EQ(grants(), std::vector<std::string>{"authorization_code t37"});
    seedMailbox("t37", {"From: a@b.example\r\nSubject: token\r\n\r\nbody\r\n"});
    // seedMailbox looks in POP3_PEER_DIR.
    EXPECT_NE(collectOnce("t37"), -1) << (recorder.status.empty() ? "" : recorder.status.back());
    EXPECT_TRUE(recorder.statusHas("Signing in with the provider"));
    EXPECT_EQ(grants().size(), 1u) << "the access token of the sign-in was used, not renewed";
    const std::string ini = readFile(install.iniPath());
    EXPECT_EQ(ini.find("rt-"), std::string::npos) << "the refresh token is stored protected";
    EXPECT_EQ(ini.find("at-"), std::string::npos) << "no access token is stored";
    for (const std::string& line : recorder.eventTexts()) EXPECT_EQ(line.find("rt-"), std::string::npos) << line;
}

// A redirect whose state is not the sign-in's is refused before any code
// is exchanged; a code whose proof key does not match is refused by the
// provider. Neither stores anything.
TEST_F(OAuthSignIn, AWrongStateAndAWrongProofKeyAreRefused) {
    control("wrong-state\n");
    util::SignInResult r = signIn(util::MailService::Pop3, "t36");
    EXPECT_FALSE(r.signedIn);
    EXPECT_EQ(r.failure, "The sign-in was refused: its answer does not belong to the sign-in in progress");
    EXPECT_EQ(browserEnded(), "redirect 400");
    EXPECT_TRUE(r.storedToken.empty());
    EXPECT_TRUE(grants().empty()) << "the code was never exchanged";

    ASSERT_TRUE(writeFile(idpDir() + "\\browser.log", ""));
    control("wrong-challenge\n");
    r = signIn(util::MailService::Pop3, "t36");
    EXPECT_FALSE(r.signedIn);
    EXPECT_EQ(r.failure, "Sign-in with the provider refused: invalid_grant (PKCE verification failed)");
    EXPECT_TRUE(r.storedToken.empty());
    EXPECT_TRUE(grants().empty());
    EXPECT_TRUE(recorder.statusHas(r.failure));
}

// An access token is kept while fresh and renewed once when it is about to
// expire; the new refresh token the provider hands out is stored.
TEST_F(OAuthSignIn, AnExpiringAccessTokenIsRenewedOnce) {
    control("lifetime 75\n");  // fresh for 15 s: renewed a minute before it expires
    signedInMailbox("t35");
    const std::string first = stored("incoming", "token0");
    EXPECT_NE(collectOnce("t35"), -1);
    EXPECT_EQ(count("refresh_token t35"), 0);
    Sleep(16000);
    EXPECT_NE(collectOnce("t35"), -1) << (recorder.status.empty() ? "" : recorder.status.back());
    EXPECT_NE(collectOnce("t35"), -1);
    EXPECT_EQ(count("refresh_token t35"), 1) << "renewed once, then the new one kept";
    EXPECT_NE(stored("incoming", "token0"), first) << "the provider's new refresh token replaced the old";
    EXPECT_TRUE(recorder.statusHas("Renewing the sign-in with the provider for t35"));
}

// A refresh token the provider ended: the administrator is told to sign in
// again, and the provider is not asked again with it.
TEST_F(OAuthSignIn, AnEndedSignInAsksTheAdministratorToSignInAgain) {
    control("lifetime 61\n");
    signedInMailbox("t34");
    control("lifetime 61\nrevoke t34\n");
    Sleep(1500);
    const std::string text = "The sign-in with the provider for t34 has ended: sign in again on the Incoming page";
    EXPECT_EQ(collectOnce("t34"), -1);
    EXPECT_TRUE(recorder.statusHas(text));
    EXPECT_TRUE(recorder.eventsHave(text));
    recorder.clear();
    EXPECT_EQ(collectOnce("t34"), -1);
    EXPECT_TRUE(recorder.statusHas(text));
    EXPECT_EQ(count("refused refresh_token t34"), 1) << "never asked again with an ended token";
}

// A token the mail server refuses: its error challenge is answered and
// its status reported, over POP3 and SMTP, and the export fails.
TEST_F(OAuthSignIn, ATokenTheServerRefusesIsReportedWithItsStatus) {
    signedInMailbox("t33");
    control("inactive\n");
    EXPECT_EQ(collectOnce("t33"), -1);
    EXPECT_TRUE(recorder.statusHas("localhost refused the sign-in (invalid_token)"));
    EXPECT_TRUE(recorder.eventsHave("localhost refused the sign-in (invalid_token)"));

    control("");
    std::map<std::string, std::string> relay = relaySettings();
    util::SignInResult r = signIn(util::MailService::Smtp, "t33");
    ASSERT_TRUE(r.signedIn) << r.failure;
    const std::string record = "localhost:" + relay["SUBMISSION_PORT"] + "::0:1:dDMz::";  // account "t33"
    install.set("outgoing", "server0", record);
    install.set("outgoing", "tls0", "2");
    install.set("outgoing", "auth0", "other");
    install.set("outgoing", "token0", r.storedToken);
    control("inactive\n");
    recorder.clear();
    std::vector<char> text(record.begin(), record.end());
    text.push_back('\0');
    ASSERT_EQ(InitSMTP(), 0);
    EXPECT_EQ(OpenSMTP(nullptr, 0, text.data(), 0), -1);
    CloseSMTP(-1);
    EXPECT_TRUE(recorder.statusHas("localhost refused the sign-in (invalid_token)"));
}

// Without a browser: the code and the address are shown, then the provider
// is asked until the administrator has entered it.
TEST_F(OAuthSignIn, WithoutABrowserTheSignInTakesACode) {
    install.set("oauth", "device", "1");
    util::DeviceAnswer shown;
    util::SignInResult r = util::signIn({util::LoginKind::Other, util::MailService::Pop3, ""},
                                        {[&](const util::DeviceAnswer& d) {
                                             shown = d;
                                             return true;
                                         },
                                         {}});
    ASSERT_TRUE(r.signedIn) << r.failure;
    EXPECT_EQ(shown.userCode, "TEST-CODE");
    EXPECT_EQ(shown.verificationAddress, idpAddress() + "/device");
    EXPECT_EQ(grants(), std::vector<std::string>{"device_code t38"});
    EXPECT_FALSE(r.storedToken.empty());
}

}  // namespace
