// Any text read as a filter record, or as relay settings, is written back
// as one that reads the same again; a record written from fields without
// the characters a field cannot hold reads back as those fields.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "admin/filter_record.h"
#include "admin/routing_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly size bytes, so that a read past the value is caught.
    std::string text(reinterpret_cast<const char*>(data), size);
    std::string_view value(text);

    admin::FilterRecord record = admin::parseFilterRecord(value);
    std::string written = admin::formatFilterRecord(record);
    admin::FilterRecord again = admin::parseFilterRecord(written);
    if (admin::formatFilterRecord(again) != written) std::abort();
    if (value.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos && !(again == record)) std::abort();

    admin::RelaySettings relay = admin::parseRelaySettings(value);
    std::string relayText = admin::formatRelaySettings(relay);
    if (admin::formatRelaySettings(admin::parseRelaySettings(relayText)) != relayText) std::abort();
    if (relayText.find('~') != std::string::npos) std::abort();

    admin::applyTerminalRule(record);
    if (admin::terminalSlot(record) >= 0 &&
        record.actions.back().code != admin::kNoOperation && admin::terminalSlot(record) != admin::kActionSlots - 1)
        std::abort();
    for (const admin::FilterAction& action : record.actions) (void)admin::buttonCaption(action);
    (void)admin::checkRelaySettings(relay);
    return 0;
}
