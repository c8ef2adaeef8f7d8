// The abort switch the host sets (AbortComms) while a transfer or a dial is
// in progress; the transfers and the dial-up wait test it.
#pragma once

namespace util {

// Non-zero once AbortComms was called with a non-zero flag, until it is
// called with 0. Nothing in the library clears it by itself.
int abortFlag();

}  // namespace util
