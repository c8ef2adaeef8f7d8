#include "accounts/account_rules.h"

#include <cstdio>

#include "frame/settings.h"

namespace util {
namespace {

constexpr const char* kCommandNames[] = {"connect",    "adduser",    "deluser", "changeuser",
                                         "listuser",   "serverhelp", "remindme"};

AccountProblem problem(AccountField field, std::string message, const char* title) {
    return {field, std::move(message), title};
}
AccountProblem warning(AccountField field, std::string message) { return problem(field, std::move(message), "Warning"); }

std::string formatted(const char* pattern, std::string_view value) {
    std::string text(pattern);
    std::size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, value);
    return text;
}

// The user name and password rules every account shares; the user name
// "root" needs no password.
std::optional<AccountProblem> checkLogin(const AccountFields& f, const char* title) {
    if (f.userName.empty())
        return problem(AccountField::UserName, "Please enter a pop3 username for this mailbox...", title);
    if (!lettersAndDigits(f.userName))
        return problem(AccountField::UserName, "Please use only a-z and 0-9 characters for the pop3 username...",
                       title);
    if (isRootUser(f.userName)) return std::nullopt;
    if (f.password.empty()) return problem(AccountField::Password, "Please enter a password for this mailbox...", title);
    if (!lettersAndDigits(f.password))
        return problem(AccountField::Password, "Please use only a-z and 0-9 characters for the pop3 password...",
                       title);
    return std::nullopt;
}

}  // namespace

bool lettersAndDigits(std::string_view text) {
    for (char c : text) {
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!ok) return false;
    }
    return true;
}

std::string_view localPart(std::string_view address) { return address.substr(0, address.find('@')); }

bool isReservedAddress(std::string_view address, bool singleDomain) {
    for (const char* command : kCommandNames) {
        if (singleDomain) {
            if (equalsIgnoringCase(address, command)) return true;
        } else {
            std::string prefix = std::string(command) + "@";
            if (startsWithIgnoringCase(address, prefix)) return true;
        }
    }
    return false;
}

std::string accountKey(std::string_view userName) {
    std::string key(userName);
    for (char& c : key) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return key;
}

bool isPostmaster(std::string_view name) { return name == kPostmasterName; }

bool isRootUser(std::string_view userName) { return equalsIgnoringCase(userName, kPostmasterUser); }

std::optional<AccountProblem> checkAccountFields(AccountFields& f, bool singleDomain) {
    if (f.name.empty()) return warning(AccountField::Name, "Please enter a name for this mailbox...");
    if (singleDomain) {
        f.address = std::string(localPart(f.address));
        if (isReservedAddress(f.address, true)) return warning(AccountField::Address, kReservedAddressMessage);
    } else {
        if (f.address.find('@') == std::string::npos)
            return warning(AccountField::Address,
                           std::string("Please enter a full email address eg ") + kFullAddressExample);
        if (isReservedAddress(f.address, false)) return warning(AccountField::Address, kReservedAddressMessage);
    }
    return checkLogin(f, "Warning");
}

std::optional<AccountProblem> checkFirstUser(AccountFields& f) {
    if (f.name.empty()) return problem(AccountField::Name, "Please enter a real name for this mailbox...", "Error");
    if (f.address.empty()) return problem(AccountField::Address, "Please enter an email address...", "Error");
    f.address = std::string(localPart(f.address));
    if (isReservedAddress(f.address, true)) return problem(AccountField::Address, kReservedAddressMessage, "Error");
    return checkLogin(f, "Error");
}

std::optional<AccountProblem> checkPasswordSeparators(std::string_view password) {
    if (password.find_first_of(" .") == std::string_view::npos) return std::nullopt;
    return AccountProblem{AccountField::Password, "Please remove space and period characters from this password",
                          "Error"};
}

std::optional<AccountProblem> duplicateName(std::string_view name, const std::vector<AccountFields>& others) {
    for (const AccountFields& other : others)
        if (equalsIgnoringCase(other.name, name))
            return warning(AccountField::Name, formatted("You already have a mailbox with the name - %s", name));
    return std::nullopt;
}

std::optional<AccountProblem> duplicateUserName(std::string_view userName, const std::vector<AccountFields>& others) {
    for (const AccountFields& other : others)
        if (equalsIgnoringCase(other.userName, userName))
            return warning(AccountField::UserName,
                           formatted("You already have a mailbox with the name [%s]", userName));
    return std::nullopt;
}

std::optional<AccountProblem> duplicateAddress(std::string_view address, const std::vector<AccountFields>& others,
                                               bool newAccount) {
    for (const AccountFields& other : others)
        if (other.address == address)
            return warning(AccountField::Address,
                           formatted(newAccount ? "You already have a mailbox with the address<%s>"
                                                : "You already have a mailbox with the same email address <%s>",
                                     address));
    return std::nullopt;
}

std::optional<AccountProblem> checkNewAccountUnique(const AccountFields& f, const std::vector<AccountFields>& others) {
    if (auto problem = duplicateAddress(f.address, others, true)) return problem;
    if (auto problem = duplicateUserName(f.userName, others)) return problem;
    return duplicateName(f.name, others);
}

std::string accountSection(int index) { return cfg::numbered(cfg::kMailbox, index); }

int accountIndexFromSection(std::string_view section) {
    std::size_t x = std::string_view::npos;
    for (std::size_t i = 0; i < section.size(); ++i)
        if (section[i] == 'x' || section[i] == 'X') {
            x = i;
            break;
        }
    if (x == std::string_view::npos || x + 1 >= section.size()) return -1;
    long value = 0;
    std::size_t i = x + 1;
    if (section[i] < '0' || section[i] > '9') return -1;
    for (; i < section.size() && section[i] >= '0' && section[i] <= '9'; ++i) {
        value = value * 10 + (section[i] - '0');
        if (value >= cfg::kMaxAccounts) return -1;
    }
    return static_cast<int>(value);
}

std::string mailboxFolderPath(std::string_view installFolder, std::string_view userName) {
    std::string path = fileInFolder(installFolder, "mailboxes");
    path += '\\';
    path += userName;
    return path;
}

std::string fileInFolder(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
    path += name;
    return path;
}

int alertPort(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 65535) return kDefaultAlertPort;
    }
    if (negative || value <= 0) return kDefaultAlertPort;
    return static_cast<int>(value);
}

std::string_view datagramText(std::string_view text, std::size_t maxDatagram) {
    if (maxDatagram > 0 && text.size() > maxDatagram) return text.substr(0, maxDatagram);
    return text;
}

}  // namespace util
