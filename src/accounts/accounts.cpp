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

// The keys of an account section with their fields, in the order they are
// written.
struct AccountKey {
    const cfg::TextKey& key;
    std::string StoredAccount::*field;
};
const AccountKey kAccountKeys[] = {
    {cfg::kAccountName, &StoredAccount::name},         {cfg::kAccountAddress, &StoredAccount::address},
    {cfg::kAccountUserName, &StoredAccount::folder},   {cfg::kAccountPassword, &StoredAccount::password},
    {cfg::kAccountActive, &StoredAccount::active},     {cfg::kAccountHost, &StoredAccount::host},
    {cfg::kAccountPort, &StoredAccount::port},
};

StoredAccount accountFrom(const ProfileLines& section) {
    StoredAccount a;
    for (const AccountKey& k : kAccountKeys) a.*k.field = read(section, k.key);
    return a;
}

ProfileLines accountLines(const StoredAccount& a) {
    ProfileLines lines;
    for (const AccountKey& k : kAccountKeys) put(lines, k.key, a.*k.field);
    return lines;
}

// The number of the first of the listed accounts (at most limit) whose name
// passes the test; -1 when none does. An account without a name is passed
// over, the ones behind it are looked at.
template <class Test>
int firstAccountNamed(int limit, Test test) {
    std::vector<std::string> names = readFamily(cfg::kAccountName, limit);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (!names[i].empty() && test(names[i])) return static_cast<int>(i);
    return -1;
}

}  // namespace

std::string accountAddressByName(std::string_view name) {
    int found = firstAccountNamed(cfg::kMaxAccounts, [&](const std::string& listed) {
        return equalsIgnoringCase(listed, name);
    });
    return found < 0 ? std::string() : read(cfg::kAccountAddress, found);
}

StoredAccount readAccount(const std::string& section) { return accountFrom(readSection(section)); }

void writeAccount(const std::string& section, const StoredAccount& a) {
    ProfileLines lines = readSection(section);
    for (const AccountKey& k : kAccountKeys) put(lines, k.key, a.*k.field);
    writeSection(section, lines);
}

void rewriteAccountAddresses(const std::function<std::string(const std::string&)>& convert) {
    const ProfileSnapshot file;
    SectionEdits edits(&file);
    for (int i = 0; i < cfg::kMaxAccounts; ++i) {
        const std::string section = accountSection(i);
        ProfileLines lines = file.section(section);
        if (!has(lines, cfg::kAccountAddress)) break;
        std::string address = read(lines, cfg::kAccountAddress);
        if (address.empty()) continue;
        std::string now = convert(address);
        if (now == address) continue;
        put(lines, cfg::kAccountAddress, now);
        edits.write(section, std::move(lines));
    }
    edits.commit();
}

int removeAccount(const std::string& section) {
    const int index = accountIndexFromSection(section);
    std::vector<StoredAccount> following;
    try {
        const ProfileSnapshot file;
        for (int j = index + 1; index >= 0 && j < cfg::kMaxAccounts; ++j) {
            ProfileLines lines = file.section(cfg::kMailbox, j);
            if (!has(lines, cfg::kAccountName)) break;
            following.push_back(accountFrom(lines));
        }
    } catch (const std::bad_alloc&) {
        return 0;
    }
    SectionEdits edits;
    edits.erase(section);
    for (std::size_t n = 0; n < following.size(); ++n) {
        std::string target = accountSection(index + static_cast<int>(n));
        edits.erase(target);
        edits.write(target, accountLines(following[n]));
    }
    if (!following.empty()) edits.erase(accountSection(index + static_cast<int>(following.size())));
    edits.commit();
    return 1;
}

FoundAccount findAccount(std::string_view name) {
    int found = firstAccountNamed(cfg::kMaxAccounts, [&](const std::string& listed) { return listed == name; });
    if (found < 0) return {};
    FoundAccount account{accountSection(found), read(cfg::kAccountUserName, found), {}};
    account.path = mailboxFolderPath(installFolder(), account.folder);
    return account;
}

std::vector<StoredAccount> listAccounts() {
    std::vector<StoredAccount> accounts;
    const ProfileSnapshot file;
    for (int i = 0; i < cfg::kMaxAccounts; ++i) {
        ProfileLines lines = file.section(cfg::kMailbox, i);
        if (!has(lines, cfg::kAccountName)) break;
        accounts.push_back(accountFrom(lines));
    }
    return accounts;
}

void notifyAccount(const std::string& section) {
    std::string host = read(cfg::kAccountHost, section);
    std::string port = read(cfg::kAccountPort, section);
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
        const ProfileSnapshot file;
        for (int i = 0; i < cfg::kMaxRecords; ++i) {
            ProfileLines account = file.section(cfg::kMailbox, i);
            if (!has(account, cfg::kAccountUserName)) break;
            std::string host = read(account, cfg::kAccountHost), port = read(account, cfg::kAccountPort);
            if (!host.empty() && !port.empty()) sendAlert(host.c_str(), port.c_str(), "U");
        }
        return 0;
    });
}

int UTILAPI UpdateClient(const char* name) {
    return guarded(0, [&] {
        std::string_view wanted = orEmpty(name);
        int found = firstAccountNamed(cfg::kMaxRecords, [&](const std::string& listed) {
            return equalsIgnoringCase(listed, wanted);
        });
        if (found >= 0) notifyAccount(accountSection(found));
        return 0;
    });
}

}  // extern "C"
