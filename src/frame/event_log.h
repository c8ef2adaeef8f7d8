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

// The message pump (frame/message_pump.h) for the transfers and decoders:
// 1 when it took a quit message (posted again), else 0.
int pumpMessages();

}  // namespace util
