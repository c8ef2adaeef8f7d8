// The relay record of an outgoing SMTP server: one text value
// "host:port:sender:inside:auth:account:password:" (account and password
// base64-encoded), and the line the Outgoing page shows for it.
#pragma once

#include <string>
#include <string_view>

#include "frame/settings.h"

namespace admin {

struct Relay {
    std::string host;
    int port = cfg::kSmtpPort;
    std::string sender;           // empty: the envelope sender is not replaced
    bool senderInside = false;    // the From: line inside the message is replaced too
    bool authentication = false;
    std::string account64;        // base64 of the login name
    std::string password64;       // base64 of the password
};

std::string buildRelayRecord(const Relay& relay);

// "host port 25", "host port 25 as addr (From)", ... or the record itself
// when it holds no ":".
std::string relayDisplay(std::string_view record);

}  // namespace admin
