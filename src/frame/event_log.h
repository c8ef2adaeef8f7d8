// Status output and the event log, for the rest of the library.
#pragma once

#include <string_view>

#include "frame/local_time.h"

namespace util {

// The local time now, as the event lines and the spool names use it.
LocalTime localTimeNow();

// Sends a non-empty text to the status window (0x401, wParam 1), waits for
// it to be handled, then logs it with the transport category.
void statusOut(std::string_view text);

// Appends one line to the event log file only (when the file log is on).
void logFileOnly(std::string_view text);

// Records one event in the list and the file, then pumps messages.
int logEvent(std::string_view text, int category);

// Takes and dispatches every waiting message of the calling thread until
// the queue is empty or a quit message arrives; the quit is posted again so
// the host's own loop still ends. Returns the last look-up's result.
int pumpMessages();

}  // namespace util
