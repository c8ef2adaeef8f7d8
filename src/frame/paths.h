// Paths under the install folder: plain concatenation of the folder and a
// tail, except that a drive root given with its backslash ("C:\") must not
// end up with a doubled backslash in the few places that care.
#pragma once

#include <string>
#include <string_view>

namespace util {

// Limits of the system's path buffers.
inline constexpr std::size_t kMaxPath = 260;
// ms.ini's full path: the longest install folder (259 characters), a
// backslash and "ms.ini", so that it is never cut to another file's name.
inline constexpr std::size_t kMaxConfigPath = kMaxPath + 7;

// True for a three-character folder ending in a backslash, such as "C:\".
bool isDriveRoot(std::string_view folder);

// Full path of ms.ini for an install folder: the folder, a backslash and
// "ms.ini"; a drive root takes "ms.ini" directly.
std::string configPathFor(std::string_view installFolder);

// The event log's folder under the install folder; the file is events.txt
// in it (trimmed through events.tmp).
inline constexpr char kEventLogFolder[] = "\\event log";

// Full path of the event log file, or of its trimming copy: a drive root is
// cut to its first two characters before the tail is appended.
std::string eventLogPathFor(std::string_view installFolder, bool trimmingCopy);

// The install folder followed by a tail that begins with a backslash.
std::string installPath(std::string_view installFolder, std::string_view tail);

// Copies text into a caller buffer of the given size, cutting it so that
// the terminator fits. Returns the number of bytes copied, terminator included.
std::size_t copyToBuffer(std::string_view text, char* buffer, std::size_t size);

}  // namespace util
