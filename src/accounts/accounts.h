// Mailbox account records in ms.ini: look-ups, removal, client
// notification. The accounts dialog and the reminder generator use these.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace util {

// The stored address of the first account whose name matches, ignoring
// case; empty when none does.
std::string accountAddressByName(std::string_view name);

// Every key of one account section, as stored.
struct StoredAccount {
    std::string name, address, folder, password, active, host, port;
};

StoredAccount readAccount(const std::string& section);
void writeAccount(const std::string& section, const StoredAccount& account);

// Removes the account of the section ("mailbox%d") and moves the accounts
// behind it (up to the first section without a name key) one place down,
// with one write of ms.ini. The accounts behind are read before anything is
// deleted, so a failure to obtain memory leaves the list as it was.
// Returns 1 on success, 0 on that failure (the caller tells the user).
int removeAccount(const std::string& section);

// The account listed under exactly this name: its section, user name and
// mailbox folder (without a trailing backslash). An empty path when no
// account has that name.
struct FoundAccount {
    std::string section;
    std::string folder;
    std::string path;
};
FoundAccount findAccount(std::string_view name);

// The accounts from mailbox0 up to the first section without a name key,
// each at its number (one with an empty name too), as the uniqueness
// checks and the lists need them; one call a section.
std::vector<StoredAccount> listAccounts();

// Passes the address of every account (mailbox0 up to the first without an
// address key, at most 32,768; an empty one is passed over) through convert
// and writes back those it changes, with one write of ms.ini.
void rewriteAccountAddresses(const std::function<std::string(const std::string&)>& convert);

// One UDP datagram of the text to host and port; every failure is silent.
void sendAlert(const char* host, const char* port, std::string_view text);

// The update notification "U" for an account section, when it has both a
// host and a port.
void notifyAccount(const std::string& section);

}  // namespace util
