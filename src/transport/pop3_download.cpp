// The POP3 download exports: ListMailPop3, TopPop3 and GetMailPop3. Each
// reads a multi-line answer through the end-of-data scanner into a file.
// An answer that stops before its end-of-data line is a failed transfer:
// the file is deleted and the message stays on the server.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "frame/event_line.h"
#include "frame/event_log.h"
#include "frame/export_guard.h"
#include "frame/profile.h"
#include "frame/spool_file.h"
#include "frame/abort_flag.h"
#include "transport/pop3_ids.h"
#include "transport/pop3_reply.h"
#include "transport/pop3_scanner.h"
#include "transport/pop3_session.h"
#include "transport/pop3_text.h"
#include "transport/socket_layer.h"
#include "utilities.h"

namespace util {
namespace {

enum class Transfer {
    Complete,     // the end-of-data line arrived
    Cut,          // time-out, closed connection or read error before it
    Aborted,      // AbortComms during the transfer
    WriteFailed,  // the file could not be written
};

struct TransferSteps {
    bool unstuff = false;
    bool watchAbort = false;
    bool pump = false;
    std::function<bool(SpoolFile&)> startOfData;         // runs when the status line has ended
    std::function<void(std::uint32_t received)> progress; // after each scanned block
};

// Data blocks are read into a buffer of the download's own, larger than
// the reply buffer: each receive, readiness wait, write and message pump
// costs a call into the platform, and a fast line fills many small blocks
// a second. A receive still takes only what has arrived, so a slow line
// gives small blocks as before. The buffers are made once for the process:
// a block of this size is fresh memory from the system each time.
constexpr int kDataBlockSize = 256 * 1024;

struct DataBuffers {
    char block[kDataBlockSize];
    char out[kDataBlockSize + kScanOutputSlack];
};

DataBuffers& dataBuffers() {
    static DataBuffers* buffers = new DataBuffers;
    return *buffers;
}

// The caller's window messages after a block. A look at the queue is a
// round trip to the window server under Wine, a cost like that of the
// block itself on a fast line: it runs after the first block and then
// once kPumpIntervalMs have passed, which keeps the windows as live.
class BlockPump {
public:
    void afterBlock() {
        DWORD now = GetTickCount();
        if (ran_ && now - last_ < kPumpIntervalMs) return;
        pumpMessages();
        last_ = now;
        ran_ = true;
    }

private:
    static constexpr DWORD kPumpIntervalMs = 10;
    bool ran_ = false;
    DWORD last_ = 0;
};

// Scans the status line already in the reply buffer, then the data blocks
// as they arrive, writing the data to the file.
Transfer readAnswer(SOCKET s, SpoolFile& file, const TransferSteps& steps) {
    BlockPump pump;
    TransportState& t = transport();
    int& state = t.scannerState;
    state = kScanStatusLine;
    DataBuffers* buffers = &dataBuffers();
    std::string_view status = lastPop3Reply();
    const char* block = status.data();
    int size = static_cast<int>(status.size());
    std::uint32_t received = 0;
    for (;;) {
        Pop3ScanStep step = scanPop3Block(state, steps.unstuff, block, static_cast<std::size_t>(size), buffers->out);
        if (step.statusEnded && steps.startOfData && !steps.startOfData(file)) return Transfer::WriteFailed;
        received += static_cast<std::uint32_t>(step.length);
        if (steps.progress) steps.progress(received);
        if (step.length > 0 && !file.write(buffers->out, step.length)) return Transfer::WriteFailed;
        if (steps.pump) pump.afterBlock();
        if (step.ended) {
            if (step.lineFeedPending) {
                char lineFeed;
                readBlock(s, &lineFeed, 1);
            }
            return Transfer::Complete;
        }
        block = buffers->block;
        size = readBlock(s, buffers->block, kDataBlockSize);
        if (steps.watchAbort && abortFlag()) return Transfer::Aborted;
        if (size <= 0) return Transfer::Cut;
    }
}

// Reports how a transfer that did not complete ended.
void reportUnfinished(Transfer how) {
    if (how == Transfer::Cut) statusOut("Network error");
}

// Sends a multi-line command and checks its status line. False (with the
// texts output) when it failed or was refused.
bool startAnswer(SOCKET s, const std::string& command, std::string_view refusal) {
    switch (pop3Command(s, command)) {
    case Pop3Reply::Failed:
        statusOut("Network error");
        return false;
    case Pop3Reply::Refused:
        reportRefusal(refusal);
        return false;
    case Pop3Reply::Accepted:
        break;
    }
    return true;
}

int failWith(SpoolFile& file) {
    file.discard();
    return -1;
}

struct DownloadLimit {
    bool on;
    int millions;
    bool sendWarning;
    bool deleteOversize;
    std::string product;
    std::string version;
};

DownloadLimit readDownloadLimit() {
    return {read(cfg::kAdvPopUse) != 0,
            read(cfg::kDownloadLimitMillions),
            read(cfg::kAdvPopSendWarning) != 0,
            read(cfg::kAdvPopDelete) != 0,
            read(cfg::kProductWord),
            read(cfg::kProductVersion)};
}

void sendProgress(HWND window, const std::string& text) {
    if (window) SendMessageA(window, UTIL_MSG_STATUS, 1, reinterpret_cast<LPARAM>(text.c_str()));
}

// DELE after a download: -1 on a network failure, else the given result.
// A deletion the server accepts is noted for the journal under uid.
int deleteAfterDownload(SOCKET s, int number, int result, const std::optional<std::string>& uid = std::nullopt) {
    statusOut("Deleting message " + std::to_string(number));
    switch (pop3Command(s, "DELE " + std::to_string(number) + "\r\n")) {
    case Pop3Reply::Failed:
        statusOut("Network error");
        return -1;
    case Pop3Reply::Refused:
        reportRefusal("Error (DELE)");
        break;
    case Pop3Reply::Accepted:
        if (uid) noteDeleted(*uid);
        break;
    }
    return result;
}

}  // namespace
}  // namespace util

