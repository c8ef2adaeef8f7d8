// The spool file family of a message: one base name in one folder, the
// message ".txt" and its companions, unique names, and the envelope lines
// of ".adr" files. Portable rules only; the files themselves are handled in
// spool_files.h.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "frame/local_time.h"

namespace util {

// Extensions of the family, without their dots.
inline constexpr std::string_view kMessageExtension = "txt";   // the message itself
inline constexpr std::string_view kEnvelopeExtension = "adr";  // MAIL FROM and RCPT TO lines
inline constexpr std::string_view kHoldExtension = "lck";      // empty hold marker
inline constexpr std::string_view kTriggerExtension = "trg";   // the executable's own companion
inline constexpr std::string_view kWritingExtension = "tmp";   // a message being written

// The companions that are copied, moved and deleted with their message.
inline constexpr std::array<std::string_view, 3> kCompanionExtensions = {
    kEnvelopeExtension, kHoldExtension, kTriggerExtension};

// "2026-12-07-08-05-09": the local date and time of a unique name.
std::string spoolStamp(const LocalTime& t);

// "folder\stamp-0007.ext": the number has four digits at least and simply
// grows past 9999.
std::string spoolName(std::string_view folder, std::string_view stamp, int number, std::string_view extension);

// A path without its extension (the base name B of the family); a path
// whose last part has no dot is its own base.
std::string spoolBase(std::string_view path);

// B + "." + extension.
std::string spoolPath(std::string_view base, std::string_view extension);

// Whether a file name matches a wild-card pattern as the platform's find
// functions mean it, by long names only and without regard to case:
// "*" any run of characters, "?" one character, and a trailing ".*" also
// matches a name without a dot.
bool wildcardMatch(std::string_view pattern, std::string_view name);

// The messages of a folder from one listing of all its entries (files
// only, in the listing's order): each "*.txt" file, and whether a hold
// marker ".lck" of the same base name (in any case) lies beside it.
struct FolderMessage {
    std::string name;  // the file name, without the folder
    bool held;
};
std::vector<FolderMessage> folderMessages(const std::vector<std::string>& fileNames);

// Envelope lines, with the line end the files carry on disk.
inline constexpr std::string_view kMailFromPrefix = "MAIL FROM:";
inline constexpr std::string_view kRcptToPrefix = "RCPT TO:";
std::string envelopeFromLine(std::string_view address);
std::string envelopeRecipientLine(std::string_view address);
// The whole envelope: the sender's line, then one line per recipient in
// the order of delivery.
std::string envelopeText(std::string_view sender, const std::vector<std::string>& recipients);

enum class EnvelopeLine { Sender, Recipient, Other };
// What a line of an envelope is, by its prefix: exactly as written (the
// delivery's reading) or without regard to case (the viewer's).
EnvelopeLine envelopeLineKind(std::string_view line, bool ignoreCase);

}  // namespace util
