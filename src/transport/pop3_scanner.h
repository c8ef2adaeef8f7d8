// The end-of-data scan of a multi-line POP3 answer (LIST, TOP, RETR): the
// status line, the data, and the line of a single dot that ends it. The
// state is carried from one block to the next, so the answer may arrive
// split at any byte.
#pragma once

#include <cstddef>

namespace util {

// Values of the scanner state (kept by the caller between blocks).
enum Pop3ScanState : int {
    kScanStatusLine = 0,  // inside the status line
    kScanLineStart = 1,   // at the start of a data line
    kScanDotSeen = 2,     // a data line began with a dot, held back until the next byte
    kScanInsideLine = 3,  // inside a data line
    kScanEnded = 4,       // the end-of-data line has arrived
};

struct Pop3ScanStep {
    std::size_t length = 0;       // data bytes put into the output
    bool statusEnded = false;     // the status line ended in this block
    bool ended = false;           // the end-of-data line arrived in this block
    bool lineFeedPending = false; // the block ended with that line's carriage return
};

// Room the output needs beyond the block: a dot held back at the end of
// the previous block is released at the start of this one.
inline constexpr std::size_t kScanOutputSlack = 1;

// Scans one block and copies its data bytes to out, which holds at least
// size + kScanOutputSlack bytes. The status line, the end-of-data line and,
// with unstuff, the added dot of a line that begins with a dot are left
// out; bytes after the end-of-data line are ignored. Bytes are compared
// whole: an eighth bit is data, never a dot or a line end.
Pop3ScanStep scanPop3Block(int& state, bool unstuff, const char* block, std::size_t size, char* out);

}  // namespace util
