// The message content exports: MIME scanning, the transfer decoders and
// encoder, plain-text extraction. Each opens nothing itself: it lends the
// portable core the window-message check and the event log, and turns the
// core's result into the export's.
#include <windows.h>

#include <climits>
#include <cstring>

#include "content/mime_limits.h"
#include "content/mime_scan.h"
#include "content/text_extract.h"
#include "content/transfer_decoders.h"
#include "frame/event_log.h"
#include "frame/export_guard.h"
#include "utilities.h"

using namespace util;

namespace {

// A look at the message queue is a call into the window system (under
// Wine a round trip to its server, some 40 microseconds): once per line it
// would cost 30 seconds on a 50 MB part of 76-character lines, many times
// the decoding itself. The decoders look before the first line and then
// whenever this many milliseconds have passed, which keeps the windows
// just as responsive.
constexpr DWORD kQueueLookInterval = 10;

// The decoders keep the caller's windows alive: every waiting message is
// dispatched; a quit message ends the work (and is posted again, so the
// caller's own loop still ends).
WorkHooks windowHooks() {
    WorkHooks hooks;
    hooks.quitRequested = [first = true, last = DWORD{0}]() mutable {
        DWORD now = GetTickCount();
        if (!first && now - last < kQueueLookInterval) return false;
        first = false;
        last = now;
        return pumpMessages() != 0;
    };
    hooks.logEvent = [](std::string_view text, int category) { logEvent(text, category); };
    return hooks;
}

std::int32_t asResult(std::int64_t position) { return position > INT_MAX ? -1 : static_cast<std::int32_t>(position); }

}  // namespace

extern "C" {

int UTILAPI FindMimeBoundary(const char* fileName, char* boundaryOut) {
    return guarded(0, [&] {
        FileSource message(fileName);
        if (!message.isOpen()) return 0;
        mime::MessageBoundary found = mime::findMimeBoundary(message);
        if (found.kind == mime::kMultipartMixed && boundaryOut)
            std::memcpy(boundaryOut, found.boundary.c_str(), found.boundary.size() + 1);
        return found.kind;
    });
}

int UTILAPI FindBoundaryPos(const char* fileName, const char* delimiter, int wanted, void* stream,
                            unsigned int* counter, char* partDelimiterOut, int offset, int startCount) {
    return guarded(-1, [&] {
        // A stream is only ever passed by the walk to itself for a nested
        // multipart; none can come from outside.
        if (stream) return -1;
        FileSource message(fileName);
        if (!message.isOpen()) return -1;
        std::uint32_t ownCounter = 0;
        std::uint32_t& count = counter ? *counter : ownCounter;
        mime::PartSearch search{orEmpty(delimiter), static_cast<std::uint32_t>(wanted), offset,
                                static_cast<std::uint32_t>(startCount)};
        mime::PartFound found = mime::findBoundaryPos(message, search, count);
        if (found.position >= 0 && partDelimiterOut)
            std::memcpy(partDelimiterOut, found.partDelimiter.c_str(), found.partDelimiter.size() + 1);
        return asResult(found.position);
    });
}

int UTILAPI DecodeBase64(const char* fileName, const char* outName, int offset, const char* delimiter) {
    return guarded(-1, [&] {
        return decodeBase64File(fileName, outName, {offset, orEmpty(delimiter)}, windowHooks());
    });
}

int UTILAPI DecodeQuoted(const char* fileName, const char* outName, int copyHeaders, int offset,
                         const char* delimiter) {
    return guarded(-1, [&] {
        return decodeQuotedFile(fileName, outName, copyHeaders != 0, {offset, orEmpty(delimiter)}, windowHooks());
    });
}

int UTILAPI DecodeMimeUU(const char* fileName, const char* outName, int* position, const char* delimiter) {
    return guarded(-1, [&] {
        std::int64_t at = position ? *position : 0;
        int result = decodeUuencodeFile(fileName, outName, at, orEmpty(delimiter), windowHooks());
        if (position) *position = asResult(at);
        return result;
    });
}

int UTILAPI DecodeBinHex(const char* fileName, const char* outName, const char* tempName, int offset,
                         const char* delimiter) {
    return guarded(-1, [&] {
        return decodeBinHexFile(fileName, outName, tempName, {offset, orEmpty(delimiter)}, windowHooks());
    });
}

int UTILAPI EncodeBase64(const char* inName, const char* outName) {
    return guarded(-1, [&] { return encodeBase64File(inName, outName, windowHooks()); });
}

int UTILAPI ExtractMimeText(const char* fileName, const char* outName, const char* delimiter, void* stream,
                            int outFile) {
    return guarded(-1, [&] {
        // As with FindBoundaryPos: the open files are the walk's own.
        if (stream || outFile) return -1;
        return mime::extractMimeTextFile(fileName, outName, orEmpty(delimiter));
    });
}

}  // extern "C"
