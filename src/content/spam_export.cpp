// ParseBlackSpam, ParseWhiteSpam and ParseFile: the three matchers keep
// their lists between calls, watch the enable and change keys of ms.ini,
// and hand the message file to the matching engine.
#include <windows.h>

#include <memory>
#include <string>

#include "content/spam_list.h"
#include "content/spam_match.h"
#include "frame/crypt.h"
#include "frame/export_guard.h"
#include "frame/paths.h"
#include "frame/process_detach.h"
#include "frame/profile.h"
#include "utilities.h"

namespace util::spam {
namespace {

enum ListKind { kBlack, kWhite, kScanner, kListKinds };

struct ListKeys {
    const cfg::IntKey* use;
    const cfg::IntKey* changed;
    AtRule atRule;
};
constexpr ListKeys kKeys[kListKinds] = {
    {&cfg::kSpamUse, &cfg::kSpamBlackChanged, AtRule::on},
    {&cfg::kSpamUse, &cfg::kSpamWhiteChanged, AtRule::on},
    {&cfg::kScannerUse, &cfg::kScannerChanged, AtRule::off},
};

// The lists held between calls; null until first loaded and after release.
constinit PhraseList* heldLists[kListKinds] = {};

void release(ListKind kind) {
    delete heldLists[kind];
    heldLists[kind] = nullptr;
}

void releaseAll() {
    for (int kind = 0; kind < kListKinds; ++kind) release(static_cast<ListKind>(kind));
}

class FileSource final : public ByteSource {
public:
    explicit FileSource(const char* path)
        : file_(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {}
    ~FileSource() override {
        if (isOpen()) CloseHandle(file_);
    }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    bool isOpen() const { return file_ != INVALID_HANDLE_VALUE; }
    std::size_t read(char* buffer, std::size_t size) override {
        DWORD got = 0;
        if (!ReadFile(file_, buffer, static_cast<DWORD>(size), &got, nullptr)) return 0;
        return got;
    }

private:
    HANDLE file_;
};

std::unique_ptr<PhraseList> loadScannerPhrases() {
    auto list = std::make_unique<PhraseList>();
    // Up to the first missing key; an empty phrase adds nothing.
    for (const std::string& stored : readFamily(cfg::kScannerPhrase)) list->addLine(crypt(kSystemKey, stored, false));
    return list;
}

std::unique_ptr<PhraseList> loadListFile(const char* listName) {
    if (!listName || !*listName) return nullptr;
    FileSource file(listName);
    if (!file.isOpen()) return nullptr;
    auto list = std::make_unique<PhraseList>();
    loadListLines(*list, file);
    return list;
}

// The list to match with: the held one, reloaded when its change key is
// set; null when the matcher is switched off or the list cannot be read.
const PhraseList* currentList(ListKind kind, const char* listName) {
    onProcessDetach(releaseAll);
    const ListKeys& keys = kKeys[kind];
    if (read(*keys.use) == 0) {
        release(kind);
        return nullptr;
    }
    if (heldLists[kind] && read(*keys.changed) == 0) return heldLists[kind];
    release(kind);
    std::unique_ptr<PhraseList> list = kind == kScanner ? loadScannerPhrases() : loadListFile(listName);
    if (!list) return nullptr;
    heldLists[kind] = list.release();
    if (!write(*keys.changed, 0)) return nullptr;
    return heldLists[kind];
}

int matchFile(ListKind kind, const char* fileName, char* matchOut, const char* listName) {
    return guarded(0, [&] {
        const PhraseList* list = currentList(kind, listName);
        if (!list || !fileName) return 0;
        FileSource message(fileName);
        if (!message.isOpen()) return 0;
        std::string matched;
        if (!matchMessage(*list, message, kKeys[kind].atRule, &matched)) return 0;
        if (matchOut) copyToBuffer(matched, matchOut, kMaxMatchText + 1);
        return 1;
    });
}

}  // namespace
}  // namespace util::spam

using namespace util::spam;

extern "C" {

int UTILAPI ParseBlackSpam(const char* fileName, char* matchOut, const char* listName) {
    return matchFile(kBlack, fileName, matchOut, listName);
}

int UTILAPI ParseWhiteSpam(const char* fileName, char* matchOut, const char* listName) {
    return matchFile(kWhite, fileName, matchOut, listName);
}

int UTILAPI ParseFile(const char* fileName, char* matchOut) { return matchFile(kScanner, fileName, matchOut, nullptr); }

}  // extern "C"
