#include "transport/oauth_sign_in.h"

#include <winsock.h>
#include <windows.h>
#include <shellapi.h>

#include <array>
#include <vector>

#include "frame/event_log.h"
#include "frame/profile.h"
#include "frame/secret.h"
#include "frame/abort_flag.h"
#include "transport/https_client.h"
#include "transport/oauth_platform.h"
#include "transport/oauth_tokens.h"
#include "transport/socket_io.h"
#include "transport/socket_layer.h"

namespace util {
namespace {

// The browser's request is small; a request that says nothing within this
// time is dropped.
constexpr int kRequestMost = 16384;
constexpr unsigned kRequestWaitMs = 5000;
constexpr unsigned kSliceMs = 100;

using Fields = std::vector<std::pair<std::string_view, std::string_view>>;

SignInResult failure(std::string text) {
    statusOut(text);
    SignInResult r;
    r.failure = std::move(text);
    return r;
}

std::string randomText(std::size_t bytes) {
    std::vector<std::uint8_t> random(bytes);
    if (!randomBytes(random)) return "";
    std::string text = base64Url(random);
    wipe(random.data(), random.size());
    return text;
}

bool keepWaiting(const SignInHooks& hooks) {
    if (abortFlag() != 0) return false;
    if (hooks.keepWaiting) return hooks.keepWaiting();
    pumpMessages();
    return true;
}

// A socket closed when it goes.
class OwnedSocket {
public:
    explicit OwnedSocket(SOCKET s = INVALID_SOCKET) : s_(s) {}
    ~OwnedSocket() {
        if (s_ != INVALID_SOCKET) closesocket(s_);
    }
    OwnedSocket(const OwnedSocket&) = delete;
    OwnedSocket& operator=(const OwnedSocket&) = delete;
    SOCKET get() const { return s_; }

private:
    SOCKET s_;
};

// The listener for the redirect: 127.0.0.1 only, on a port the system chooses.
SOCKET listenOnLoopback(int& port) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    if (s == INVALID_SOCKET) return s;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    int size = sizeof address;
    if (bind(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == SOCKET_ERROR ||
        listen(s, 4) == SOCKET_ERROR || getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) == SOCKET_ERROR) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    port = ntohs(address.sin_port);
    return s;
}

// The first line of the browser's request ("" when none came in time).
std::string requestLine(SOCKET s) {
    // The request carries the authorization code: one buffer, never grown.
    SecretText request(kRequestMost + 2048);
    char block[2048];
    const DWORD started = GetTickCount();
    while (request.text().find("\r\n\r\n") == std::string::npos && request.text().size() < kRequestMost) {
        const DWORD spent = GetTickCount() - started;
        if (spent >= kRequestWaitMs) break;
        int n = receiveRawWithin(s, block, sizeof block, kRequestWaitMs - spent);
        if (n <= 0) break;
        request.text().append(block, static_cast<std::size_t>(n));
    }
    wipe(block, sizeof block);
    return request.text().substr(0, request.text().find_first_of("\r\n"));
}

void answerBrowser(SOCKET s, int status, std::string_view title, std::string_view text) {
    const std::string page = browserPage(status, title, text);
    sendRaw(s, page.data(), static_cast<int>(page.size()));
}

// The browser's redirect to the listener: its code, once its state is this
// sign-in's. Anything else that asks the listener (an icon, say) is
// answered and the wait goes on.
struct Redirect {
    std::string code;
    std::string failure;
};
Redirect awaitRedirect(SOCKET listener, const std::string& state, LoginKind kind, const SignInHooks& hooks) {
    const DWORD started = GetTickCount();
    for (;;) {
        if (!keepWaiting(hooks)) return {"", "The sign-in was cancelled"};
        if (GetTickCount() - started >= kSignInWaitMs) return {"", "The browser did not come back to the sign-in in time"};
        fd_set ready;
        FD_ZERO(&ready);
        FD_SET(listener, &ready);
        timeval slice{0, static_cast<long>(kSliceMs * 1000)};
        if (select(0, &ready, nullptr, nullptr, &slice) <= 0) continue;
        OwnedSocket browser(accept(listener, nullptr, nullptr));
        if (browser.get() == INVALID_SOCKET) continue;
        std::string line = requestLine(browser.get());
        RedirectRequest redirect = parseRedirectRequest(line);
        wipe(line);
        if (!redirect.isRedirect) {
            answerBrowser(browser.get(), 404, "Not found", "This address only takes the sign-in's answer.");
            continue;
        }
        struct CodeWipe {
            RedirectRequest& r;
            ~CodeWipe() { wipe(r.code); }
        } codeWipe{redirect};
        if (redirect.state != state) {
            answerBrowser(browser.get(), 400, "Sign-in refused",
                          "This answer does not belong to the sign-in in progress. Start it again from the server settings.");
            return {"", "The sign-in was refused: its answer does not belong to the sign-in in progress"};
        }
        if (!redirect.error.empty()) {
            answerBrowser(browser.get(), 400, "Sign-in refused", "The provider refused the sign-in: " + redirect.error);
            return {"", providerRefusalText(kind, redirect.error, redirect.errorDescription)};
        }
        answerBrowser(browser.get(), 200, "Signed in",
                      "The mail server is signed in. You can close this window and go back to the server settings.");
        return {redirect.code, ""};
    }
}

// The token endpoint's answer to a grant: the result of the sign-in, or
// the error code when the provider gave one.
SignInResult completeSignIn(const Provider& provider, const Fields& grant, const std::string& loginHint,
                            std::string* pendingError = nullptr) {
    Fields fields = grant;
    fields.push_back({"client_id", provider.clientId});
    if (!provider.clientSecret.empty()) fields.push_back({"client_secret", provider.clientSecret});
    SecretText body(4096);
    body.text() = formBody(fields);
    HttpsOutcome outcome = postForm(provider.token, body.text());
    if (!outcome.answer) {
        SignInResult r;
        r.failure = outcome.failure;
        return r;
    }
    TokenAnswer answer = parseTokenAnswer(outcome.answer->body);
    wipe(outcome.answer->body);
    if (!answer.error.empty()) {
        if (pendingError && (answer.error == "authorization_pending" || answer.error == "slow_down")) {
            *pendingError = answer.error;
            return {};
        }
        return failure(providerRefusalText(provider.kind, answer.error, answer.errorDescription));
    }
    if (answer.refreshToken.empty())
        return failure("Sign-in with " + loginKindTitle(provider.kind) +
                       " gave no refresh token: the application may not ask for offline access");
    SignInResult r;
    r.storedToken = protectForMachine(answer.refreshToken);
    if (r.storedToken.empty()) return failure("The sign-in cannot be kept: this system cannot protect it");
    keepAccessToken(r.storedToken, answer.accessToken, answer.expiresIn);
    r.signedIn = true;
    r.account = answer.account.empty() ? loginHint : answer.account;
    statusOut("Signed in with " + loginKindTitle(provider.kind) + (r.account.empty() ? "" : " as " + r.account));
    return r;
}

SignInResult deviceSignIn(const Provider& provider, const SignInRequest& request, const SignInHooks& hooks) {
    if (provider.device.empty())
        return failure("Sign-in with " + loginKindTitle(provider.kind) + " needs a browser on this machine");
    const Fields asked = {{"client_id", provider.clientId}, {"scope", provider.scope}};
    HttpsOutcome outcome = postForm(provider.device, formBody(asked));
    if (!outcome.answer) return failure(outcome.failure);
    DeviceAnswer device = parseDeviceAnswer(outcome.answer->body);
    if (!device.error.empty()) return failure(providerRefusalText(provider.kind, device.error, device.errorDescription));
    // The code itself is shown to the administrator only, not to the event log.
    statusOut("Signing in with " + loginKindTitle(provider.kind) + " at " + device.verificationAddress +
              ": waiting for the code to be entered");
    if (!hooks.showDeviceCode || !hooks.showDeviceCode(device)) return failure("The sign-in was cancelled");

    std::int64_t interval = device.interval;
    const std::int64_t until = nowSeconds() + device.expiresIn;
    const Fields grant = {{"grant_type", "urn:ietf:params:oauth:grant-type:device_code"},
                          {"device_code", device.deviceCode}};
    for (;;) {
        std::string pending;
        SignInResult r = completeSignIn(provider, grant, request.loginHint, &pending);
        if (pending.empty()) return r;
        if (pending == "slow_down") interval += 5;
        const DWORD started = GetTickCount();
        while (GetTickCount() - started < static_cast<DWORD>(interval * 1000)) {
            if (!keepWaiting(hooks)) return failure("The sign-in was cancelled");
            Sleep(kSliceMs);
        }
        if (nowSeconds() >= until) return failure("The code for the sign-in has expired: sign in again");
    }
}

}  // namespace

