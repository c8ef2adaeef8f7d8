// The rules every mailbox account satisfies, and the small conversions the
// account code shares: section names, mailbox folder paths, the port of a
// client notification. The accounts dialog and the setup wizard check a
// typed account with these before they write it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frame/ascii_case.h"

namespace util {

inline constexpr const char* kPostmasterName = "(Postmaster)";
inline constexpr const char* kPostmasterUser = "root";  // its user name, folder and address
inline constexpr const char* kReservedAddressMessage =
    "This address is reserved for server admin commands \r\nPlease choose another...";
inline constexpr const char* kFullAddressExample = "fred@example.com";

// The port a notification goes to when the account's port is not a usable
// number.
inline constexpr int kDefaultAlertPort = 1024;

// Letters a-z, A-Z and digits 0-9 only (an empty text passes).
bool lettersAndDigits(std::string_view text);

// The address up to its first "@": what single-domain mode stores.
std::string_view localPart(std::string_view address);

// The server answers mail to its command addresses itself. Single-domain
// mode compares the whole (already cut) local part, multi-domain mode the
// beginning of the full address, both ignoring case.
bool isReservedAddress(std::string_view address, bool singleDomain);

// The key an account's password is scrambled with: its user name in upper
// case.
std::string accountKey(std::string_view userName);

bool isPostmaster(std::string_view name);
// The user name "root" (any case) needs no password.
bool isRootUser(std::string_view userName);

enum class AccountField { Name, Address, UserName, Password };

// A refusal: the field to put the focus on, the message and its box title.
struct AccountProblem {
    AccountField field;
    std::string message;
    const char* title;
};

struct AccountFields {
    std::string name;
    std::string address;   // single-domain mode: as typed, cut by the check
    std::string userName;  // the "folder" key
    std::string password;  // in clear
};

// The field checks, in the order the dialog makes them. In single-domain
// mode the address is first cut at "@" (the caller writes the cut text back
// into its field).
std::optional<AccountProblem> checkAccountFields(AccountFields& fields, bool singleDomain);

// The setup wizard's first user (single-domain mode), with its own wording
// and "Error" boxes: a real name, an address (cut at "@", not a command
// address), then the user name and password as above.
std::optional<AccountProblem> checkFirstUser(AccountFields& fields);

// A password with a blank or a period, which the server's commands cannot
// carry.
std::optional<AccountProblem> checkPasswordSeparators(std::string_view password);

// Uniqueness against the other accounts, one key at a time: display names
// and user names ignoring case, addresses exactly.
std::optional<AccountProblem> duplicateName(std::string_view name, const std::vector<AccountFields>& others);
std::optional<AccountProblem> duplicateUserName(std::string_view userName, const std::vector<AccountFields>& others);
// newAccount chooses between the two wordings of the address message.
std::optional<AccountProblem> duplicateAddress(std::string_view address, const std::vector<AccountFields>& others,
                                               bool newAccount);
// A new account: address, user name, then display name.
std::optional<AccountProblem> checkNewAccountUnique(const AccountFields& fields,
                                                    const std::vector<AccountFields>& others);

// "mailbox%d".
std::string accountSection(int index);
// The number behind the letter X of a section name taken in upper case
// ("mailbox12" gives 12); -1 when there is none.
int accountIndexFromSection(std::string_view section);

// The install folder's "mailboxes" folder and the account's folder in it,
// without a trailing backslash; a folder given with its trailing backslash
// (a drive root such as "C:\") gets no second one.
std::string mailboxFolderPath(std::string_view installFolder, std::string_view userName);

// A file directly in a folder given with or without its trailing backslash.
std::string fileInFolder(std::string_view folder, std::string_view name);

// The decimal value of a port text (leading blanks, a sign and the digits
// up to the first other character, as the C library reads numbers); 1024
// for 0, negative values, text that is not a number, and values that no
// UDP port can have (above 65535).
int alertPort(std::string_view text);

// The text of a notification datagram, cut to the largest datagram the
// sockets library reports; a report of 0 sets no limit.
std::string_view datagramText(std::string_view text, std::size_t maxDatagram);

}  // namespace util
