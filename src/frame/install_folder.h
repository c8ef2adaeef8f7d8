// The install folder, ms.ini and the path-exists test.
#pragma once

#include <string>
#include <string_view>

namespace util {

// The folder given to SetPath, unchanged.
std::string installFolder();

// The install folder followed by a tail beginning with a backslash.
std::string installFile(std::string_view tail);

// Full path of ms.ini, built on first use and retained for the process.
std::string configPath();

// True when the name or wild-card pattern matches at least one directory
// entry other than "." and "..".
bool pathExists(const std::string& pattern);

}  // namespace util
