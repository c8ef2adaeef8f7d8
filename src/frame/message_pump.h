// Keeping the caller's windows alive during long operations: the waiting
// window messages of the calling thread are dispatched. A quit message ends
// the dispatching and is posted again with its own exit code, so the host's
// loop still ends, the way the host asked.
#pragma once

namespace util {

// Dispatches every waiting message of the calling thread until the queue is
// empty or a quit message is taken. Returns true when a quit was taken (and
// posted again).
bool dispatchWaitingMessages();

}  // namespace util
