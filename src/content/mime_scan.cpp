#include "content/mime_scan.h"

#include "content/header_lines.h"
#include "content/line_reader.h"
#include "content/mime_limits.h"

namespace util::mime {

MessageBoundary findMimeBoundary(ByteSource& message) {
    LineReader reader(message);
    LinePiece line;
    MessageBoundary result;
    std::string boundary;
    int state = 0;  // 1: "multipart" seen, 2: "mixed" seen too
    while (reader.next(kScanLineLength, line) && !line.blank()) {
        std::string_view text = line.text;
        if (isTransferEncoding(text)) {
            std::string upper = upperCased(text);
            if (contains(upper, "BASE64")) result.kind = kSingleBase64;
            else if (contains(upper, "QUOTED")) result.kind = kSingleQuoted;
            else if (contains(upper, "BINHEX")) result.kind = kSingleBinHex;
            else if (contains(upper, "UUENCODE")) result.kind = kSingleUuencode;
        }
        if (!isContentType(text) && state < 2) continue;
        forEachToken(text, [&](std::string_view token, std::size_t at) {
            if (state == 0 && startsWithNoCase(token, "multipart")) {
                state = 1;
            } else if (state == 1 && startsWithNoCase(token, "mixed")) {
                state = 2;
            } else if (state == 2 && startsWithNoCase(token, "boundary")) {
                std::string_view value = boundaryValue(text, at);
                // A value longer than the caller's buffer allows is not taken.
                if (value.size() <= kMaxBoundaryLength) boundary.assign(value);
                state = 0;
            }
            return true;
        });
    }
    if (!boundary.empty()) {
        result.kind = kMultipartMixed;
        result.boundary = std::move(boundary);
    }
    return result;
}

namespace {

class PartWalker {
public:
    PartWalker(LineReader& reader, const PartSearch& search, std::uint32_t& counter)
        : reader_(reader), search_(search), counter_(counter) {}

    // Walks one multipart from the reader's position: -1 at its closing
    // delimiter or the end of the input, else the wanted part's position.
    std::int64_t walk(std::string_view delimiter, int depth, PartFound& found) {
        const std::string closing = std::string(delimiter) + "--";
        if (!next()) return -1;
        for (;;) {
            while (!line_.startsLine || !startsWith(line_.text, delimiter))
                if (!reader_.skipToLineBeginning(delimiter) || !next()) return -1;
            const std::int64_t partStart = static_cast<std::int64_t>(reader_.position());
            if (startsWith(line_.text, closing)) return -1;

            bool attachment = false;
            for (bool headers = true; headers;) {
                if (!next()) return -1;
                if (line_.blank()) break;
                std::string_view text = line_.text;
                if (isContentType(text)) {
                    std::string kept(text);
                    std::string upper = upperCased(text);
                    if (contains(upper, "APPLICATION/OCTET-STREAM") || contains(upper, "APPLICATION/RTF") ||
                        contains(upper, "BINHEX")) {
                        attachment = true;
                        headers = false;
                    } else if (contains(upper, "MULTIPART") && depth < kMaxNestedMultiparts) {
                        std::int64_t position = nested(kept, depth, found);
                        if (position >= 0) return position;
                        headers = false;
                    }
                } else if (isDisposition(text)) {
                    if (contains(upperCased(text), "ATTACHMENT")) attachment = true, headers = false;
                } else if (isTransferEncoding(text)) {
                    std::string upper = upperCased(text);
                    if (contains(upper, "UUENCODE") || contains(upper, "BASE64") || contains(upper, "BINHEX"))
                        attachment = true, headers = false;
                }
            }
            if (attachment && ++counter_ == search_.wanted) {
                found.partDelimiter.assign(delimiter.substr(0, kMaxPartDelimiterLength));
                return partStart;
            }
            if (!next()) return -1;
        }
    }

private:
    bool next() { return reader_.next(kScanLineLength, line_); }

    // A nested multipart: finds its boundary on the kept content-type line
    // or the lines after it, then walks it with its own delimiter.
    std::int64_t nested(const std::string& contentType, int depth, PartFound& found) {
        NestedBoundarySearch search;
        bool haveValue = search.examine(contentType);
        while (!haveValue) {
            if (!next() || !search.continuesWith(line_.text)) return -1;
            haveValue = search.examine(line_.text);
        }
        return walk("--" + search.value(), depth + 1, found);
    }

    LineReader& reader_;
    const PartSearch& search_;
    std::uint32_t& counter_;
    LinePiece line_;
};

}  // namespace

PartFound findBoundaryPos(ByteSource& message, const PartSearch& search, std::uint32_t& counter) {
    PartFound found;
    if (search.delimiter.empty()) return found;
    LineReader reader(message);
    if (search.offset >= 1) {
        if (!reader.seek(static_cast<std::uint64_t>(search.offset))) return found;
        counter = search.startCount;
    } else {
        LinePiece line;
        while (reader.next(kScanLineLength, line) && !line.blank()) {
        }
    }
    found.position = PartWalker(reader, search, counter).walk(search.delimiter, 0, found);
    if (found.position < 0) found.partDelimiter.clear();
    return found;
}

}  // namespace util::mime
