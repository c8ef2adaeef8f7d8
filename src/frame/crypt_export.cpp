#include "frame/crypt.h"
#include "frame/export_guard.h"
#include "utilities.h"

extern "C" void UTILAPI Crypt(const char* key, const char* input, char* output, int scramble) {
    util::guarded([&] { util::cryptInPlace(util::orEmpty(key), util::orEmpty(input), output, scramble != 0); });
}
