// Which encryption the stored records ask for: the provider mailbox or the
// relay that a caller names by its values, found among the records of the
// Incoming and Outgoing pages, and the mode its port and choice give.
#pragma once

#include <string_view>

#include "transport/tls_rules.h"

namespace util {

// The mode for OpenPop3's host and port (0: the default port): see
// recordedTlsMode; every record of [incoming] counts, whatever its user.
TlsMode pop3ConnectionMode(std::string_view host, int port);

// The mode for a relay's host and port (0: the default port), from every
// relay record of [outgoing].
TlsMode smtpConnectionMode(std::string_view host, int port);

}  // namespace util
