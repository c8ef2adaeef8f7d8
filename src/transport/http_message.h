// The little HTTP/1.1 the sign-in needs, apart from the network: an
// https address taken apart, a form POST written out, and the whole answer
// (read until the server closed) taken apart, by its length, in chunks or
// to its end. Portable.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace util {

struct HttpsAddress {
    std::string host;
    int port = 443;
    std::string target;  // the path and query, "/" at least
};

// Only https: a provider is reached over TLS and nothing else. Nothing for
// another scheme, a user part, or a bad port.
std::optional<HttpsAddress> parseHttpsAddress(std::string_view address);

// "POST TARGET HTTP/1.1" with Host, the form's type and length, "Accept:
// application/json" and "Connection: close", then the body.
std::string formPostRequest(const HttpsAddress& address, std::string_view body);

struct HttpAnswer {
    int status = 0;
    std::string body;
    bool delimited = false;  // its end was known (its length or its last chunk), not only the connection's
};

// The answer from its first byte to the connection's end (or as far as it
// has come); nothing when it is not an HTTP answer or its body is cut short.
std::optional<HttpAnswer> parseHttpAnswer(std::string_view all);

// The answer the loopback listener gives the browser: a small page.
std::string browserPage(int status, std::string_view title, std::string_view text);

}  // namespace util
