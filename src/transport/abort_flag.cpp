#include "transport/abort_flag.h"

#include <winsock.h>

#include "frame/export_guard.h"
#include "utilities.h"

namespace util {
namespace {
constinit volatile int flag = 0;
constinit volatile unsigned aborts = 0;
}  // namespace

int abortFlag() { return flag; }
unsigned abortCount() { return aborts; }

}  // namespace util

extern "C" void UTILAPI AbortComms(int value) {
    util::guarded([&] {
        // The version 1.1 cancel call ends a blocking call in progress; the
        // socket waits also run in short slices that watch the count.
        if (value) {
            WSACancelBlockingCall();
            util::aborts = util::aborts + 1;
        }
        util::flag = value;
    });
}
