// The machine's own IP addresses, for the Ports page and the setup wizard.
#pragma once

#include <string>
#include <vector>

namespace util {

// The machine's addresses in dotted form, or why there are none: when TCP
// networking is missing or fails, error says so (the windows show it) and
// the list is empty.
struct LocalAddresses {
    std::vector<std::string> addresses;
    std::string error;
};

// The sockets library is "wsock32" unless another is named.
LocalAddresses localAddresses(const char* socketsLibrary = "wsock32");

}  // namespace util
