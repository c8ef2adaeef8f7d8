#include "transport/smtp_address.h"

namespace util {
namespace {

struct Prefix {
    const char* text;
    HeaderKind kind;
};

// Compared exactly: the spellings the executable and mail clients write.
// "Bcc:" is the usual spelling and is accepted beside the other three.
constexpr Prefix kPrefixes[] = {
    {"To:", HeaderKind::To},     {"TO:", HeaderKind::To},     {"to:", HeaderKind::To},
    {"From:", HeaderKind::From}, {"FROM:", HeaderKind::From}, {"from:", HeaderKind::From},
    {"Cc:", HeaderKind::Cc},     {"CC:", HeaderKind::Cc},     {"cc:", HeaderKind::Cc},
    {"Bcc:", HeaderKind::Bcc},   {"BCC:", HeaderKind::Bcc},   {"BCc:", HeaderKind::Bcc},
    {"bcc:", HeaderKind::Bcc},
};

std::string_view withoutIndent(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    return line.substr(i);
}

const Prefix* prefixOf(std::string_view line) {
    std::string_view text = withoutIndent(line);
    for (const Prefix& p : kPrefixes) {
        std::string_view prefix(p.text);
        if (text.substr(0, prefix.size()) == prefix) return &p;
    }
    return nullptr;
}

bool oneOf(char c, std::string_view set) { return set.find(c) != std::string_view::npos; }

}  // namespace

HeaderKind headerKind(std::string_view line) {
    if (line.empty()) return HeaderKind::End;
    const Prefix* p = prefixOf(line);
    return p ? p->kind : HeaderKind::Other;
}

std::string_view headerValue(std::string_view line) {
    const Prefix* p = prefixOf(line);
    if (!p) return line;
    std::string_view text = withoutIndent(line);
    return text.substr(std::string_view(p->text).size());
}

std::string senderAddress(std::string_view line) {
    std::size_t at = line.find('@');
    if (at == std::string_view::npos) return {};
    std::size_t start = at;
    while (start > 0 && !oneOf(line[start - 1], " \t<")) --start;
    std::size_t end = at;
    while (end < line.size() && !oneOf(line[end], " \t>\r\n")) ++end;
    return std::string(line.substr(start, end - start).substr(0, kSenderMax));
}

void recipientAddresses(std::string_view line, std::vector<std::string>& out) {
    std::size_t from = 0;
    for (;;) {
        std::size_t at = line.find('@', from);
        if (at == std::string_view::npos) return;
        std::size_t start = at;
        while (start > from && !oneOf(line[start - 1], ", \t>\"<")) --start;
        std::size_t end = at;
        while (end < line.size() && !oneOf(line[end], " \t>\"\r\n,")) ++end;
        out.emplace_back(line.substr(start, end - start).substr(0, kRecipientMax));
        from = end;
    }
}

}  // namespace util
