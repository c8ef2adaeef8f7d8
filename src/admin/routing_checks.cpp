#include "admin/routing_checks.h"

#include <cctype>

namespace admin {
namespace {

constexpr std::string_view kNotInRelayText = ":~";

bool has(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

std::string example(const char* request, const char* sample) { return std::string(request) + "\r\n   eg " + sample; }

std::optional<std::string> domainProblem(std::string_view domain) {
    if (domain.empty()) return example("Please enter the domain...", kExampleRelayDomain);
    if (has(domain, '@') || has(domain, ' ') || !has(domain, '.'))
        return example("Please enter a valid domain...", kExampleRelayDomain);
    return std::nullopt;
}

std::optional<std::string> addressProblem(std::string_view address) {
    if (address.empty()) return example("Please enter the address...", kExampleRelayAddress);
    if (!has(address, '@') || !has(address, '.') || has(address, ' '))
        return example("Please enter a valid address...", kExampleRelayAddress);
    return std::nullopt;
}

std::optional<std::string> nameProblem(std::string_view name) {
    if (name.empty()) return example("Please a name...", kExamplePerson);
    return std::nullopt;
}

struct Entry {
    std::string_view text;
    std::optional<std::string> (*problem)(std::string_view);
    RelayField field;
};

std::optional<RelayRefusal> firstProblem(std::span<const Entry> entries) {
    for (const Entry& e : entries) {
        if (e.text.find_first_of(kNotInRelayText) != std::string_view::npos) return RelayRefusal{kRelayTextRefusal, e.field};
        if (auto message = e.problem(e.text)) return RelayRefusal{*message, e.field};
    }
    return std::nullopt;
}

std::optional<RelayRefusal> checkChange(const RelayChange& c, RelayField domain, RelayField name, RelayField address,
                                        bool hasName) {
    if (c.change == 0) return std::nullopt;
    if (c.how != 1) {
        const Entry entries[] = {{c.domain, domainProblem, domain}};
        return firstProblem(entries);
    }
    if (!hasName) {
        const Entry entries[] = {{c.address, addressProblem, address}};
        return firstProblem(entries);
    }
    const Entry entries[] = {{c.name, nameProblem, name}, {c.address, addressProblem, address}};
    return firstProblem(entries);
}

}  // namespace

bool holdsFieldEnd(std::string_view text) { return has(text, kFieldEnd); }

std::optional<RelayRefusal> checkRelaySettings(const RelaySettings& s) {
    using F = RelayField;
    if (auto r = checkChange(s.sender, F::SenderDomain, F::SenderAddress, F::SenderAddress, false)) return r;
    if (auto r = checkChange(s.recipient, F::RecipientDomain, F::RecipientAddress, F::RecipientAddress, false)) return r;
    if (auto r = checkChange(s.fromLine, F::FromDomain, F::FromName, F::FromAddress, true)) return r;
    return checkChange(s.toLine, F::ToDomain, F::ToName, F::ToAddress, true);
}

std::vector<std::string> mailboxChoices(std::span<const std::string> addresses, bool singleDomain,
                                        std::string_view primaryDomain, std::string_view administrator) {
    std::vector<std::string> choices;
    choices.reserve(addresses.size());
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        const std::string& address = addresses[i];
        if (!singleDomain && i == 0) {
            choices.emplace_back(administrator);
        } else if (singleDomain && !has(address, '@')) {
            choices.push_back(address + "@" + std::string(primaryDomain));
        } else {
            choices.push_back(address);
        }
    }
    return choices;
}

std::string addressListName(std::string_view fileName) {
    constexpr std::string_view kExtension = ".txt";
    if (fileName.size() >= kExtension.size()) {
        std::string_view tail = fileName.substr(fileName.size() - kExtension.size());
        bool same = true;
        for (std::size_t i = 0; i < tail.size(); ++i)
            same = same && std::tolower(static_cast<unsigned char>(tail[i])) == kExtension[i];
        if (same) return std::string(fileName.substr(0, fileName.size() - kExtension.size()));
    }
    return std::string(fileName);
}

}  // namespace admin
