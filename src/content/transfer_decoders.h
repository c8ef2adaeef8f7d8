// The transfer decoders (base64, quoted-printable, uuencode, BinHex) and the
// base64 file encoder. Each streams: one line (or one 45-byte chunk) at a
// time, whatever the size of the part.
//
// The decoders start at a part's header lines (offset 1 or more: those
// lines are skipped up to the blank line) or at the first line of the file
// (offset 0 or less), and stop at a line that begins with a non-empty
// delimiter. Results: 0 success, -1 failure (a file that cannot be opened,
// a read error, a short write).
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "content/byte_stream.h"

namespace util {

// What the Windows side lends the decoders.
struct WorkHooks {
    // Looked at before each line: true when a quit message came, which
    // ends the work as a success with what was done so far.
    std::function<bool()> quitRequested;
    // Records an event (text, category) in the event log.
    std::function<void(std::string_view, int)> logEvent;
};

struct DecodeRange {
    std::int64_t offset = 0;
    std::string_view delimiter;
};

// Streams.
int decodeBase64(ByteSource& in, ByteSink& out, const DecodeRange& range, const WorkHooks& hooks);
int decodeQuoted(ByteSource& in, ByteSink& out, bool copyHeaders, const DecodeRange& range,
                 const WorkHooks& hooks);
// Decodes the uuencoded block after the first "begin " line at or after
// position; position ends after the block's "end" line (or at the
// delimiter line that cut it short), ready for the next block.
int decodeUuencode(ByteSource& in, ByteSink& out, std::int64_t& position, std::string_view delimiter,
                   const WorkHooks& hooks);
// Decodes BinHex text into its whole byte stream (header, forks, CRCs).
int decodeBinHexStream(ByteSource& in, ByteSink& stream, const DecodeRange& range, const WorkHooks& hooks);
int encodeBase64(ByteSource& in, ByteSink& out, const WorkHooks& hooks);

// Files.
int decodeBase64File(const char* inName, const char* outName, const DecodeRange& range, const WorkHooks& hooks);
int decodeQuotedFile(const char* inName, const char* outName, bool copyHeaders, const DecodeRange& range,
                     const WorkHooks& hooks);
int decodeUuencodeFile(const char* inName, const char* outName, std::int64_t& position,
                       std::string_view delimiter, const WorkHooks& hooks);
// The BinHex stream goes to the scratch file tempName (left for the caller
// to delete); the data fork is then copied from it to outName.
int decodeBinHexFile(const char* inName, const char* outName, const char* tempName, const DecodeRange& range,
                     const WorkHooks& hooks);
// A failure once the output exists (a short write, a read error) deletes
// the partial output: an attachment is sent whole or not at all.
int encodeBase64File(const char* inName, const char* outName, const WorkHooks& hooks);

}  // namespace util
