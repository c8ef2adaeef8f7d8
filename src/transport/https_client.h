// A form posted to a provider's endpoint over TLS, the certificate judged
// by the same rules as a mail server's (tls_trust.h): the connection and
// the encryption are the socket layer's own.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "transport/http_message.h"

namespace util {

// A provider that does not answer within this time is given up.
inline constexpr unsigned kProviderAnswerMs = 30u * 1000u;

struct HttpsOutcome {
    std::optional<HttpAnswer> answer;
    std::string failure;  // when there is no answer: why, naming the host (already shown as status)
};

// POSTs body (application/x-www-form-urlencoded) to an https address and
// reads the answer to the connection's end. The body and the answer may
// hold secrets: the copies made here are wiped; the caller wipes its own.
HttpsOutcome postForm(std::string_view address, std::string_view body);

}  // namespace util
