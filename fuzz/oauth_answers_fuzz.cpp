// Whatever a provider, a browser or a mail server sends the sign-in is
// taken apart without fault: HTTP answers, token and device answers, the
// browser's redirect, SASL error challenges and capability lines; and
// base64url decodes back what it encoded.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "transport/http_message.h"
#include "transport/oauth_rules.h"
#include "transport/sasl.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (auto answer = util::parseHttpAnswer(text)) util::parseTokenAnswer(answer->body);
    util::parseTokenAnswer(text);
    util::parseDeviceAnswer(text);
    util::parseRedirectRequest(text);
    util::challengeStatus(text);
    util::tokenMechanism(util::offeredMechanisms(text));
    util::parseHttpsAddress(text);
    if (util::decodeBase64Url(util::base64Url(std::span(data, size))) != std::string(text)) std::abort();
    return 0;
}
