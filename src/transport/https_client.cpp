#include "transport/https_client.h"

#include <winsock.h>

#include "frame/event_log.h"
#include "frame/secret.h"
#include "transport/socket_layer.h"

namespace util {
namespace {

// The answer is read whole; a provider's is a few kilobytes.
constexpr std::size_t kAnswerMost = 1 << 20;

// The reads of one request wait at most kProviderAnswerMs, not the mail
// transfers' long wait; the earlier wait is back afterwards.
class AnswerWait {
public:
    AnswerWait() : before_(readTimeoutMs()) { setReadTimeoutMs(kProviderAnswerMs); }
    ~AnswerWait() { setReadTimeoutMs(before_); }
    AnswerWait(const AnswerWait&) = delete;
    AnswerWait& operator=(const AnswerWait&) = delete;

private:
    unsigned before_;
};

HttpsOutcome failed(std::string text) {
    statusOut(text);
    return {std::nullopt, std::move(text)};
}

}  // namespace

HttpsOutcome postForm(std::string_view address, std::string_view body) {
    std::optional<HttpsAddress> where = parseHttpsAddress(address);
    if (!where) return failed("The provider's address is not an https address: " + std::string(address));
    SocketsHeld sockets;
    if (!sockets.started()) return failed("Network error");
    SOCKET s = connectTo(where->host.c_str(), 0, where->port);
    if (s == INVALID_SOCKET) return failed("Cannot connect to " + where->host);
    if (!startTls(s, where->host.c_str())) {
        closeSocket(s);
        return {std::nullopt, "TLS failed with " + where->host};
    }
    SecretText request(body.size() + where->target.size() + where->host.size() + 256);
    request.text() = formPostRequest(*where, body);
    const bool sent = sendAll(s, request.text().data(), static_cast<int>(request.text().size()));
    SecretText received(kAnswerMost + 8192);
    if (sent) {
        AnswerWait wait;
        char block[4096];
        for (;;) {
            int n = readBlock(s, block, sizeof block);
            if (n <= 0) break;
            received.text().append(block, static_cast<std::size_t>(n));
            if (received.text().size() > kAnswerMost) break;
            // A server that keeps the connection open is not waited for
            // once its answer is whole.
            std::optional<HttpAnswer> whole = parseHttpAnswer(received.text());
            const bool done = whole && whole->delimited;
            if (whole) wipe(whole->body);
            if (done) break;
        }
        wipe(block, sizeof block);
    }
    closeSocket(s);
    if (!sent) return failed("Network error");
    std::optional<HttpAnswer> answer = parseHttpAnswer(received.text());
    if (!answer) return failed("No whole answer from " + where->host);
    return {std::move(answer), ""};
}

}  // namespace util
