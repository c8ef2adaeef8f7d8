// The file encoder the message writers of this subsystem and of the
// accounts use for their attachments.
#pragma once

#include <string>

namespace util {

// Encodes a file into base64 lines; false when either file cannot be
// opened (the encoder logs why).
bool encodeFileBase64(const std::string& input, const std::string& output);

}  // namespace util
