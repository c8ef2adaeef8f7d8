// Any relay record text is shown without fault, and a record built from
// fields without ":" is shown as its host and port.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "admin/relay_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::string shown = admin::relayDisplay(text);
    if (text.find(':') == std::string::npos && shown != text) std::abort();

    admin::Relay relay;
    std::size_t cut = text.find(':');
    relay.host = text.substr(0, cut);
    if (relay.host.empty()) return 0;
    relay.port = size ? data[0] : 25;
    relay.authentication = size > 1 && (data[1] & 1);
    std::string head = relay.host + " port " + std::to_string(relay.port);
    if (admin::relayDisplay(admin::buildRelayRecord(relay)) != head) std::abort();
    return 0;
}
