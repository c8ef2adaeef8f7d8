// The spool-file and encoder services the message writers of this
// subsystem and of the accounts use: a fresh message name in a folder, and
// a file turned into base64 text.
#pragma once

#include <string>

namespace util {

// The full path of the first free name "folder\stamp-NNNN.extension".
std::string uniqueSpoolName(const std::string& folder, const char* extension);

// Encodes a file into base64 lines; false when either file cannot be
// opened (the encoder logs why).
bool encodeFileBase64(const std::string& input, const std::string& output);

}  // namespace util
