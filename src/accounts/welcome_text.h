// The welcome message of a new account: everything but the site's own text
// and the encoded notifier program, which the writer copies in from files.
#pragma once

#include <string>
#include <vector>

#include "frame/local_time.h"

namespace util {

struct WelcomeMessage {
    bool singleDomain = true;
    std::string domain;      // the primary domain (a placeholder when unset)
    std::string root;        // the administrator's address (the placeholder when unset)
    std::string address;     // the account's address as stored
    std::string userName;
    std::string password;    // in clear; empty: no password
    LocalTime time;
    std::string zoneOffset;
    std::string attachmentName;  // empty: no program attached
};

struct WelcomeLines {
    std::vector<std::string> opening;  // headers and the start of the body
    // (the site text goes here, followed by an empty line)
    std::vector<std::string> account;  // the account lines, up to the attachment's data
    // (the encoded program goes here)
    std::vector<std::string> tail;     // the end of the multipart message
};

WelcomeLines welcomeMessageLines(const WelcomeMessage& m);

// "MAIL FROM:" and "RCPT TO:" lines of the welcome message's envelope.
std::vector<std::string> welcomeEnvelopeLines(const WelcomeMessage& m);

}  // namespace util
