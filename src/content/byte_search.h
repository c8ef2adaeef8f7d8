// Finding one byte in a buffer, fast: the line reader looks for every line
// end of a message this way. The C runtime that the DLL uses searches byte
// by byte, which made the search the larger part of a walk over a message;
// here it goes sixteen bytes at a time where the processor has SSE2 and a
// machine word at a time elsewhere.
#pragma once

namespace util {

// The first byte c in [p, end), or null.
const char* findByte(const char* p, const char* end, char c);

// The word-at-a-time search alone (what findByte uses without SSE2).
const char* findByteInWords(const char* p, const char* end, char c);

}  // namespace util
