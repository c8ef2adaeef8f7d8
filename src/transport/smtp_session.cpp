// The SMTP client: InitSMTP, OpenSMTP, SendMailSMTP and CloseSMTP. One
// session at a time, on the caller's thread; every step reports through the
// status output.
#include <winsock.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "content/base64_decoder.h"
#include "frame/event_log.h"
#include "frame/export_guard.h"
#include "frame/paths.h"
#include "frame/profile.h"
#include "frame/secret.h"
#include "frame/abort_flag.h"
#include "transport/oauth_tokens.h"
#include "transport/sasl.h"
#include "transport/smtp_address.h"
#include "transport/smtp_data.h"
#include "transport/smtp_header.h"
#include "transport/smtp_lines.h"
#include "transport/smtp_progress.h"
#include "transport/smtp_relay.h"
#include "transport/socket_layer.h"
#include "transport/tls_settings.h"
#include "utilities.h"

namespace util {
namespace {

inline constexpr std::size_t kErrorTextSize = 1100;
// DATA leaves in blocks of this size; the abort test and the message pump
// still run before every line.
inline constexpr std::size_t kWireBlock = 262144;
// The message pump's share of a transfer is kept below 1/kPumpShare, and a
// waiting message is dispatched within kPumpSpacingMaxMs at most.
inline constexpr long long kPumpShare = 16;
inline constexpr long long kPumpSpacingMaxMs = 20;

// The session of the one SMTP conversation in progress.
struct SmtpSession {
    int connected;                 // greeting accepted: CloseSMTP sends QUIT
    int midData;                   // a transfer stopped inside DATA: the server reads no commands
    char sendAs[kSenderMax + 1];   // field 3 of the relay record
    int rewriteFrom;               // field 4
    char sender[kSenderMax + 1];   // sender of the message being sent
};
constinit SmtpSession session{};

// Closes a message or envelope file when the step that opened it ends.
class FileCloser {
public:
    explicit FileCloser(std::FILE* f) : file_(f) {}
    ~FileCloser() { close(); }
    FileCloser(const FileCloser&) = delete;
    FileCloser& operator=(const FileCloser&) = delete;
    void close() {
        if (file_) std::fclose(file_);
        file_ = nullptr;
    }
    std::FILE* get() const { return file_; }

private:
    std::FILE* file_;
};

bool sendText(SOCKET s, std::string_view text) {
    return sendAll(s, text.data(), static_cast<int>(text.size()));
}

std::string withNumber(const char* prefix, int number) { return prefix + std::to_string(number); }

// The last reply line as the server sent it, without its line end.
void showReply() {
    std::string_view line = transport().smtpReply;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    statusOut(line);
}

void closeConnection(SOCKET s) {
    closeSocket(s);
    session.connected = 0;
}

int resetTransaction(SOCKET s) {
    if (!sendText(s, "RSET\r\n")) return -1;
    return smtpReplyCode(s) == 250 ? 0 : -1;
}

void setSender(std::string_view address) { copyToBuffer(address, session.sender, sizeof session.sender); }

void writeErrorText(char* errorText, const std::string& text) {
    if (errorText) copyToBuffer(text, errorText, kErrorTextSize);
}

// The window messages dispatched before a line of DATA. A look at the
// queue is a round trip to the window server under Wine (40 to 100 us,
// where sending a line takes well under one), so pumping before every
// line made a 20 MB transfer 18 times slower. Before each line the clock
// is read (cheap); the pump runs once the milliseconds since its last run
// reach 16 times what that run took, at least 1 and at most 20. A waiting
// message is thus dispatched within 20 ms, and the pump takes at most a
// sixteenth of the transfer.
class PacedPump {
public:
    PacedPump() { QueryPerformanceFrequency(&frequency_); }
    void beforeLine() {
        DWORD now = GetTickCount();
        if (ran_ && now - last_ < spacingMs_) return;
        LARGE_INTEGER before, after;
        QueryPerformanceCounter(&before);
        pumpMessages();
        QueryPerformanceCounter(&after);
        long long costUs = (after.QuadPart - before.QuadPart) * 1000000 / frequency_.QuadPart;
        long long spacing = costUs * kPumpShare / 1000;
        spacingMs_ = static_cast<DWORD>(spacing < 1 ? 1 : spacing > kPumpSpacingMaxMs ? kPumpSpacingMaxMs : spacing);
        last_ = GetTickCount();
        ran_ = true;
    }

private:
    LARGE_INTEGER frequency_;
    bool ran_ = false;
    DWORD last_ = 0;
    DWORD spacingMs_ = 1;
};

// The message text on its way to the server: buffered into blocks, with
// the abort test, the message pump and the progress text before and after
// every line.
class WireSink final : public DataSink {
public:
    WireSink(SOCKET s, HWND progressWindow, std::uint32_t total)
        : socket_(s), progress_(progressWindow), total_(total), block_(new char[kWireBlock]) {}
    ~WireSink() override { delete[] block_; }
    WireSink(const WireSink&) = delete;
    WireSink& operator=(const WireSink&) = delete;

