// An alias of the server: mail to one address goes to another address, to
// every address of an address list, or to every mailbox. Stored as one
// value "address~type~target" (section alias, keys map0, map1, ...).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace admin {

enum AliasType { kToAddress = 0, kToList = 1, kToAllMailboxes = 2 };

struct Alias {
    std::string address;
    int type = kToAddress;
    std::string target;  // the address or the list's name; empty for all mailboxes
};

// "%s~%d~%s": an alias to all mailboxes ends with "~".
std::string aliasRecord(const Alias& alias);

// The record split at "~" with empty pieces skipped: address, type (its
// leading digits, 0 without), target. Nothing for a record without pieces.
std::optional<Alias> parseAlias(std::string_view record);

// "Convert %s to %s", "Convert %s to list %s" or "Convert %s to all mailboxes".
std::string aliasDisplay(const Alias& alias);

enum class AliasField { Address, Target, List };

struct AliasProblem {
    AliasField field;
    std::string message;
};

// The Save checks of an alias being edited, in the order they are made.
// An address or target holding "~" is refused: it would split into the
// wrong pieces when the record is read back.
std::optional<AliasProblem> checkAlias(const Alias& alias);

}  // namespace admin
