#include "transport/pop3_ids.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <vector>

#include "frame/install_folder.h"
#include "transport/pop3_journal.h"
#include "transport/pop3_reply.h"
#include "transport/pop3_session.h"
#include "transport/socket_layer.h"

namespace util {
namespace {

constexpr char kJournalFile[] = "\\collection journal.txt";

enum class Listing { NotAsked, Listed, Unavailable };

struct SessionIds {
    Listing listing = Listing::NotAsked;
    std::map<int, std::string> uids;
    bool journalRead = false;
    std::vector<JournalEntry> journal;  // this mailbox's entries, as read and added
    std::vector<std::string> deleted;
};

SessionIds& ids() {
    static auto* state = new SessionIds;  // never destroyed: nothing of it runs at unload
    return *state;
}

std::string readWhole(const std::string& path) {
    std::string text;
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return text;
    char chunk[8192];
    DWORD got = 0;
    while (ReadFile(f, chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
    CloseHandle(f);
    return text;
}

bool writeWhole(const std::string& path, const std::string& text, DWORD disposition) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    if (disposition == OPEN_ALWAYS) SetFilePointer(f, 0, nullptr, FILE_END);
    DWORD put = 0;
    bool ok = WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &put, nullptr) && put == text.size();
    CloseHandle(f);
    return ok;
}

// This mailbox's entries of the journal, read once a session.
std::vector<JournalEntry>& journal() {
    SessionIds& s = ids();
    if (!s.journalRead) {
        s.journalRead = true;
        const Pop3Session& session = pop3Session();
        for (JournalEntry& e : parseJournal(readWhole(installFile(kJournalFile))))
            if (sameMailbox(e, session.host, session.user)) s.journal.push_back(std::move(e));
    }
    return s.journal;
}

// Reads the multi-line UIDL answer; false when it was cut.
bool readListing(SOCKET s, std::vector<std::string>& lines) {
    for (;;) {
        if (readPop3Line(s) < 0) return false;
        std::string_view line = lastPop3Reply();
        if (line == ".\r\n" || line == ".\n") return true;
        lines.emplace_back(line);
    }
}

}  // namespace

void startPop3Ids() { ids() = SessionIds{}; }

std::optional<std::string> pop3MessageId(SOCKET s, int number, bool& failed) {
    failed = false;
    SessionIds& state = ids();
    if (state.listing == Listing::NotAsked) {
        switch (pop3Command(s, "UIDL\r\n")) {
        case Pop3Reply::Failed:
            failed = true;
            return std::nullopt;
        case Pop3Reply::Refused:
            state.listing = Listing::Unavailable;
            break;
        case Pop3Reply::Accepted: {
            std::vector<std::string> lines;
            if (!readListing(s, lines)) {
                failed = true;
                return std::nullopt;
            }
            state.uids = parseUidListing(lines);
            state.listing = Listing::Listed;
            break;
        }
        }
    }
    auto found = state.uids.find(number);
    if (found == state.uids.end()) return std::nullopt;
    return found->second;
}

bool collectedBefore(const std::string& uid) {
    const std::vector<JournalEntry>& entries = journal();
    return std::any_of(entries.begin(), entries.end(), [&](const JournalEntry& e) { return e.uid == uid; });
}

void journalCollected(const std::string& uid) {
    const Pop3Session& session = pop3Session();
    JournalEntry entry{session.host, session.user, uid};
    if (!journalWritable(entry) || collectedBefore(uid)) return;
    if (writeWhole(installFile(kJournalFile), journalLine(entry), OPEN_ALWAYS)) journal().push_back(std::move(entry));
}

void noteDeleted(const std::string& uid) { ids().deleted.push_back(uid); }

void confirmDeletions() {
    SessionIds& state = ids();
    if (state.listing != Listing::Listed || (!state.journalRead && state.deleted.empty())) return;
    const Pop3Session& session = pop3Session();
    const std::string path = installFile(kJournalFile);
    std::vector<JournalEntry> all = parseJournal(readWhole(path));
    auto confirmed = [&](const JournalEntry& e) {
        if (!sameMailbox(e, session.host, session.user)) return false;
        bool deleted = std::find(state.deleted.begin(), state.deleted.end(), e.uid) != state.deleted.end();
        bool listed = std::any_of(state.uids.begin(), state.uids.end(), [&](const auto& n) { return n.second == e.uid; });
        return deleted || !listed;
    };
    auto kept = std::remove_if(all.begin(), all.end(), confirmed);
    if (kept == all.end()) return;
    all.erase(kept, all.end());
    if (all.empty()) {
        DeleteFileA(path.c_str());
        return;
    }
    std::string text;
    for (const JournalEntry& e : all) text += journalLine(e);
    writeWhole(path, text, CREATE_ALWAYS);
}

}  // namespace util
