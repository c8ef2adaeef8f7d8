// The texts the POP3 download writes: progress lines with grouped numbers,
// the Received header, the record line of a check file and the notices of
// a size warning.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace util {

// "Downloading N (R of T)..." with the numbers split into groups of three
// digits as the download window shows them (received R, total T).
std::string pop3ProgressText(int number, std::uint32_t received, std::uint32_t total);

// The header put at the top of every downloaded message, dateText being the
// C library's date text without its line feed.
std::string receivedHeader(std::string_view host, std::string_view user, std::string_view product,
                           std::string_view version, std::string_view dateText);

// The line that separates the header blocks of a check file: four bytes of
// value 1, "N", the record number, and the three fields each after a byte
// of value 1.
std::string checkRecordLine(std::uint32_t recordNumber, std::string_view field1, std::string_view field2,
                            std::string_view field3);

// The first line of each header block of a check file.
std::string checkUserLine(std::string_view user);

// Appended to a size warning in place of the message body.
inline constexpr std::string_view kWarningLeftText =
    "\r\n\r\nThis message was not downloaded because it exceeded\r\n the servers limit. "
    "It has been left on the ISP's server...";
inline constexpr std::string_view kWarningRemovedText =
    "\r\n\r\nThis message was not downloaded because it exceeded\r\n the servers limit. "
    "It has been removed from the ISP's server...";

// True when a message of the given size exceeds a limit of limitMillions
// million bytes.
bool exceedsDownloadLimit(std::uint32_t size, int limitMillions);

}  // namespace util
