// The Domain page's rules: the lines of the domain-conversion table, the
// checks of "Convert Domains" and of Apply in each mode, and how account
// addresses change with the mode.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace admin {

inline constexpr const char* kExampleDomain = "example.com";

enum class MailScope { Internal, External, All };

// "from -> to , internal", " , external" or " , all mail".
std::string conversionLine(std::string_view from, std::string_view to, MailScope scope);

// A domain typed into "Convert Domains": emptyMessage when empty, else
// refused when it holds "@" or a space.
std::optional<std::string> checkConversionDomain(std::string_view domain, const char* emptyMessage);
inline constexpr const char* kConvertFromMissing = "Please enter the domain to convert...";
inline constexpr const char* kConvertToMissing = "Please enter the domain to convert to...";

// Apply's check of the primary domain (single-domain mode) and of the
// administrator's address (multi-domain mode).
std::optional<std::string> checkPrimaryDomain(std::string_view text);
std::optional<std::string> checkAdministratorAddress(std::string_view text);

// An account's stored address in multi-domain mode: a local part gets the
// "@" and domain of the administrator's address; a full address is kept.
// (Single-domain mode keeps the local part, util::localPart.)
std::string fullAddress(std::string_view stored, std::string_view administrator);

}  // namespace admin
