// The progress text of a message transfer.
#pragma once

#include <cstdint>
#include <string>

namespace util {

// "Delivering (S of T)..." with both numbers grouped in threes by commas;
// the sent count is shown in thousands even below 1,000 when the total is
// below 1,000,000, and both are shown plain when more was sent than the
// file's size on disk.
std::string deliveryProgress(std::uint32_t sent, std::uint32_t total);

}  // namespace util
