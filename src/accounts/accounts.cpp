// Account look-ups, removal and the update notifications.
#include "accounts/accounts.h"

#include <windows.h>

#include <new>

#include "accounts/account_rules.h"
#include "frame/export_guard.h"
#include "frame/install_folder.h"
#include "frame/paths.h"
#include "frame/profile.h"
#include "utilities.h"

namespace util {

namespace {

std::string key(const std::string& section, const char* name, const char* fallback = "") {
    return profileString(section.c_str(), name, fallback);
}

}  // namespace

std::string accountAddressByName(std::string_view name) {
    for (int i = 0; i < kMaxAccounts; ++i) {
        std::string section = accountSection(i);
        std::string listed = key(section, "name");
        if (listed.empty()) break;
        if (equalsIgnoringCase(listed, name)) return key(section, "address");
    }
    return {};
}

StoredAccount readAccount(const std::string& section) {
    StoredAccount a;
    a.name = key(section, "name");
    a.address = key(section, "address");
    a.folder = key(section, "folder");
    a.password = key(section, "password");
    a.active = key(section, "active", "1");
    a.host = key(section, "host");
    a.port = key(section, "port");
    return a;
}

void writeAccount(const std::string& section, const StoredAccount& a) {
    const char* s = section.c_str();
    writeProfileString(s, "name", a.name);
    writeProfileString(s, "address", a.address);
    writeProfileString(s, "folder", a.folder);
    writeProfileString(s, "password", a.password);
    writeProfileString(s, "active", a.active);
    writeProfileString(s, "host", a.host);
    writeProfileString(s, "port", a.port);
}

int removeAccount(const std::string& section) {
    const int index = accountIndexFromSection(section);
    std::vector<StoredAccount> following;
    try {
        for (int j = index + 1; index >= 0 && j < kMaxAccounts; ++j) {
            std::string next = accountSection(j);
            if (key(next, "name").empty()) break;
            following.push_back(readAccount(next));
        }
    } catch (const std::bad_alloc&) {
        MessageBoxA(nullptr, "Unable to allocate memory", "Insufficient Memory", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
        return 0;
    }
    deleteProfileSection(section.c_str());
    for (std::size_t n = 0; n < following.size(); ++n) {
        std::string target = accountSection(index + static_cast<int>(n));
        deleteProfileSection(target.c_str());
        writeAccount(target, following[n]);
    }
    if (!following.empty()) deleteProfileSection(accountSection(index + static_cast<int>(following.size())).c_str());
    return 1;
}

FoundAccount findAccount(std::string_view name) {
    for (int i = 0; i < kMaxAccounts; ++i) {
        std::string section = accountSection(i);
        std::string listed = key(section, "name");
        if (listed.empty()) break;
        if (listed == name) {
            FoundAccount found{section, key(section, "folder"), {}};
            found.path = mailboxFolderPath(installFolder(), found.folder);
            return found;
        }
    }
    return {};
}

std::vector<StoredAccount> listAccounts() {
    std::vector<StoredAccount> accounts;
    for (int i = 0; i < kMaxAccounts; ++i) {
        std::string section = accountSection(i);
        if (key(section, "name").empty()) break;
        accounts.push_back(readAccount(section));
    }
    return accounts;
}

void notifyAccount(const std::string& section) {
    std::string host = key(section, "host");
    std::string port = key(section, "port");
    if (host.empty() || port.empty()) return;
    sendAlert(host.c_str(), port.c_str(), "U");
}

}  // namespace util

using namespace util;

extern "C" {

int UTILAPI GetAddressFromName(const char* name, char* address) {
    return guarded(0, [&] {
        if (!address) return 0;
        address[0] = '\0';
        copyToBuffer(accountAddressByName(orEmpty(name)), address, kProfileValueSize);
        return 0;
    });
}

int UTILAPI UpdateAllClients(void) {
    return guarded(0, [] {
        for (int i = 0; i < kMaxNotifiedAccounts; ++i) {
            std::string section = accountSection(i);
            if (key(section, "folder").empty()) break;
            notifyAccount(section);
        }
        return 0;
    });
}

int UTILAPI UpdateClient(const char* name) {
    return guarded(0, [&] {
        std::string_view wanted = orEmpty(name);
        for (int i = 0; i < kMaxNotifiedAccounts; ++i) {
            std::string section = accountSection(i);
            std::string listed = key(section, "name");
            if (listed.empty()) break;
            if (equalsIgnoringCase(listed, wanted)) {
                notifyAccount(section);
                break;
            }
        }
        return 0;
    });
}

}  // extern "C"
