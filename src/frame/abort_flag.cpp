#include "frame/abort_flag.h"

namespace util {
namespace {
constinit volatile int flag = 0;
constinit volatile unsigned aborts = 0;
}  // namespace

int abortFlag() { return flag; }
unsigned abortCount() { return aborts; }

void setAbortFlag(int value) {
    if (value) aborts = aborts + 1;
    flag = value;
}

}  // namespace util