using namespace util;

extern "C" {

int UTILAPI ListMailPop3(int socket, const char* listFile, int) {
    return guarded(-1, [&]() -> int {
        SOCKET s = static_cast<SOCKET>(socket);
        transport().current = s;
        SpoolFile file;
        if (!file.create(orEmpty(listFile))) {
            statusOut(std::string("Open list file error ") + orEmpty(listFile));
            return -1;
        }
        statusOut("Compiling message list");
        if (!startAnswer(s, "LIST\r\n", "Unsupported command (LIST)")) return failWith(file);
        Transfer how = readAnswer(s, file, {});
        if (how != Transfer::Complete) {
            reportUnfinished(how);
            return failWith(file);
        }
        file.close();
        return 0;
    });
}

int UTILAPI TopPop3(int socket, int messageNumber, const char* checkFile, const char* user, int lineCount, int,
                    int recordNumber, const char* field1, const char* host, const char* field3, int) {
    return guarded(-1, [&]() -> int {
        SOCKET s = static_cast<SOCKET>(socket);
        transport().current = s;
        setSessionUser(user);
        setSessionHost(host);
        std::string path = orEmpty(checkFile);
        const std::string userName = pop3Session().user;

        SpoolFile file;
        if (recordNumber == 0) {
            if (!file.create(path)) {
                statusOut("Open file error " + path);
                return -1;
            }
        } else {
            if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
                // Earlier blocks are kept: an existing file is never created anew here.
                if (!file.openExisting(path)) {
                    statusOut("Open file error " + path);
                    return -1;
                }
                if (!file.seekEnd()) {
                    file.close();
                    statusOut("Seek file error " + path);
                    return -1;
                }
            } else if (!file.create(path)) {
                statusOut("Open file error " + path);
                return -1;
            }
            if (!file.write(checkRecordLine(static_cast<std::uint32_t>(recordNumber), orEmpty(field1),
                                            orEmpty(host), orEmpty(field3))))
                return failWith(file);
        }

        statusOut("Checking message " + std::to_string(messageNumber));
        std::string command = "TOP " + std::to_string(messageNumber) + " " + std::to_string(lineCount) + "\r\n";
        if (!startAnswer(s, command, "Unsupported command (TOP)")) return failWith(file);

        TransferSteps steps;
        steps.startOfData = [&](SpoolFile& f) {
            if (recordNumber == 0 && !f.seekStart()) return false;
            return f.write(checkUserLine(userName));
        };
        Transfer how = readAnswer(s, file, steps);
        if (how != Transfer::Complete) {
            reportUnfinished(how);
            return failWith(file);
        }
        file.close();
        return 0;
    });
}

