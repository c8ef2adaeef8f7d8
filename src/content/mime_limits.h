// The fixed sizes of the message content code, in one place.
#pragma once

#include <cstddef>

namespace util::mime {

// Longest piece of a line the scanners, the text extraction and the
// quoted-printable decoder take at once; a longer line arrives as several.
inline constexpr std::size_t kScanLineLength = 4094;
// The same for the base64, uuencode and BinHex decoders.
inline constexpr std::size_t kCodedLineLength = 255;
// Longest boundary value FindMimeBoundary hands out (its caller's buffer
// holds one more byte for the terminator).
inline constexpr std::size_t kMaxBoundaryLength = 2047;
// Longest delimiter ("--" and the value) of a nested multipart; the
// part-delimiter buffer of FindBoundaryPos holds one more byte.
inline constexpr std::size_t kMaxPartDelimiterLength = 255;
// Multiparts nested deeper than this inside the message's own are not
// entered, so a hostile message cannot exhaust the stack.
inline constexpr int kMaxNestedMultiparts = 64;
// Bytes of input per line of base64 text written by the file encoder, and
// lines it encodes at a time.
inline constexpr std::size_t kEncodeChunk = 45;
inline constexpr std::size_t kEncodeLinesPerBlock = 1024;
// Buffer of run-length expanded BinHex bytes.
inline constexpr std::size_t kBinHexBlock = 4096;

}  // namespace util::mime
