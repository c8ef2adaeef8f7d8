#include "transport/smtp_header.h"

#include <vector>

#include "transport/smtp_address.h"

namespace util {

std::string headerSender(SpoolLineReader& reader) {
    std::string sender;
    std::string_view line;
    while (reader.next(line)) {
        HeaderKind kind = headerKind(line);
        if (kind == HeaderKind::End) break;
        if (kind != HeaderKind::From) continue;
        std::string address = senderAddress(headerValue(line));
        if (!address.empty()) sender = address;
    }
    return sender;
}

void headerRecipients(SpoolLineReader& reader, const std::function<void(const std::string&)>& each) {
    std::vector<std::string> addresses;
    std::string_view line;
    bool have = reader.next(line);
    while (have) {
        HeaderKind kind = headerKind(line);
        if (kind == HeaderKind::End) return;
        if (kind != HeaderKind::To && kind != HeaderKind::Cc && kind != HeaderKind::Bcc) {
            have = reader.next(line);
            continue;
        }
        addresses.clear();
        recipientAddresses(headerValue(line), addresses);
        for (const std::string& a : addresses) each(a);
        // Continuation lines belong to this one; the first other line is
        // the next header line.
        while ((have = reader.next(line)) && continuesHeader(line)) {
            addresses.clear();
            recipientAddresses(line, addresses);
            for (const std::string& a : addresses) each(a);
        }
    }
}

}  // namespace util