SignInResult signIn(const SignInRequest& request, const SignInHooks& hooks) {
    std::string missing;
    std::optional<Provider> provider = providerFor(request.kind, request.service, readOAuthSettings(), &missing);
    if (!provider) return failure("Sign-in with " + loginKindTitle(request.kind) + " needs " + missing);
    SocketsHeld sockets;
    if (!sockets.started()) return failure("Network error");
    if (read(cfg::kOAuthDevice) == 1 || provider->authorize.empty()) return deviceSignIn(*provider, request, hooks);

    SecretText verifier(64);
    verifier.text() = randomText(kVerifierBytes);
    const std::string state = randomText(kStateBytes);
    std::optional<std::array<std::uint8_t, 32>> digest = sha256(verifier.text());
    if (verifier.text().empty() || state.empty() || !digest)
        return failure("The sign-in cannot start: this system has no random source or SHA-256");

    int port = 0;
    OwnedSocket listener(listenOnLoopback(port));
    if (listener.get() == INVALID_SOCKET) return failure("The sign-in cannot listen for the browser's answer");
    const std::string redirect = loopbackRedirect(port);
    const std::string address =
        authorizationAddress(*provider, {redirect, state, codeChallenge(*digest), request.loginHint});

    statusOut("Signing in with " + loginKindTitle(request.kind) + ": waiting for the browser");
    const auto opened = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (opened <= 32) {
        statusOut("No browser could be opened: signing in with a code instead");
        return deviceSignIn(*provider, request, hooks);
    }
    Redirect answer = awaitRedirect(listener.get(), state, request.kind, hooks);
    if (!answer.failure.empty()) return failure(answer.failure);
    const Fields grant = {{"grant_type", "authorization_code"},
                          {"code", answer.code},
                          {"redirect_uri", redirect},
                          {"code_verifier", verifier.text()}};
    SignInResult r = completeSignIn(*provider, grant, request.loginHint);
    wipe(answer.code);
    return r;
}

}  // namespace util
