// The POP3 session exports: OpenPop3, NumPop3Mail, DeletePop3, ClosePop3.
#include "transport/pop3_session.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "frame/event_log.h"
#include "frame/export_guard.h"
#include "frame/paths.h"
#include "frame/profile.h"
#include "frame/secret.h"
#include "transport/oauth_tokens.h"
#include "transport/pop3_ids.h"
#include "transport/pop3_reply.h"
#include "transport/sasl.h"
#include "transport/socket_layer.h"
#include "transport/tls_settings.h"
#include "utilities.h"

namespace util {
namespace {

constinit Pop3Session session{};
constinit int lastReplyLength = 0;

// Connection retries: a switch in ms.ini, at most this many after the
// first attempt, and none after an attempt that took this long.
constexpr int kMaxConnectRetries = 5;
constexpr DWORD kNoRetryAfterMs = 15000;

SOCKET connectWithRetries(const char* host, int port) {
    std::string where = std::string(host) + " port " + std::to_string(port) + "...";
    statusOut("Connecting to " + where);
    DWORD started = GetTickCount();
    SOCKET s = connectTo(host, kServicePop3, port);
    int retries = 0;
    while (s == INVALID_SOCKET) {
        bool retriesOn = read(cfg::kPop3ConnectRetries) != 0;
        if (!retriesOn || GetTickCount() - started >= kNoRetryAfterMs || retries >= kMaxConnectRetries) {
            statusOut("Could not connect");
            return INVALID_SOCKET;
        }
        ++retries;
        statusOut("Re-trying (" + std::to_string(retries) + ") " + where);
        started = GetTickCount();
        s = connectTo(host, kServicePop3, port);
    }
    return s;
}

int refuseOpen(SOCKET s) {
    closeSocket(s);
    return -1;
}

// The upgrade after the greeting: "STLS", then TLS. False (reported) when
// the server refuses it or TLS fails; never a session in plain text.
bool upgradeToTls(SOCKET s) {
    switch (pop3Command(s, "STLS\r\n")) {
    case Pop3Reply::Failed:
        statusOut("Network error");
        return false;
    case Pop3Reply::Refused:
        reportRefusal(tlsFailedText(session.host, "the server refused STLS"));
        return false;
    case Pop3Reply::Accepted:
        break;
    }
    return startTls(s, session.host);
}

// The mechanisms of the server's "SASL" capability ("CAPA", RFC 2449);
// none when it has no capabilities to tell.
std::vector<std::string> saslCapability(SOCKET s) {
    std::vector<std::string> offered;
    if (pop3Command(s, "CAPA\r\n") != Pop3Reply::Accepted) return offered;
    for (;;) {
        if (readPop3Line(s) < 0) return {};
        std::string_view line = lastPop3Reply();
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
        if (line == ".") return offered;
        std::vector<std::string> named = offeredMechanisms(line);
        offered.insert(offered.end(), named.begin(), named.end());
    }
}

// "+" alone or "+ " with a challenge: the server waits for the client's response.
bool continuation(std::string_view line) { return line.substr(0, 2) == "+ " || line.substr(0, 3) == "+\r\n" || line == "+\n"; }

// The login with the record's access token instead of a password (AUTH,
// RFC 5034). False when refused (reported: the server's line, then why).
bool tokenLogin(SOCKET s, const SignedInRecord& record) {
    statusOut("Signing in with " + loginKindTitle(record.kind));
    const SaslMechanism mechanism = tokenMechanism(saslCapability(s));
    if (mechanism == SaslMechanism::None) {
        statusOut(noTokenMechanismText(session.host));
        return false;
    }
    SecretText token(kAccessTokenRoom);
    if (!accessTokenFor(record, token)) return false;
    const int port = session.port > 0 ? session.port : cfg::kIncomingPort.fallback;
    std::string response = mechanism == SaslMechanism::XOAuth2
                               ? xoauth2Response(record.user, token.text())
                               : oauthBearerResponse(record.user, session.host, port, token.text());
    SecretText line(response.size() + 2);
    line.text() = response;
    line.text() += "\r\n";
    wipe(response);
    // The response follows the server's "+": it may be longer than a
    // command line may be.
    const Pop3Reply asked = pop3Command(s, "AUTH " + std::string(mechanismName(mechanism)) + "\r\n");
    if (asked == Pop3Reply::Failed) {
        statusOut("Network error");
        return false;
    }
    if (!continuation(lastPop3Reply())) {
        reportRefusal(tokenRefusedText(session.host, ""));
        return false;
    }
    const Pop3Reply answered = pop3Command(s, line.text(), Pop3Secret::Yes);
    if (answered == Pop3Reply::Failed) {
        statusOut("Network error");
        return false;
    }
    std::string_view reply = lastPop3Reply();
    if (answered == Pop3Reply::Accepted && !continuation(reply)) return true;
    // A refused token first brings an error challenge ("+ " and base64
    // JSON), which is answered before the server says "-ERR": it is no
    // success.
    std::string status;
    if (continuation(reply)) {
        std::string_view challenge = reply.substr(1);
        while (!challenge.empty() && (challenge.front() == ' ')) challenge.remove_prefix(1);
        while (!challenge.empty() && (challenge.back() == '\n' || challenge.back() == '\r')) challenge.remove_suffix(1);
        status = challengeStatus(challenge);
        if (pop3Command(s, std::string(errorChallengeAnswer(mechanism)) + "\r\n") == Pop3Reply::Failed) {
            statusOut("Network error");
            return false;
        }
    }
    dropAccessToken(record);
    reportRefusal(tokenRefusedText(session.host, status));
    return false;
}

}  // namespace

Pop3Session& pop3Session() { return session; }

void setSessionHost(const char* host) { copyToBuffer(orEmpty(host), session.host, kSessionTextSize); }
void setSessionUser(const char* user) { copyToBuffer(orEmpty(user), session.user, kSessionTextSize); }

int readPop3Line(SOCKET s) {
    TransportState& t = transport();
    int n = readReply(s, t.reply, kPop3LineMax, ReplyEnd::FirstLine);
    lastReplyLength = n > 0 ? n : 0;
    return n;
}

std::string_view lastPop3Reply() { return std::string_view(transport().reply, static_cast<std::size_t>(lastReplyLength)); }

Pop3Reply pop3Command(SOCKET s, std::string_view command, Pop3Secret secret) {
    TransportState& t = transport();
    t.current = s;
    copyToBuffer(secret == Pop3Secret::Yes ? std::string_view() : command, t.command, kCommandSize);
    if (!sendAll(s, command.data(), static_cast<int>(command.size()))) {
        lastReplyLength = 0;
        t.reply[0] = '\0';
        return Pop3Reply::Failed;
    }
    if (readPop3Line(s) < 0) return Pop3Reply::Failed;
    return pop3Accepted(lastPop3Reply()) ? Pop3Reply::Accepted : Pop3Reply::Refused;
}

void reportRefusal(std::string_view text) {
    statusOut(pop3ShownLine(lastPop3Reply()));
    statusOut(text);
}

}  // namespace util

