// Times of day as the schedule writes and reads them: "hour:minute" entries
// of a times list ("08:00,12:30,"), and the hour and quarter-hour steps of
// the schedule windows' spins. The windows and OKToBeOnline read a time the
// same way, so a list kept in order by one is in order for the other.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "frame/clock_text.h"

namespace util {

// Reads "%d:%d" as the C library does: an hour, a colon and a minute, each
// with optional blanks and sign. False when the text does not begin so.
bool readTimeOfDay(std::string_view text, int& hour, int& minute);

// The hour of a "%d:00" text (0 when it has none), and the text one step
// later or earlier, kept within [low, high], written "%02d:00".
int hourOf(std::string_view text);
std::string stepHour(std::string_view text, int step, int low, int high);

// The time of a "%d:%d" text moved by step quarters of an hour, kept within
// 00:00 and 23:45 (an unreadable text counts as midnight).
std::string stepQuarter(std::string_view text, int step);

// The entries of a stored times list, in their order, empty ones skipped.
std::vector<std::string> splitTimes(std::string_view stored);

// Where an entry goes so that the list stays in time order (after entries
// of the same time; unreadable entries sort last).
std::size_t timeOrderPosition(const std::vector<std::string>& list, std::string_view entry);

// The stored form: every entry followed by ",".
std::string joinTimes(const std::vector<std::string>& entries);

}  // namespace util
