// What the Routing page and its dialogs refuse, and the choices its
// parameter buttons offer: the relay settings' checks in the order the
// "Relay Options" dialog runs them, the character that would break a
// filter record, the local mailbox addresses and the address-list names.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "admin/filter_record.h"

namespace admin {

inline constexpr char kExampleRelayDomain[] = "example.com";
inline constexpr char kExampleRelayAddress[] = "postmaster@example.com";
inline constexpr char kExamplePerson[] = "Jane Smith";

// A filter record is one line of ms.ini whose fields end at "~": no entry
// that becomes part of one may hold that character.
inline constexpr char kFieldEndRefusal[] =
    "The character \"~\" cannot be used in a routing filter...\r\n   Please remove it";
bool holdsFieldEnd(std::string_view text);

inline constexpr char kRelayTextRefusal[] =
    "The characters \":\" and \"~\" cannot be used in relay settings...\r\n   Please remove them";

enum class RelayField {
    SenderDomain, SenderAddress,
    RecipientDomain, RecipientAddress,
    FromDomain, FromName, FromAddress,
    ToDomain, ToName, ToAddress,
};

struct RelayRefusal {
    std::string message;
    RelayField field;
};

// The first failure among the changes that are made, in the order sender,
// recipient, From: line, To: line; within one, the texts its option uses.
std::optional<RelayRefusal> checkRelaySettings(const RelaySettings& settings);

// The full addresses of the local mailboxes, in account order: in
// single-domain mode an address without "@" is completed with "@" and the
// primary domain; in multi-domain mode the first (the postmaster) is the
// administrator's address and the others are taken as stored.
std::vector<std::string> mailboxChoices(std::span<const std::string> addresses, bool singleDomain,
                                        std::string_view primaryDomain, std::string_view administrator);

// The list's name: the file name without ".txt" (in any case).
std::string addressListName(std::string_view fileName);

}  // namespace admin