using namespace util;

extern "C" {

int UTILAPI OpenPop3(HWND, const char* host, const char* user, const char* password, int port) {
    return guarded(-1, [&]() -> int {
        setSessionHost(host);
        setSessionUser(user);
        session.port = port;
        session.greeted = false;
        startPop3Ids();

        if (startSockets() != 0) return -1;
        // A host, user or password longer than the session keeps is not
        // cut: a cut host names another machine and a cut user another
        // mailbox, either of which would be sent the login.
        for (const char* text : {host, user, password})
            if (strnlen(orEmpty(text), kSessionTextSize) == kSessionTextSize) {
                statusOut("Could not connect");
                return -1;
            }
        const TlsMode tls = pop3ConnectionMode(session.host, port);
        SOCKET s = connectWithRetries(session.host, port);
        if (s == INVALID_SOCKET) return -1;
        transport().current = s;
        if (tls == TlsMode::Implicit && !startTls(s, session.host)) return refuseOpen(s);

        if (readPop3Line(s) < 0) return refuseOpen(s);
        if (!pop3Accepted(lastPop3Reply())) {
            reportRefusal("POP3 protocol error");
            return refuseOpen(s);
        }
        session.greeted = true;
        if (tls == TlsMode::StartTls && !upgradeToTls(s)) return refuseOpen(s);

        // A mailbox that signs in with a provider logs in with its token,
        // whatever password the caller passes.
        if (std::optional<SignedInRecord> signedIn = pop3SignIn(session.host, session.user, port))
            return tokenLogin(s, *signedIn) ? static_cast<int>(s) : refuseOpen(s);

        statusOut("Sending username and password");
        switch (pop3Command(s, "USER " + std::string(session.user) + "\r\n")) {
        case Pop3Reply::Failed:
            statusOut("Network error");
            return refuseOpen(s);
        case Pop3Reply::Refused:
            reportRefusal("User unknown");
            return refuseOpen(s);
        case Pop3Reply::Accepted:
            break;
        }
        const std::string_view secret = orEmpty(password);
        if (secret.empty()) return static_cast<int>(s);

        // The caller's password, cut as the session's texts are, in a line
        // wiped once sent.
        SecretText line(kSessionTextSize + 8);
        line.text() = "PASS ";
        line.text() += secret.substr(0, kSessionTextSize - 1);
        line.text() += "\r\n";
        switch (pop3Command(s, line.text(), Pop3Secret::Yes)) {
        case Pop3Reply::Failed:
            statusOut("Network error");
            return refuseOpen(s);
        case Pop3Reply::Refused:
            reportRefusal("Password is incorrect ");
            return refuseOpen(s);
        case Pop3Reply::Accepted:
            break;
        }
        return static_cast<int>(s);
    });
}

int UTILAPI NumPop3Mail(int socket, int) {
    return guarded(-1, [&]() -> int {
        switch (pop3Command(static_cast<SOCKET>(socket), "STAT\r\n")) {
        case Pop3Reply::Failed:
            statusOut("Network error");
            return -1;
        case Pop3Reply::Refused:
            reportRefusal("Protocol error");
            return -1;
        case Pop3Reply::Accepted:
            break;
        }
        int count = pop3StatCount(lastPop3Reply());
        statusOut("Server has " + std::to_string(count) + " messages");
        return count;
    });
}

int UTILAPI DeletePop3(int socket, int messageNumber, int) {
    return guarded(-1, [&]() -> int {
        transport().current = static_cast<SOCKET>(socket);
        statusOut("Deleting message " + std::to_string(messageNumber));
        switch (pop3Command(static_cast<SOCKET>(socket), "DELE " + std::to_string(messageNumber) + "\r\n")) {
        case Pop3Reply::Failed:
            statusOut("Network error");
            return -1;
        case Pop3Reply::Refused:
            reportRefusal("Unable to delete message");
            return 0;
        case Pop3Reply::Accepted:
            break;
        }
        return 0;
    });
}

int UTILAPI ClosePop3(int socket) {
    return guarded(-1, [&]() -> int {
        SOCKET s = static_cast<SOCKET>(socket);
        if (socket != -1) {
            if (session.greeted && pop3Command(s, "QUIT\r\n") == Pop3Reply::Accepted) confirmDeletions();
            closeSocket(s);
        }
        session.greeted = false;
        return WSACleanup() == 0 ? 0 : -1;
    });
}

}  // extern "C"