int UTILAPI GetMailPop3(int socket, int messageNumber, const char* messageFile, int deleteAfter, int,
                        HWND progressWindow, int) {
    return guarded(-1, [&]() -> int {
        SOCKET s = static_cast<SOCKET>(socket);
        transport().current = s;
        const DownloadLimit limit = readDownloadLimit();
        const std::string number = std::to_string(messageNumber);

        SpoolFile file;
        if (!file.create(orEmpty(messageFile))) {
            statusOut(std::string("Open file error ") + orEmpty(messageFile));
            return -1;
        }
        statusOut("Retrieving message " + number);

        // A message this mailbox's journal names was stored in full by a
        // session that was cut before its deletion took effect: deleted
        // again, stored no second time.
        std::optional<std::string> uid;
        if (deleteAfter == 1) {
            bool failed = false;
            uid = pop3MessageId(s, messageNumber, failed);
            if (failed) {
                statusOut("Network error");
                return failWith(file);
            }
            if (uid && collectedBefore(*uid)) {
                file.discard();
                logEvent("Message already collected", UTIL_EVENT_TRANSPORT);
                return deleteAfterDownload(s, messageNumber, 0, uid);
            }
        }

        if (!startAnswer(s, "LIST " + number + "\r\n", "Error (LIST)")) return failWith(file);
        std::optional<std::uint32_t> listed = pop3ListSize(lastPop3Reply());
        std::uint32_t size = listed.value_or(0);
        if (listed) logEvent("Message is " + std::to_string(size) + " bytes", UTIL_EVENT_TRANSPORT);

        bool oversize = size > 0 && limit.on && exceedsDownloadLimit(size, limit.millions);
        std::string request = "RETR " + number + "\r\n";
        if (oversize) {
            logEvent("Message exceeds download limit", UTIL_EVENT_TRANSPORT);
            if (!limit.sendWarning) {
                file.discard();
                if (!limit.deleteOversize) {
                    logEvent("Message skipped", UTIL_EVENT_TRANSPORT);
                    return 0;
                }
                return deleteAfterDownload(s, messageNumber, -11);
            }
            logEvent("Generating message size warning", UTIL_EVENT_TRANSPORT);
            request = "TOP " + number + " 1\r\n";
        }

        if (!startAnswer(s, request, "Error (RETR)")) return failWith(file);

        const bool showProgress = progressWindow && size > 0;
        TransferSteps steps;
        steps.unstuff = true;
        steps.watchAbort = true;
        steps.pump = true;
        steps.startOfData = [&](SpoolFile& f) {
            const Pop3Session& session = pop3Session();
            return f.seekStart() && f.write(receivedHeader(session.host, session.user, limit.product,
                                                           limit.version, cDateText(localTimeNow())));
        };
        if (showProgress)
            steps.progress = [&](std::uint32_t received) {
                sendProgress(progressWindow, pop3ProgressText(messageNumber, received, size));
            };
        Transfer how = readAnswer(s, file, steps);
        if (how != Transfer::Complete) {
            reportUnfinished(how);
            return failWith(file);
        }

        if (showProgress) sendProgress(progressWindow, "Message " + number + " complete...");
        if (oversize) {
            bool written = file.write(limit.deleteOversize ? kWarningRemovedText : kWarningLeftText);
            if (!written) return failWith(file);
            file.close();
            return limit.deleteOversize ? deleteAfterDownload(s, messageNumber, -11) : -10;
        }
        file.close();
        if (deleteAfter != 1) return 0;
        if (uid) journalCollected(*uid);
        return deleteAfterDownload(s, messageNumber, 0, uid);
    });
}

}  // extern "C"
