// The spool family on disk and the exports UniqueFileName, ListFiles,
// NextListFile and EndListFile.
#include "frame/spool_files.h"

#include <windows.h>

#include "frame/event_log.h"
#include "frame/export_guard.h"
#include "frame/frame_state.h"
#include "frame/install_folder.h"
#include "frame/paths.h"
#include "frame/spool_file.h"
#include "frame/spool_names.h"
#include "utilities.h"

namespace util {
namespace {

// The last part of a pattern, which the found names must match by their
// long names: the platform's find functions also report names whose
// short aliases match ("x.txtx" for "*.txt") and folders.
std::string_view namePattern(std::string_view pattern) {
    std::size_t slash = pattern.find_last_of("\\/:");
    return slash == std::string_view::npos ? pattern : pattern.substr(slash + 1);
}

bool wanted(const WIN32_FIND_DATAA& found, std::string_view pattern) {
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && wildcardMatch(pattern, found.cFileName);
}

// Moves the listing on to the next wanted entry, starting with the one in
// found. False at the end of the listing.
bool skipToWanted(HANDLE find, WIN32_FIND_DATAA& found, std::string_view pattern, bool current) {
    if (current && wanted(found, pattern)) return true;
    while (FindNextFileA(find, &found))
        if (wanted(found, pattern)) return true;
    return false;
}

// A listing handle remembers its pattern: NextListFile gets only the handle.
struct Listing {
    HANDLE find;
    char pattern[kMaxPath];
};

}  // namespace

std::string uniqueBaseName(std::string_view folder, const std::vector<std::string_view>& extensions) {
    const std::string stamp = spoolStamp(localTimeNow());
    std::string key = std::string(folder) + '|';
    for (std::string_view e : extensions) key.append(e).append(1, '|');
    const std::size_t sameFamily = key.size();
    key += stamp;
    SpoolSequence* sequences = frameState().spoolSequences;
    int first = 0;
    for (int i = 0; i < kSpoolSequences; ++i)
        if (key == sequences[i].folderAndStamp) first = sequences[i].number + 1;
    for (int n = first;; ++n) {
        std::string base = spoolBase(spoolName(folder, stamp, n, "x"));
        bool taken = false;
        for (std::string_view e : extensions) taken = taken || pathExists(spoolPath(base, e));
        if (taken) continue;
        // Remembered first in the list; the older entry of the same folder
        // and extensions, or the oldest of all, makes room.
        int drop = kSpoolSequences - 1;
        std::string_view prefix = std::string_view(key).substr(0, sameFamily);
        for (int i = 0; i < kSpoolSequences; ++i)
            if (std::string_view(sequences[i].folderAndStamp).substr(0, prefix.size()) == prefix) drop = i;
        for (int i = drop; i > 0; --i) sequences[i] = sequences[i - 1];
        copyToBuffer(key, sequences[0].folderAndStamp, sizeof sequences[0].folderAndStamp);
        sequences[0].number = n;
        return base;
    }
}

std::string uniqueFileName(std::string_view folder, std::string_view extension) {
    return spoolPath(uniqueBaseName(folder, {extension}), extension);
}

std::vector<std::string> listFileNames(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(pattern.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    std::string_view wanted = namePattern(pattern);
    bool current = true;
    while (skipToWanted(find, found, wanted, current)) {
        names.emplace_back(found.cFileName);
        current = false;
    }
    FindClose(find);
    return names;
}

std::vector<FolderMessage> listFolderMessages(const std::string& folder) {
    std::vector<std::string> files;
    std::string pattern = folder;
    if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
    pattern += '*';
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(pattern.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return {};
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) files.emplace_back(found.cFileName);
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return folderMessages(files);
}

bool anyFileMatches(const std::string& pattern) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(pattern.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return false;
    bool any = skipToWanted(find, found, namePattern(pattern), true);
    FindClose(find);
    return any;
}

std::string copyMessageFamily(std::string_view base, std::string_view folder, bool move) {
    std::vector<std::string_view> present;
    if (!pathExists(spoolPath(base, kMessageExtension))) return {};
    present.push_back(kMessageExtension);
    for (std::string_view e : kCompanionExtensions)
        if (pathExists(spoolPath(base, e))) present.push_back(e);

    std::string target = uniqueBaseName(folder, present);
    std::vector<std::string> made;
    for (std::string_view e : present) {
        std::string to = spoolPath(target, e);
        if (!CopyFileA(spoolPath(base, e).c_str(), to.c_str(), TRUE)) {
            for (const std::string& m : made) DeleteFileA(m.c_str());
            return {};
        }
        made.push_back(to);
    }
    if (move) deleteMessageFamily(base);
    return target;
}

void deleteMessageFamily(std::string_view base) {
    DeleteFileA(spoolPath(base, kMessageExtension).c_str());
    for (std::string_view e : kCompanionExtensions) {
        std::string path = spoolPath(base, e);
        if (pathExists(path)) DeleteFileA(path.c_str());
    }
}

bool writeEnvelope(std::string_view base, std::string_view sender, const std::vector<std::string>& recipients) {
    SpoolFile file;
    if (!file.create(spoolPath(base, kEnvelopeExtension))) return false;
    if (!file.write(envelopeText(sender, recipients))) return false;
    file.close();
    return true;
}

}  // namespace util

using namespace util;

extern "C" {

void UTILAPI UniqueFileName(const char* folder, char* nameOut, const char* extension) {
    guarded([&] {
        if (!nameOut) return;
        nameOut[0] = '\0';
        // A name longer than the caller's 260 bytes is not handed out cut:
        // the cut name was never checked to be free, and every call in the
        // same second would give the same one, so each message written
        // under it would overwrite the last. The empty name makes the
        // caller's create fail instead.
        const std::string name = uniqueFileName(orEmpty(folder), orEmpty(extension));
        if (name.size() < kMaxPath) copyToBuffer(name, nameOut, kMaxPath);
    });
}

int UTILAPI ListFiles(const char* pattern, char* nameOut, HANDLE* handleOut) {
    return guarded(0, [&] {
        if (handleOut) *handleOut = nullptr;
        if (!pattern || !nameOut || !handleOut) return 0;
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA(pattern, &found);
        if (find == INVALID_HANDLE_VALUE) return 0;
        auto* listing = static_cast<Listing*>(HeapAlloc(GetProcessHeap(), 0, sizeof(Listing)));
        if (!listing) {
            FindClose(find);
            return 0;
        }
        copyToBuffer(namePattern(pattern), listing->pattern, sizeof listing->pattern);
        if (!skipToWanted(find, found, listing->pattern, true)) {
            FindClose(find);
            HeapFree(GetProcessHeap(), 0, listing);
            return 0;
        }
        listing->find = find;
        copyToBuffer(found.cFileName, nameOut, kMaxPath);
        *handleOut = listing;
        return -1;
    });
}

int UTILAPI NextListFile(HANDLE* handle, char* nameOut) {
    return guarded(0, [&] {
        if (!handle || !*handle) return 0;
        auto* listing = static_cast<Listing*>(*handle);
        WIN32_FIND_DATAA found;
        if (skipToWanted(listing->find, found, listing->pattern, false)) {
            if (nameOut) copyToBuffer(found.cFileName, nameOut, kMaxPath);
            return -1;
        }
        FindClose(listing->find);
        HeapFree(GetProcessHeap(), 0, listing);
        *handle = nullptr;
        return 0;
    });
}

int UTILAPI EndListFile(HANDLE handle) {
    return guarded(0, [&] {
        if (!handle) return 0;
        auto* listing = static_cast<Listing*>(handle);
        BOOL closed = FindClose(listing->find);
        HeapFree(GetProcessHeap(), 0, listing);
        return closed ? -1 : 0;
    });
}

}  // extern "C"
