// What the library releases when the process detaches it.
#pragma once

namespace util {

// Registered by subsystems that hold memory for the process (the spam and
// scanner lists); called from the entry point at process detach.
using DetachHook = void (*)();
void onProcessDetach(DetachHook hook);
void releaseAtDetach();

}  // namespace util
