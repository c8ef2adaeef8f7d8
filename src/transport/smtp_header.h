// The sender and recipients of a message without an envelope, from its own
// header lines.
#pragma once

#include <functional>
#include <string>

#include "transport/smtp_lines.h"

namespace util {

// The address of the header's last From line that holds an "@"; empty when
// there is none. Reads up to the end of the header.
std::string headerSender(SpoolLineReader& reader);

// Calls each for every address of the header's To, Cc and Bcc lines, their
// continuation lines included, in the order they stand.
void headerRecipients(SpoolLineReader& reader, const std::function<void(const std::string&)>& each);

}  // namespace util
