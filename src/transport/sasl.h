// SASL for POP3 (AUTH, RFC 5034) and SMTP (AUTH, RFC 4954): which
// mechanism the server offers, the client's responses for signing in with
// an access token (XOAUTH2, OAUTHBEARER of RFC 7628) or a password (PLAIN of
// RFC 4616), and the server's error challenge after a refused token.
// Portable. The responses carry secrets: callers wipe them once sent.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace util {

enum class SaslMechanism { None, OAuthBearer, XOAuth2, Plain, Login };

// The mechanisms a capability line names, upper-cased: the POP3 CAPA line
// "SASL PLAIN XOAUTH2" or an SMTP EHLO line "250-AUTH LOGIN PLAIN" (also the
// old form "AUTH=LOGIN"); none for any other line.
std::vector<std::string> offeredMechanisms(std::string_view capabilityLine);

// The mechanism for an access token among those offered: OAUTHBEARER, the
// standard one, before XOAUTH2; None when neither is.
SaslMechanism tokenMechanism(const std::vector<std::string>& offered);

// The mechanism for a password over SMTP: LOGIN, as always, or PLAIN for a
// server that offers PLAIN but not LOGIN (and LOGIN when it names neither).
SaslMechanism passwordMechanism(const std::vector<std::string>& offered);

std::string_view mechanismName(SaslMechanism mechanism);

// The client's first response, base64-encoded.
// XOAUTH2: "user=USER^Aauth=Bearer TOKEN^A^A".
std::string xoauth2Response(std::string_view user, std::string_view token);
// OAUTHBEARER: "n,a=USER,^Ahost=HOST^Aport=PORT^Aauth=Bearer TOKEN^A^A",
// the user's "," and "=" escaped as the GS2 header requires.
std::string oauthBearerResponse(std::string_view user, std::string_view host, int port, std::string_view token);
// PLAIN: "^@USER^@PASSWORD" (no authorization identity).
std::string plainResponse(std::string_view user, std::string_view password);

// What the client answers to a server's error challenge: XOAUTH2 an empty
// line, OAUTHBEARER the single byte %x01 (RFC 7628, section 3.2.3).
std::string_view errorChallengeAnswer(SaslMechanism mechanism);

// The "status" of an error challenge (base64 JSON such as
// {"status":"invalid_token","schemes":"bearer"}); "" when it has none.
std::string challengeStatus(std::string_view base64Challenge);

// The status text of a refused token: "HOST refused the sign-in (STATUS)",
// without the parenthesis when the server gave no status.
std::string tokenRefusedText(std::string_view host, std::string_view status);
// The status text when the server offers neither token mechanism.
std::string noTokenMechanismText(std::string_view host);

}  // namespace util
