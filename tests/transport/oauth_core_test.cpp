// Signing in with a provider, the portable rules: the proof key against
// RFC 7636's own example, the providers table, the addresses and forms, the
// browser's redirect, the token endpoint's answers, renewal, the SASL
// responses against RFC 7628's and the providers' published examples, and
// the HTTP the token endpoint is reached with.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "transport/http_message.h"
#include "transport/oauth_rules.h"
#include "transport/sasl.h"

using namespace util;

namespace {

std::string idToken(const std::string& claims) {
    std::vector<std::uint8_t> bytes(claims.begin(), claims.end());
    return "eyJhbGciOiJub25lIn0." + base64Url(bytes) + ".";
}

TEST(OAuthRules, TheProofKeyIsRfc7636sExample) {
    // Appendix B: the verifier's 32 octets, and the SHA-256 of the verifier's text.
    const std::vector<std::uint8_t> octets = {116, 24,  223, 180, 151, 153, 224, 37,  79, 250, 96,
                                              125, 216, 173, 187, 186, 22,  212, 37,  77, 105, 214,
                                              191, 240, 91,  88,  5,   88,  83,  132, 141, 121};
    EXPECT_EQ(base64Url(octets), "dBjftJeZ4CVP-mB92K27uhbUJU1p1r_wW1gFWFOEjXk");
    const std::array<std::uint8_t, 32> digest = {19,  211, 30,  150, 26,  26,  216, 236, 47, 22, 177,
                                                 12,  76,  152, 46,  8,   118, 168, 120, 173, 109, 241,
                                                 68,  86,  110, 225, 137, 74,  203, 112, 249, 195};
    EXPECT_EQ(codeChallenge(digest), "E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM");
    EXPECT_EQ(base64Url(octets).size(), 43u) << "the shortest verifier RFC 7636 allows";

    for (std::size_t n = 0; n < 6; ++n) {
        std::vector<std::uint8_t> bytes(octets.begin(), octets.begin() + static_cast<long>(n));
        EXPECT_EQ(decodeBase64Url(base64Url(bytes)), std::string(bytes.begin(), bytes.end())) << n;
    }
    EXPECT_EQ(decodeBase64Url("ab+/"), decodeBase64Url("ab-_")) << "either alphabet";
    EXPECT_FALSE(decodeBase64Url("ab*d"));
    EXPECT_FALSE(decodeBase64Url("abcde")) << "one character cannot end a group";
}

TEST(OAuthRules, ProvidersAreDataWithTheOfficesOwnApplication) {
    OAuthSettings s;
    std::string missing;
    EXPECT_FALSE(providerFor(LoginKind::Microsoft, MailService::Pop3, s, &missing));
    EXPECT_EQ(missing, "the client id in [oauth] microsoft-id");
    s.microsoftId = "ms-app";
    auto pop = providerFor(LoginKind::Microsoft, MailService::Pop3, s);
    auto smtp = providerFor(LoginKind::Microsoft, MailService::Smtp, s);
    ASSERT_TRUE(pop && smtp) << "no secret for a desktop application";
    EXPECT_NE(pop->scope.find("POP.AccessAsUser.All"), std::string::npos);
    EXPECT_NE(smtp->scope.find("SMTP.Send"), std::string::npos);
    EXPECT_NE(pop->scope.find("offline_access"), std::string::npos) << "a refresh token";
    EXPECT_EQ(pop->token.rfind("https://", 0), 0u);
    EXPECT_FALSE(pop->device.empty());

    s.googleId = "g-app";
    EXPECT_FALSE(providerFor(LoginKind::Google, MailService::Smtp, s, &missing)) << "Google needs its secret";
    EXPECT_EQ(missing, "the client secret in [oauth] google-secret");
    s.googleSecret = "g-secret";
    auto google = providerFor(LoginKind::Google, MailService::Smtp, s);
    ASSERT_TRUE(google);
    EXPECT_NE(google->extraParameters.find("access_type=offline"), std::string::npos);
    EXPECT_TRUE(google->device.empty()) << "its device sign-in does not cover mail";

    s.otherId = "o-app";
    EXPECT_FALSE(providerFor(LoginKind::Other, MailService::Pop3, s, &missing));
    s.otherAuthorize = "https://idp.example/authorize";
    s.otherToken = "https://idp.example/token";
    s.otherPopScope = "mail.pop";
    auto other = providerFor(LoginKind::Other, MailService::Pop3, s);
    ASSERT_TRUE(other);
    EXPECT_EQ(other->scope, "mail.pop");
    EXPECT_FALSE(providerFor(LoginKind::Password, MailService::Pop3, s));

    for (LoginKind kind : {LoginKind::Password, LoginKind::Microsoft, LoginKind::Google, LoginKind::Other})
        EXPECT_EQ(loginKindFromName(loginKindName(kind)), kind);
    EXPECT_EQ(loginKindFromName("Microsoft"), LoginKind::Microsoft);
    EXPECT_EQ(loginKindFromName(""), LoginKind::Password) << "a record written before sign-in existed";
    EXPECT_EQ(loginKindFromName("yahoo"), LoginKind::Password);
}

TEST(OAuthRules, TheAuthorizationAddressAndTheBrowsersRedirect) {
    Provider p;
    p.authorize = "https://idp.example/authorize";
    p.clientId = "app id";
    p.scope = "a b";
    p.extraParameters = "&prompt=consent";
    std::string address = authorizationAddress(p, {loopbackRedirect(50123), "st/8", "ch_al-lenge", "ann@example.com"});
    EXPECT_EQ(address,
              "https://idp.example/authorize?response_type=code&client_id=app%20id&redirect_uri=http%3A%2F%2F127.0.0.1%3A50123%2F"
              "&scope=a%20b&state=st%2F8&code_challenge=ch_al-lenge&code_challenge_method=S256"
              "&login_hint=ann%40example.com&prompt=consent");

    RedirectRequest r = parseRedirectRequest("GET /?code=c%2Bd+e&state=st%2F8&session_state=x HTTP/1.1");
    EXPECT_TRUE(r.isRedirect);
    EXPECT_EQ(r.code, "c+d e");
    EXPECT_EQ(r.state, "st/8");
    r = parseRedirectRequest("GET /?error=access_denied&error_description=The+user+said+no&state=s HTTP/1.1");
    EXPECT_TRUE(r.isRedirect);
    EXPECT_EQ(r.error, "access_denied");
    EXPECT_EQ(r.errorDescription, "The user said no");
    EXPECT_FALSE(parseRedirectRequest("GET /favicon.ico HTTP/1.1").isRedirect);
    EXPECT_FALSE(parseRedirectRequest("POST /?code=x&state=y HTTP/1.1").isRedirect);
    EXPECT_EQ(formDecode("%zz%4"), "%zz%4") << "bad escapes stay";
}

TEST(OAuthRules, TheTokenEndpointsAnswers) {
    TokenAnswer a = parseTokenAnswer(R"({"token_type":"Bearer","access_token":"at-1","refresh_token":"rt-1",)"
                                     R"("expires_in":3599,"id_token":")" +
                                     idToken(R"({"sub":"1","email":"ann@example.com"})") + R"("})");
    EXPECT_EQ(a.accessToken, "at-1");
    EXPECT_EQ(a.refreshToken, "rt-1");
    EXPECT_EQ(a.expiresIn, 3599);
    EXPECT_EQ(a.account, "ann@example.com");
    EXPECT_TRUE(a.error.empty());

    a = parseTokenAnswer(R"({"access_token":"at","expires_in":"120","id_token":")" +
                         idToken(R"({"preferred_username":"bo@contoso.example"})") + R"("})");
    EXPECT_EQ(a.expiresIn, 120) << "a number written as a string";
    EXPECT_EQ(a.account, "bo@contoso.example");
    EXPECT_TRUE(a.refreshToken.empty()) << "a renewal may keep the refresh token";

    a = parseTokenAnswer(R"({"error":"invalid_grant","error_description":"AADSTS70008: expired"})");
    EXPECT_EQ(a.error, "invalid_grant");
    EXPECT_EQ(a.errorDescription, "AADSTS70008: expired");
    EXPECT_EQ(parseTokenAnswer("<html>gateway</html>").error, "invalid_response");
    EXPECT_EQ(parseTokenAnswer(R"({"token_type":"Bearer"})").error, "invalid_response");

    DeviceAnswer d = parseDeviceAnswer(R"({"device_code":"dc","user_code":"ABCD-EFGH",)"
                                       R"("verification_url":"https://idp.example/device","interval":0})");
    EXPECT_EQ(d.userCode, "ABCD-EFGH");
    EXPECT_EQ(d.verificationAddress, "https://idp.example/device");
    EXPECT_EQ(d.interval, 1) << "never a busy poll";
    EXPECT_EQ(d.expiresIn, 900);
    EXPECT_EQ(parseDeviceAnswer(R"({"user_code":"x"})").error, "invalid_response");
}