    bool proceed() override {
        pump_.beforeLine();
        return abortFlag() == 0;
    }

    bool write(std::string_view bytes) override {
        if (bytes.empty()) return true;
        // The last two bytes of the text: whether it ends with a line end.
        tail_[0] = bytes.size() >= 2 ? bytes[bytes.size() - 2] : tail_[1];
        tail_[1] = bytes.back();
        if (used_ + bytes.size() > kWireBlock && !flush()) return false;
        if (bytes.size() >= kWireBlock) return sendText(socket_, bytes);
        std::memcpy(block_ + used_, bytes.data(), bytes.size());
        used_ += bytes.size();
        return true;
    }

    void sent(std::uint64_t total) override {
        if (!progress_) return;
        std::string text = deliveryProgress(static_cast<std::uint32_t>(total), total_);
        SendMessageA(progress_, UTIL_MSG_STATUS, 1, reinterpret_cast<LPARAM>(text.c_str()));
    }

    // Sends what is left together with the end-of-data line: "." on a line
    // of its own, after a line end of its own only when the text does not
    // end with one (the message arrives as it was, without an empty line
    // added). 0: sent; 1: the message text failed; 2: the end-of-data line
    // failed.
    int finish() {
        const std::string_view dot = tail_[0] == '\r' && tail_[1] == '\n' ? ".\r\n" : "\r\n.\r\n";
        std::size_t text = used_;
        if (used_ + dot.size() > kWireBlock) {
            if (!flush()) return 1;
            text = 0;
        }
        std::memcpy(block_ + used_, dot.data(), dot.size());
        used_ += dot.size();
        std::size_t done = static_cast<std::size_t>(sendCounted(socket_, block_, static_cast<int>(used_)));
        if (done < used_) return done < text ? 1 : 2;
        used_ = 0;
        return 0;
    }

private:
    bool flush() {
        bool ok = used_ == 0 || sendAll(socket_, block_, static_cast<int>(used_));
        used_ = 0;
        return ok;
    }
    SOCKET socket_;
    HWND progress_;
    PacedPump pump_;
    std::uint32_t total_;
    char* block_;
    std::size_t used_ = 0;
    char tail_[2] = {0, 0};
};

// DATA, with the message file opened for the envelope (an opening costs
// a few hundred microseconds under Wine): 0 delivered; -2 refused for good at the end of the data (reported,
// counts as handled); -1 otherwise, a temporary refusal at the end of the
// data included, so that the message stays queued.
int sendData(SOCKET s, const char* messageFile, FileCloser& closer, HWND progressWindow) {
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    std::FILE* file = closer.get();
    if (!file || !GetFileAttributesExA(messageFile, GetFileExInfoStandard, &attributes) ||
        std::fseek(file, 0, SEEK_SET) != 0) {
        statusOut(std::string("Error: file open ") + messageFile);
        return -1;
    }
    if (!sendText(s, "DATA\r\n")) {
        statusOut(withNumber("Error: socket error (DATA) ", WSAGetLastError()));
        return -1;
    }
    if (smtpReplyCode(s) != 354) {
        showReply();
        return -1;
    }

    std::string_view rewrite = session.rewriteFrom == 1 ? std::string_view(session.sendAs) : std::string_view();
    WireSink sink(s, progressWindow, attributes.nFileSizeLow);
    SpoolLineReader reader(file);
    switch (writeMessageData(reader, rewrite, sink)) {
    case DataOutcome::Aborted:
        statusOut("Aborting");
        session.midData = 1;
        return -1;
    case DataOutcome::WriteFailed:
        statusOut(withNumber("Error: socket error (Message) ", WSAGetLastError()));
        return -1;
    case DataOutcome::Sent:
        break;
    }
    closer.close();
    switch (sink.finish()) {
    case 1:
        statusOut(withNumber("Error: socket error (Message) ", WSAGetLastError()));
        return -1;
    case 2:
        statusOut(withNumber("Error: socket error (DOT) ", WSAGetLastError()));
        return -1;
    default:
        break;
    }

    int code = smtpReplyCode(s);
    if (code == 250) return 0;
    if (code == -1) {
        statusOut("Error: sending dot1");
        showReply();
        return -1;
    }
    statusOut("Error: sending dot2");
    showReply();
    return code >= 400 && code < 500 ? -1 : -2;
}

// Sender and recipients from the message's own header lines.
int headerEnvelope(SOCKET s, std::FILE* file) {
    SpoolLineReader reader(file);
    std::string sender = headerSender(reader);
    if (session.sendAs[0]) {
        sender = session.sendAs;
        statusOut("Sending as " + sender);
    }
    if (sender.empty()) {
        statusOut("Error: missing sender email address");
        return -1;
    }
    setSender(sender);
    if (!sendText(s, std::string("MAIL FROM:<") + session.sender + ">\r\n")) return -1;
    int code = smtpReplyCode(s);
    if (code == -1) return -1;  // no answer: the connection failed, not the address
    if (code != 250) return -2;

    reader.rewind();
    int counted = 0;
    headerRecipients(reader, [&](const std::string& address) {
        int reply = sendText(s, "RCPT TO:<" + address + ">\r\n") ? smtpReplyCode(s) : -1;
        if (reply == 250 || reply == 251) {
            ++counted;
            statusOut("Delivering to " + address + " ...");
        } else {
            statusOut("Error: address refused - " + address);
        }
    });
    if (counted == 0) {
        statusOut("Error: missing recipient email addresses");
        resetTransaction(s);
        return -1;
    }
    return 0;
}

// Sender and recipients from the envelope's "MAIL FROM:" and "RCPT TO:" lines.
int fileEnvelope(SOCKET s, const char* envelopeFile, char* errorText) {
    std::FILE* file = std::fopen(envelopeFile, "rb");
    if (!file) {
        statusOut("Error: file open");
        return -2;
    }
    FileCloser closer(file);
    SpoolLineReader reader(file);
    static constexpr std::string_view kMailFrom = "MAIL FROM:";
    static constexpr std::string_view kRcptTo = "RCPT TO:";
    std::string sender;
    std::string_view line;
    while (reader.next(line)) {
        if (line.substr(0, kMailFrom.size()) == kMailFrom) {
            sender = senderAddress(line.substr(kMailFrom.size()));
            break;
        }
    }
    if (session.sendAs[0]) {
        sender = session.sendAs;
        statusOut("Sending as " + sender);
    }
    if (sender.empty()) {
        statusOut("Error: missing sender email address");
        return -2;
    }
    setSender(sender);
    int code = sendText(s, std::string("MAIL FROM:<") + session.sender + ">\r\n") ? smtpReplyCode(s) : -1;
    if (code == -1) {
        // Not sent, or no answer: the connection failed, not the address.
        statusOut("Error: email address not found");
        writeErrorText(errorText, std::string("Error: email address not found ") + session.sender);
        return -1;
    }
    if (code != 250) {
        statusOut("Error: missing sender email address");
        writeErrorText(errorText, std::string("Error invalid sender ") + session.sender);
        return -2;
    }
    statusOut(std::string("Delivering from ") + session.sender);

    reader.rewind();
    int counted = 0;
    while (reader.next(line)) {
        if (line.substr(0, kRcptTo.size()) != kRcptTo) continue;
        std::string rest(line.substr(kRcptTo.size()));
        statusOut("Delivering to " + rest);
        int reply = sendText(s, std::string(line) + "\r\n") ? smtpReplyCode(s) : -1;
        if (reply == -1) {
            statusOut("Error: address refused " + rest);
            return -1;
        }
        if (reply == 250 || reply == 251)
            ++counted;
        else
            statusOut("Error: address refused " + rest);
    }
    closer.close();
    if (counted == 0) {
        statusOut("Error: no email addresses detected");
        resetTransaction(s);
        return -2;
    }
    return 0;
}

int sendMail(SOCKET s, const char* messageFile, const char* envelopeFile, HWND progressWindow, char* errorText) {
    FileCloser file(std::fopen(messageFile, "rb"));
    if (!file.get()) return -1;
    int result = envelopeFile[0] == '\0' ? headerEnvelope(s, file.get()) : fileEnvelope(s, envelopeFile, errorText);
    if (result != 0) return result;
    if (sendData(s, messageFile, file, progressWindow) == -1) {
        statusOut("Error: Cannot send mail");
        return -1;
    }
    return 0;
}

// EHLO or HELO with the greeting name; its whole reply must be 250. False
// (the connection closed) otherwise.
bool greet(SOCKET s, bool extended, const std::string& name, std::string* lines = nullptr) {
    if (!sendText(s, (extended ? "EHLO " : "HELO ") + name + "\r\n")) {
        closeConnection(s);
        return false;
    }
    int code = smtpReplyCode(s, lines);
    if (code == -1) {
        closeConnection(s);
        return false;
    }
    if (code != 250) {
        showReply();
        closeConnection(s);
        return false;
    }
    return true;
}

// The upgrade of a greeted connection: "STARTTLS", then TLS. False (the
// connection closed, the reason shown) when the server refuses it or TLS
// fails; never a session in plain text.
bool upgradeToTls(SOCKET s, const std::string& host) {
    int code = sendText(s, "STARTTLS\r\n") ? smtpReplyCode(s) : -1;
    if (code == -1) statusOut("Network error");
    if (code != -1 && code != 220) {
        showReply();
        statusOut(tlsFailedText(host, "the server refused STARTTLS"));
    }
    if (code != 220 || !startTls(s, host.c_str())) {
        closeConnection(s);
        return false;
    }
    return true;
}

// The mechanisms the EHLO reply's AUTH line names.
std::vector<std::string> authOffered(const std::string& ehlo) {
    std::vector<std::string> offered;
    for (std::size_t at = 0; at < ehlo.size();) {
        std::size_t end = ehlo.find('\n', at);
        if (end == std::string::npos) end = ehlo.size();
        std::vector<std::string> named = offeredMechanisms(std::string_view(ehlo).substr(at, end - at));
        offered.insert(offered.end(), named.begin(), named.end());
        at = end + 1;
    }
    return offered;
}

// Sends a line that holds a secret from a buffer wiped once sent, and
// returns the reply's code (-1 when it could not be sent).
int sendSecretLine(SOCKET s, std::string_view text) {
    SecretText line(text.size() + 3);
    line.text() = text;
    line.text() += "\r\n";
    return sendText(s, line.text()) ? smtpReplyCode(s) : -1;
}

// The text after a "334 " reply's code: the server's challenge.
std::string_view challengeText() {
    std::string_view line = transport().smtpReply;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    return line.size() > 4 ? line.substr(4) : std::string_view();
}

// The login with the relay's access token (AUTH, RFC 4954). False when
// refused, the server's reply and why shown; the connection is closed then.
bool tokenLogin(SOCKET s, const SignedInRecord& record, const RelayRecord& relay, const std::vector<std::string>& offered) {
    statusOut("Signing in with " + loginKindTitle(record.kind));
    const SaslMechanism mechanism = tokenMechanism(offered);
    if (mechanism == SaslMechanism::None) {
        statusOut(noTokenMechanismText(relay.host));
        closeConnection(s);
        return false;
    }
    SecretText token(kAccessTokenRoom);
    if (!accessTokenFor(record, token)) {
        closeConnection(s);
        return false;
    }
    SecretText response(token.text().size() * 2 + 1024);
    response.text() = mechanism == SaslMechanism::XOAuth2
                          ? xoauth2Response(record.user, token.text())
                          : oauthBearerResponse(record.user, relay.host, relay.port, token.text());
    int code = sendText(s, "AUTH " + std::string(mechanismName(mechanism)) + "\r\n") ? smtpReplyCode(s) : -1;
    if (code == 334) code = sendSecretLine(s, response.text());
    if (code == 235) return true;
    // A refused token first brings an error challenge ("334" and base64
    // JSON), answered before the server's refusal: it is no success.
    std::string status;
    if (code == 334) {
        status = challengeStatus(challengeText());
        code = sendText(s, std::string(errorChallengeAnswer(mechanism)) + "\r\n") ? smtpReplyCode(s) : -1;
    }
    if (code == -1)
        statusOut("Network error");
    else
        showReply();
    dropAccessToken(record);
    statusOut(tokenRefusedText(relay.host, status));
    closeConnection(s);
    return false;
}

// The login with the relay record's account and password, already base64:
// AUTH LOGIN as always, AUTH PLAIN (RFC 4616) with a server that offers
// PLAIN and not LOGIN.
bool passwordLogin(SOCKET s, const RelayRecord& relay, const std::vector<std::string>& offered) {
    statusOut("Authenticating...");
    if (passwordMechanism(offered) == SaslMechanism::Plain) {
        SecretText account(relay.account.size()), password(relay.password.size());
        for (auto [from, to] : {std::pair{&relay.account, &account}, std::pair{&relay.password, &password}}) {
            to->text().resize(Base64Decoder::maxBytes(from->size()));
            Base64Decoder decoder;
            char* end = decoder.finish(decoder.more(*from, to->text().data()));
            to->text().resize(static_cast<std::size_t>(end - to->text().data()));
        }
        SecretText command(relay.account.size() + relay.password.size() + 32);
        // Appended into the command's own room: a joined temporary would
        // leave the response in a freed block.
        std::string response = plainResponse(account.text(), password.text());
        command.text() = "AUTH PLAIN ";
        command.text() += response;
        wipe(response);
        if (sendSecretLine(s, command.text()) != 235) {
            showReply();
            closeConnection(s);
            return false;
        }
        return true;
    }
    struct Step {
        std::string_view text;
        int expected;
    };
    const Step steps[] = {{"AUTH LOGIN", 334}, {relay.account, 334}, {relay.password, 235}};
    for (const Step& step : steps) {
        SecretText command(step.text.size() + 3);
        command.text() = step.text;
        command.text() += "\r\n";
        if (!sendText(s, command.text())) {
            closeConnection(s);
            return false;
        }
        if (smtpReplyCode(s) != step.expected) {
            showReply();
            closeConnection(s);
            return false;
        }
    }
    return true;
}

int openSmtp(char* relayRecord) {
    std::string configured = read(read(cfg::kSingleDomain) == 1 ? cfg::kGreetingDomain : cfg::kGreetingOtherName);

    session.sendAs[0] = '\0';
    session.rewriteFrom = 0;
    // The record carries the account's login: its copies are wiped on
    // every way out.
    SecretText text(std::strlen(orEmpty(relayRecord)) + 1);
    text.text() = orEmpty(relayRecord);
    RelayRecord relay = parseRelayRecord(text.text());
    struct LoginWipe {
        RelayRecord& r;
        ~LoginWipe() {
            wipe(r.account);
            wipe(r.password);
        }
    } loginWipe{relay};
    const TlsMode tls = smtpConnectionMode(relay.host, relay.port);
    // The executable's text is cut at each field's ":", as it expects.
    std::size_t ends[kRelayFields];
    int fields = relayFieldEnds(text.text(), ends);
    for (int i = 0; relayRecord && i < fields; ++i) relayRecord[ends[i]] = '\0';
    copyToBuffer(relay.sendAs, session.sendAs, sizeof session.sendAs);
    session.rewriteFrom = relay.rewriteFrom ? 1 : 0;
    std::string name = greetingName(configured, relay.sendAs);

    session.connected = 0;
    session.midData = 0;
    if (!relayFieldsFit(text.text())) {
        statusOut("Cannot connect to " + relay.host);
        return -1;
    }
    statusOut("Connecting to " + relay.host);
    SOCKET s = connectTo(relay.host.c_str(), kServiceSmtp, relay.port);
    if (s == INVALID_SOCKET) {
        statusOut("Cannot connect to " + relay.host);
        return -1;
    }
    if (tls == TlsMode::Implicit && !startTls(s, relay.host.c_str())) {
        closeConnection(s);
        return -1;
    }
    // The whole greeting, every line of it, before a word is sent: servers
    // refuse clients that talk before the greeting ends.
    int code = smtpReplyCode(s);
    if (code == -1) {
        closeConnection(s);
        statusOut("Network error");
        return -1;
    }
    if (code != 220) {
        closeConnection(s);
        statusOut("Server not ready");
        return -1;
    }
    // STARTTLS is an extension: it needs EHLO, and EHLO again after the
    // upgrade, since what the server offers may differ then.
    bool extended = relay.authenticate || tls == TlsMode::StartTls;
    if (tls == TlsMode::StartTls && !(greet(s, true, name) && upgradeToTls(s, relay.host))) return -1;
    std::string ehlo;
    if (!greet(s, extended, name, &ehlo)) return -1;
    session.connected = 1;
    if (!relay.authenticate) return static_cast<int>(s);

    // A relay that signs in with a provider logs in with its token.
    const std::vector<std::string> offered = authOffered(ehlo);
    std::optional<SignedInRecord> signedIn = smtpSignIn(relay);
    if (signedIn ? !tokenLogin(s, *signedIn, relay, offered) : !passwordLogin(s, relay, offered)) return -1;
    statusOut("SMTP login OK");
    return static_cast<int>(s);
}

int closeSmtp(SOCKET s) {
    if (session.connected) {
        // After a transfer stopped inside DATA the server would take QUIT
        // as message text and never answer: close without it.
        if (!session.midData && sendText(s, "QUIT\r\n")) smtpReplyCode(s);
        closeSocket(s);
        statusOut("Disconnected from SMTP server");
    }
    session.connected = 0;
    session.midData = 0;
    stopSockets();
    return 0;
}

}  // namespace
}  // namespace util

using namespace util;

extern "C" {

int UTILAPI InitSMTP(void) {
    return guarded(-1, [] { return startSockets(); });
}

int UTILAPI OpenSMTP(HWND, int, char* relayRecord, int) {
    return guarded(-1, [&] { return openSmtp(relayRecord); });
}

int UTILAPI SendMailSMTP(int socket, const char* messageFile, const char* envelopeFile, HWND progressWindow,
                         char* errorText) {
    return guarded(-1, [&] {
        return sendMail(static_cast<SOCKET>(socket), orEmpty(messageFile), orEmpty(envelopeFile), progressWindow,
                        errorText);
    });
}

int UTILAPI CloseSMTP(int socket) {
    return guarded(0, [&] { return closeSmtp(static_cast<SOCKET>(socket)); });
}

}  // extern "C"
