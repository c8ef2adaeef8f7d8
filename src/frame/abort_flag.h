// The abort switch the host sets (AbortComms) while a transfer or a dial is
// in progress; the transfers and the dial-up wait test it.
#pragma once

namespace util {

// Non-zero once AbortComms was called with a non-zero flag, until it is
// called with 0. Nothing in the library clears it by itself.
int abortFlag();

// Grows with every AbortComms call that aborts. A wait that sees it change
// ends like a cancelled blocking call; a later wait is not affected, just
// as the platform's cancel ends only the call in progress.
unsigned abortCount();

// What AbortComms sets (the transport's export, which also cancels the
// blocking call in progress).
void setAbortFlag(int value);

}  // namespace util