TEST(OAuthRules, ACachedTokenIsRenewedAMinuteBeforeItExpires) {
    EXPECT_EQ(tokenExpiry(1000, 3600), 4600);
    EXPECT_EQ(tokenExpiry(1000, 0), 1000 + kDefaultTokenSeconds);
    EXPECT_FALSE(tokenNeedsRenewal(4600 - kRenewBeforeSeconds - 1, 4600));
    EXPECT_TRUE(tokenNeedsRenewal(4600 - kRenewBeforeSeconds, 4600));
    EXPECT_TRUE(tokenNeedsRenewal(5000, 4600));
    EXPECT_EQ(signInAgainText(LoginKind::Google, "ann@example.com", "Incoming"),
              "The sign-in with Google for ann@example.com has ended: sign in again on the Incoming page");
    EXPECT_EQ(providerRefusalText(LoginKind::Other, "invalid_grant", std::string(300, 'x')).size(),
              std::string("Sign-in with the provider refused: invalid_grant ()").size() + 200);
}

TEST(Sasl, MechanismsOfferedAndChosen) {
    EXPECT_EQ(offeredMechanisms("SASL PLAIN XOAUTH2 oauthbearer\r\n"),
              (std::vector<std::string>{"PLAIN", "XOAUTH2", "OAUTHBEARER"}));
    EXPECT_EQ(offeredMechanisms("250-AUTH PLAIN LOGIN XOAUTH2 OAUTHBEARER"),
              (std::vector<std::string>{"PLAIN", "LOGIN", "XOAUTH2", "OAUTHBEARER"}));
    EXPECT_EQ(offeredMechanisms("250 AUTH=LOGIN"), std::vector<std::string>{"LOGIN"});
    EXPECT_TRUE(offeredMechanisms("250-SIZE 1000").empty());
    EXPECT_TRUE(offeredMechanisms("USER").empty());

    EXPECT_EQ(tokenMechanism({"PLAIN", "XOAUTH2", "OAUTHBEARER"}), SaslMechanism::OAuthBearer);
    EXPECT_EQ(tokenMechanism({"LOGIN", "XOAUTH2"}), SaslMechanism::XOAuth2);
    EXPECT_EQ(tokenMechanism({"PLAIN", "LOGIN"}), SaslMechanism::None);
    EXPECT_EQ(passwordMechanism({"PLAIN", "LOGIN"}), SaslMechanism::Login);
    EXPECT_EQ(passwordMechanism({"PLAIN", "XOAUTH2"}), SaslMechanism::Plain);
    EXPECT_EQ(passwordMechanism({}), SaslMechanism::Login) << "as before, when the server names nothing";
}

