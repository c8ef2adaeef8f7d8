// AbortComms: the host's abort switch for transfers and dials.
#include <winsock.h>

#include "frame/abort_flag.h"
#include "frame/export_guard.h"
#include "utilities.h"

extern "C" void UTILAPI AbortComms(int value) {
    util::guarded([&] {
        // The version 1.1 cancel call ends a blocking call in progress; the
        // socket waits also run in short slices that watch the count.
        if (value) WSACancelBlockingCall();
        util::setAbortFlag(value);
    });
}
