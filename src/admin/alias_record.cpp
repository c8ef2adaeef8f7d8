#include "admin/alias_record.h"

#include <vector>

#include "accounts/account_rules.h"

namespace admin {
namespace {

constexpr char kSeparator = '~';

bool has(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

int leadingNumber(std::string_view text) {
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9' || value > 100000) break;
        value = value * 10 + (c - '0');
    }
    return value;
}

}  // namespace

std::string aliasRecord(const Alias& alias) {
    return alias.address + kSeparator + std::to_string(alias.type) + kSeparator + alias.target;
}

std::optional<Alias> parseAlias(std::string_view record) {
    std::vector<std::string_view> pieces;
    while (!record.empty()) {
        std::size_t end = record.find(kSeparator);
        std::string_view piece = record.substr(0, end);
        if (!piece.empty()) pieces.push_back(piece);
        record = end == std::string_view::npos ? std::string_view() : record.substr(end + 1);
    }
    if (pieces.empty()) return std::nullopt;
    Alias alias;
    alias.address = pieces[0];
    if (pieces.size() > 1) alias.type = leadingNumber(pieces[1]);
    if (pieces.size() > 2) alias.target = pieces[2];
    return alias;
}

std::string aliasDisplay(const Alias& alias) {
    std::string shown = "Convert " + alias.address;
    switch (alias.type) {
    case kToList:
        return shown + " to list " + alias.target;
    case kToAllMailboxes:
        return shown + " to all mailboxes";
    default:
        return shown + " to " + alias.target;
    }
}

std::optional<AliasProblem> checkAlias(const Alias& a) {
    const std::string invalid = std::string("Please enter a valid email address eg ") + util::kFullAddressExample + "...";
    if (a.address.empty()) return AliasProblem{AliasField::Address, "Please enter an address to convert..."};
    if (!has(a.address, '@')) return AliasProblem{AliasField::Address, invalid};
    if (has(a.address, kSeparator))
        return AliasProblem{AliasField::Address, "Please remove the ~ character from the address to convert..."};
    if (a.type == kToAddress) {
        if (a.target.empty()) return AliasProblem{AliasField::Target, "Please enter an address to convert to..."};
        if (!has(a.target, '@')) return AliasProblem{AliasField::Target, invalid};
        if (has(a.target, kSeparator))
            return AliasProblem{AliasField::Target, "Please remove the ~ character from the address to convert to..."};
    } else if (a.type == kToList) {
        if (a.target.empty()) return AliasProblem{AliasField::List, "Invalid address list..."};
        if (has(a.target, kSeparator))
            return AliasProblem{AliasField::List, "Please choose an address list without ~ in its name..."};
    }
    return std::nullopt;
}

}  // namespace admin