TEST(Sasl, ResponsesAsPublishedAndTheErrorChallenge) {
    // The XOAUTH2 example the providers publish, and RFC 7628's OAUTHBEARER example.
    EXPECT_EQ(xoauth2Response("someuser@example.com", "ya29.vF9dft4qmTc2Nvb3RlckBhdHRhdmlzdGEuY29tCg"),
              "dXNlcj1zb21ldXNlckBleGFtcGxlLmNvbQFhdXRoPUJlYXJlciB5YTI5LnZGOWRmdDRxbVRjMk52YjNSbGNrQmhkSFJoZG1semRHRXVZMjl0Q2cBAQ==");
    EXPECT_EQ(oauthBearerResponse("user@example.com", "server.example.com", 143, "vF9dft4qmTc2Nvb3RlckBhbHRhdmlzdGEuY29tCg=="),
              "bixhPXVzZXJAZXhhbXBsZS5jb20sAWhvc3Q9c2VydmVyLmV4YW1wbGUuY29tAXBvcnQ9MTQzAWF1dGg9QmVhcmVyIHZGOWRmdDRxbVRjMk52YjNSbGNrQmhiSFJoZG1semRHRXVZMjl0Q2c9PQEB");
    // "a=b,c" in the GS2 header: n,a=a=3Db=2Cc,
    EXPECT_EQ(oauthBearerResponse("a=b,c", "h", 1, "t").substr(0, 20), "bixhPWE9M0RiPTJDYywB");
    EXPECT_EQ(plainResponse("relayuser", "relaypass"), "AHJlbGF5dXNlcgByZWxheXBhc3M=");
    EXPECT_EQ(errorChallengeAnswer(SaslMechanism::XOAuth2), "");
    EXPECT_EQ(errorChallengeAnswer(SaslMechanism::OAuthBearer), "AQ==");

    // {"status":"invalid_token","schemes":"bearer"} and Google's {"status":"401",...}
    EXPECT_EQ(challengeStatus("eyJzdGF0dXMiOiJpbnZhbGlkX3Rva2VuIiwic2NoZW1lcyI6ImJlYXJlciJ9"), "invalid_token");
    EXPECT_EQ(challengeStatus("eyJzdGF0dXMiOiI0MDEiLCJzY2hlbWVzIjoiQmVhcmVyIiwic2NvcGUiOiJodHRwczovL21haWwuZ29vZ2xlLmNvbS8ifQ=="),
              "401");
    EXPECT_EQ(challengeStatus("bm90IGpzb24="), "");
    EXPECT_EQ(challengeStatus(""), "");
    EXPECT_EQ(tokenRefusedText("pop.example", "invalid_token"), "pop.example refused the sign-in (invalid_token)");
    EXPECT_EQ(tokenRefusedText("pop.example", ""), "pop.example refused the sign-in");
}

