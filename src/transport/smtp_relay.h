// The relay record of an outgoing server, as the Outgoing page stores it:
// seven fields, each followed by ":".
#pragma once

#include <string>
#include <string_view>

#include "frame/settings.h"

namespace util {

inline constexpr int kRelayFields = 7;
inline constexpr std::size_t kRelayTextMax = 255;  // host, send-as, account, password
inline constexpr int kDefaultSmtpPort = cfg::kSmtpPort;

struct RelayRecord {
    std::string host;            // 1: name or dotted address
    int port = kDefaultSmtpPort; // 2: 0, negative or not a number: 25
    std::string sendAs;          // 3: replaces every message's sender when set
    bool rewriteFrom = false;    // 4: exactly 1: the From header line is replaced too
    bool authenticate = false;   // 5: exactly 1: EHLO and AUTH LOGIN
    std::string account;         // 6: already Base64, sent unchanged
    std::string password;        // 7: already Base64, sent unchanged
};

// A field counts only when a ":" follows it; text after the last ":" and
// fields after the seventh are ignored.
RelayRecord parseRelayRecord(std::string_view record);
// Whether every text field of the record (host, send-as, account,
// password) fits kRelayTextMax. A record that does not is refused whole:
// its host cut short names another machine, which would get the login.
bool relayFieldsFit(std::string_view record);

// Offsets of the ":" that end the fields taken (at most seven), so the
// caller's text can be cut at each of them as the executable expects.
int relayFieldEnds(std::string_view record, std::size_t (&ends)[kRelayFields]);

// The name for HELO or EHLO: the configured name, or the domain of a
// send-as address that holds "@".
std::string greetingName(std::string_view configured, std::string_view sendAs);

}  // namespace util
