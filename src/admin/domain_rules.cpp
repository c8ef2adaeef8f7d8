#include "admin/domain_rules.h"

namespace admin {
namespace {

bool has(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

}  // namespace

std::string conversionLine(std::string_view from, std::string_view to, MailScope scope) {
    static constexpr const char* kScopes[] = {" , internal", " , external", " , all mail"};
    return std::string(from) + " -> " + std::string(to) + kScopes[static_cast<int>(scope)];
}

std::optional<std::string> checkConversionDomain(std::string_view domain, const char* emptyMessage) {
    const std::string invalid = std::string("Please enter a domain eg ") + kExampleDomain;
    if (domain.empty()) return emptyMessage;
    if (has(domain, '@')) return invalid;
    if (has(domain, ' ')) return invalid + " (remove space characters)";
    return std::nullopt;
}

std::optional<std::string> checkPrimaryDomain(std::string_view text) {
    if (text.empty()) return std::string("Please enter a domain name eg ") + kExampleDomain + "...";
    if (has(text, '@'))
        return std::string("Please enter the domain not the email address eg ") + kExampleDomain + "...";
    return std::nullopt;
}

std::optional<std::string> checkAdministratorAddress(std::string_view text) {
    if (text.empty())
        return std::string("Please enter the email address of the administrator eg root@") + kExampleDomain + "...";
    if (!has(text, '@'))
        return std::string("Please enter administrators email address eg root@") + kExampleDomain + "...";
    return std::nullopt;
}

std::string fullAddress(std::string_view stored, std::string_view administrator) {
    if (has(stored, '@')) return std::string(stored);
    std::size_t at = administrator.find('@');
    return std::string(stored) + std::string(at == std::string_view::npos ? std::string_view() : administrator.substr(at));
}

}  // namespace admin