TEST(HttpMessage, AddressesRequestsAndAnswers) {
    auto a = parseHttpsAddress("https://login.example:8443/common/token?x=1");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->host, "login.example");
    EXPECT_EQ(a->port, 8443);
    EXPECT_EQ(a->target, "/common/token?x=1");
    a = parseHttpsAddress("HTTPS://idp.example");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->port, 443);
    EXPECT_EQ(a->target, "/");
    EXPECT_FALSE(parseHttpsAddress("http://idp.example/token")) << "never without TLS";
    EXPECT_FALSE(parseHttpsAddress("https://user@idp.example/"));
    EXPECT_FALSE(parseHttpsAddress("https://idp.example:99999/"));

    EXPECT_EQ(formPostRequest(*parseHttpsAddress("https://localhost:4443/token"), "a=1"),
              "POST /token HTTP/1.1\r\nHost: localhost:4443\r\nContent-Type: application/x-www-form-urlencoded\r\n"
              "Accept: application/json\r\nConnection: close\r\nContent-Length: 3\r\n\r\na=1");

    auto answer = parseHttpAnswer("HTTP/1.1 400 Bad Request\r\nContent-Length: 5\r\n\r\n{\"a\":1}");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 400);
    EXPECT_EQ(answer->body, "{\"a\":") << "by its length, not to the end";
    EXPECT_TRUE(answer->delimited);
    answer = parseHttpAnswer("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\n{\"a\r\n4;x=y\r\n\":1}\r\n0\r\n\r\n");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->body, "{\"a\":1}");
    EXPECT_TRUE(answer->delimited);
    answer = parseHttpAnswer("HTTP/1.0 200 OK\nServer: x\n\nto the end");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->body, "to the end");
    EXPECT_FALSE(answer->delimited) << "only the connection's end ends it";
    EXPECT_FALSE(parseHttpAnswer("HTTP/1.1 200 OK\r\nContent-Length: 50\r\n\r\nshort"));
    EXPECT_FALSE(parseHttpAnswer("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n10\r\nshort"));
    EXPECT_FALSE(parseHttpAnswer("SSH-2.0-OpenSSH\r\n\r\n"));
}

}  // namespace
