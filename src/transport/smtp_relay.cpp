#include "transport/smtp_relay.h"

namespace util {
namespace {

// The C library's reading of a decimal number: leading blanks, a sign,
// digits up to the first other character; 0 when there are none.
int decimalValue(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 0x7fffffff) value = 0x7fffffff;
    }
    return static_cast<int>(negative ? -value : value);
}

std::string capped(std::string_view text) { return std::string(text.substr(0, kRelayTextMax)); }

}  // namespace

int relayFieldEnds(std::string_view record, std::size_t (&ends)[kRelayFields]) {
    int count = 0;
    for (std::size_t i = 0; i < record.size() && count < kRelayFields; ++i)
        if (record[i] == ':') ends[count++] = i;
    return count;
}

bool relayFieldsFit(std::string_view record) {
    std::size_t ends[kRelayFields];
    int count = relayFieldEnds(record, ends);
    std::size_t start = 0;
    for (int i = 0; i < count; ++i) {
        const bool text = i == 0 || i == 2 || i == 5 || i == 6;
        if (text && ends[i] - start > kRelayTextMax) return false;
        start = ends[i] + 1;
    }
    return true;
}

RelayRecord parseRelayRecord(std::string_view record) {
    std::size_t ends[kRelayFields];
    int count = relayFieldEnds(record, ends);
    std::string_view fields[kRelayFields];
    std::size_t start = 0;
    for (int i = 0; i < count; ++i) {
        fields[i] = record.substr(start, ends[i] - start);
        start = ends[i] + 1;
    }
    RelayRecord r;
    r.host = capped(fields[0]);
    int port = decimalValue(fields[1]);
    r.port = port > 0 ? port : kDefaultSmtpPort;
    r.sendAs = capped(fields[2]);
    r.rewriteFrom = decimalValue(fields[3]) == 1;
    r.authenticate = decimalValue(fields[4]) == 1;
    r.account = capped(fields[5]);
    r.password = capped(fields[6]);
    return r;
}

std::string greetingName(std::string_view configured, std::string_view sendAs) {
    std::size_t at = sendAs.find('@');
    if (at == std::string_view::npos) return std::string(configured);
    return std::string(sendAs.substr(at + 1));
}

}  // namespace util
