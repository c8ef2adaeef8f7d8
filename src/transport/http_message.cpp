#include "transport/http_message.h"

#include <cstdlib>

#include "frame/ascii_case.h"

namespace util {
namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

// A chunked body decoded; nothing when a chunk is cut short or badly sized.
std::optional<std::string> unchunk(std::string_view rest) {
    std::string body;
    for (;;) {
        const std::size_t lineEnd = rest.find('\n');
        if (lineEnd == std::string_view::npos) return std::nullopt;
        std::string_view sizeText = trimmed(rest.substr(0, lineEnd));
        sizeText = sizeText.substr(0, sizeText.find(';'));
        if (sizeText.empty() || sizeText.size() > 8 || sizeText.find_first_not_of("0123456789abcdefABCDEF") != std::string_view::npos)
            return std::nullopt;
        const std::size_t size = std::strtoul(std::string(sizeText).c_str(), nullptr, 16);
        rest.remove_prefix(lineEnd + 1);
        if (size == 0) return body;
        if (rest.size() < size) return std::nullopt;
        body.append(rest.substr(0, size));
        rest.remove_prefix(size);
        if (rest.substr(0, 2) == "\r\n")
            rest.remove_prefix(2);
        else if (rest.substr(0, 1) == "\n")
            rest.remove_prefix(1);
        else
            return std::nullopt;
    }
}

}  // namespace

std::optional<HttpsAddress> parseHttpsAddress(std::string_view address) {
    constexpr std::string_view kScheme = "https://";
    if (asciiLowered(address.substr(0, kScheme.size())) != kScheme) return std::nullopt;
    address.remove_prefix(kScheme.size());
    const std::size_t slash = address.find_first_of("/?");
    std::string_view authority = address.substr(0, slash);
    HttpsAddress out;
    out.target = slash == std::string_view::npos ? "/" : std::string(address.substr(slash));
    if (out.target.front() == '?') out.target.insert(0, "/");
    if (authority.empty() || authority.find('@') != std::string_view::npos) return std::nullopt;
    const std::size_t colon = authority.rfind(':');
    if (colon != std::string_view::npos) {
        std::string_view port = authority.substr(colon + 1);
        if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string_view::npos)
            return std::nullopt;
        out.port = std::atoi(std::string(port).c_str());
        if (out.port <= 0 || out.port > 65535) return std::nullopt;
        authority = authority.substr(0, colon);
    }
    if (authority.empty()) return std::nullopt;
    out.host = std::string(authority);
    return out;
}

std::string formPostRequest(const HttpsAddress& a, std::string_view body) {
    std::string host = a.host;
    if (a.port != 443) host += ":" + std::to_string(a.port);
    const std::string head = "POST " + a.target + " HTTP/1.1\r\nHost: " + host +
                             "\r\nContent-Type: application/x-www-form-urlencoded\r\nAccept: application/json\r\n"
                             "Connection: close\r\nContent-Length: " +
                             std::to_string(body.size()) + "\r\n\r\n";
    // The body holds secrets: one buffer, never grown.
    std::string request;
    request.reserve(head.size() + body.size());
    request.append(head);
    request.append(body);
    return request;
}

std::optional<HttpAnswer> parseHttpAnswer(std::string_view all) {
    const std::size_t headEnd = all.find("\r\n\r\n");
    const std::size_t bareEnd = all.find("\n\n");
    std::size_t end, skip;
    if (headEnd != std::string_view::npos && (bareEnd == std::string_view::npos || headEnd < bareEnd)) {
        end = headEnd;
        skip = 4;
    } else if (bareEnd != std::string_view::npos) {
        end = bareEnd;
        skip = 2;
    } else {
        return std::nullopt;
    }
    std::string_view head = all.substr(0, end);
    std::string_view rest = all.substr(end + skip);

    const std::size_t firstEnd = head.find('\n');
    std::string_view statusLine = trimmed(head.substr(0, firstEnd));
    if (statusLine.substr(0, 5) != "HTTP/") return std::nullopt;
    const std::size_t space = statusLine.find(' ');
    if (space == std::string_view::npos || statusLine.size() < space + 4) return std::nullopt;
    std::string_view code = statusLine.substr(space + 1, 3);
    if (code.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    HttpAnswer answer;
    answer.status = std::atoi(std::string(code).c_str());

    bool chunked = false;
    std::optional<std::size_t> length;
    std::string_view headers = firstEnd == std::string_view::npos ? std::string_view() : head.substr(firstEnd + 1);
    while (!headers.empty()) {
        const std::size_t lineEnd = headers.find('\n');
        std::string_view line = headers.substr(0, lineEnd);
        headers = lineEnd == std::string_view::npos ? std::string_view() : headers.substr(lineEnd + 1);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        const std::string name = asciiLowered(trimmed(line.substr(0, colon)));
        const std::string value = asciiLowered(trimmed(line.substr(colon + 1)));
        if (name == "transfer-encoding" && value.find("chunked") != std::string::npos) chunked = true;
        if (name == "content-length" && !value.empty() && value.size() < 10 &&
            value.find_first_not_of("0123456789") == std::string::npos)
            length = static_cast<std::size_t>(std::strtoul(value.c_str(), nullptr, 10));
    }
    if (chunked) {
        std::optional<std::string> body = unchunk(rest);
        if (!body) return std::nullopt;
        answer.body = std::move(*body);
        answer.delimited = true;
    } else if (length) {
        if (rest.size() < *length) return std::nullopt;
        answer.body = std::string(rest.substr(0, *length));
        answer.delimited = true;
    } else {
        answer.body = std::string(rest);
    }
    return answer;
}

std::string browserPage(int status, std::string_view title, std::string_view text) {
    const std::string body = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + std::string(title) +
                             "</title></head><body><h1>" + std::string(title) + "</h1><p>" + std::string(text) +
                             "</p></body></html>";
    return "HTTP/1.1 " + std::to_string(status) + (status == 200 ? " OK" : " Bad Request") +
           "\r\nContent-Type: text/html; charset=utf-8\r\nCache-Control: no-store\r\nConnection: close\r\n"
           "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

}  // namespace util
