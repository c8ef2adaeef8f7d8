#include "frame/process_detach.h"

namespace util {
namespace {
constexpr int kMaxHooks = 8;
constinit DetachHook hooks[kMaxHooks]{};
constinit int hookCount = 0;
}  // namespace

void onProcessDetach(DetachHook hook) {
    for (int i = 0; i < hookCount; ++i)
        if (hooks[i] == hook) return;
    if (hookCount < kMaxHooks) hooks[hookCount++] = hook;
}

void releaseAtDetach() {
    for (int i = hookCount - 1; i >= 0; --i) hooks[i]();
    hookCount = 0;
}

}  // namespace util
