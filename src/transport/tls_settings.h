// Which encryption the stored records ask for: the provider mailbox or the
// relay that a caller names by its values, found among the records of the
// Incoming and Outgoing pages, and the mode its port and choice give.
#pragma once

#include <string_view>

#include "transport/tls_rules.h"

namespace util {

// The mode for OpenPop3's host, user and port (0: the default port): the
// choice of the first record with the same server (any case), user name
// and port; none when no record matches.
TlsMode pop3ConnectionMode(std::string_view host, std::string_view user, int port);

// The mode for the relay record OpenSMTP was given, as stored in server%d,
// whose port is port.
TlsMode smtpConnectionMode(std::string_view relayRecord, int port);

}  // namespace util
