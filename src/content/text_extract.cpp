#include "content/text_extract.h"

#include <string>

#include "content/header_lines.h"
#include "content/line_reader.h"
#include "content/mime_limits.h"
#include "content/quoted_printable.h"

namespace util::mime {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

class TextExtractor {
public:
    TextExtractor(ByteSource& message, ByteSink& out) : reader_(message), out_(out) {}

    // The message's header block less its multipart content-type header,
    // which goes with its folded continuation lines.
    void copyHeaderBlock() {
        bool dropping = false;
        while (next()) {
            if (line_.blank()) {
                out_.write(kLineEnd);
                return;
            }
            std::string_view text = line_.text;
            bool continuation = !line_.startsLine || (!text.empty() && (text[0] == ' ' || text[0] == '\t'));
            if (!continuation)
                dropping = isContentType(text) && (contains(text, "multipart") || contains(text, "MULTIPART") ||
                                                   contains(text, "Multipart"));
            if (!dropping) writePiece();
        }
    }

    // A multipart in which no delimiter line was found: its body is the
    // text, from the given position on.
    void copyBodyFrom(std::uint64_t position) {
        if (!reader_.seek(position)) return;
        while (next()) writePiece();
    }

    std::uint64_t position() const { return reader_.position(); }
    bool metDelimiter() const { return metDelimiter_; }

    // Copies the readable parts of one multipart; returns the attachments
    // left out. closed says whether its closing delimiter line was met
    // (it is then the current line).
    std::uint32_t walk(std::string_view delimiter, int depth, bool& closed) {
        const std::string closing = std::string(delimiter) + "--";
        std::uint32_t count = 0;
        bool write = false;  // the preamble is not copied
        bool quoted = false;
        closed = false;
        while (next()) {
            if (!line_.startsLine || !startsWith(line_.text, delimiter)) {
                emit(write, quoted);
                continue;
            }
            metDelimiter_ = true;
            if (startsWith(line_.text, closing)) {
                closed = true;
                return count;
            }
            write = true;
            quoted = false;
            // The part's header lines, none written.
            for (bool headers = true; headers;) {
                if (!next()) return count;
                if (line_.blank()) {
                    emit(write, quoted);
                    break;
                }
                std::string_view text = line_.text;
                bool attachment = false;
                if (isDisposition(text)) {
                    attachment = contains(upperCased(text), "ATTACHMENT");
                } else if (isContentType(text)) {
                    std::string kept(text);
                    std::string upper = upperCased(text);
                    write = false;
                    if (contains(upper, "APPLICATION/OCTET-STREAM") || contains(upper, "APPLICATION/RTF")) {
                        attachment = true;
                    } else {
                        if (contains(upper, "TEXT") || contains(upper, "MESSAGE")) write = true;
                        if (contains(upper, "BINHEX")) {
                            attachment = true;
                        } else if (contains(upper, "MULTIPART")) {
                            Nested result = nested(kept, depth, count);
                            if (result == Nested::kInputEnded) return count;
                            if (result == Nested::kSkipped) write = false;
                            // With the write flag on, the nested closing
                            // delimiter line is written like the lines after it.
                            if (result == Nested::kClosed) emit(write, quoted);
                            headers = false;
                        }
                    }
                } else if (isTransferEncoding(text)) {
                    std::string upper = upperCased(text);
                    if (contains(upper, "UUENCODE") || contains(upper, "BASE64") || contains(upper, "BINHEX")) {
                        attachment = true;
                    } else if (contains(upper, "QUOTED-PRINTABLE")) {
                        write = quoted = true;
                    }
                }
                if (attachment) {
                    // The rest of the part goes by unwritten.
                    ++count;
                    write = false;
                    headers = false;
                }
            }
        }
        return count;
    }

    bool failed() const { return out_.failed(); }

private:
    bool next() { return reader_.next(kScanLineLength, line_); }

    // The current piece as it stands; a line longer than the read limit
    // arrives in pieces, and only its last one ends in CR LF.
    void writePiece() {
        out_.write(line_.text);
        if (line_.endsLine) out_.write(kLineEnd);
    }

    void emit(bool write, bool quoted) {
        if (!write) return;
        if (!quoted) return writePiece();
        decoded_.clear();
        quoted_.more(line_.text, line_.endsLine, decoded_);
        out_.write(decoded_);
    }

    enum class Nested { kClosed, kSkipped, kInputEnded };

    // A nested multipart inside the current part: its boundary from the
    // kept content-type line or the lines after it, then its own walk,
    // whose attachments are added to count. Too deep, or without a
    // boundary, the part is skipped.
    Nested nested(const std::string& contentType, int depth, std::uint32_t& count) {
        if (depth >= kMaxNestedMultiparts) return Nested::kSkipped;
        NestedBoundarySearch search;
        bool haveValue = search.examine(contentType);
        while (!haveValue) {
            if (!next()) return Nested::kInputEnded;
            if (!search.continuesWith(line_.text)) return Nested::kSkipped;
            haveValue = search.examine(line_.text);
        }
        bool closed = false;
        count += walk("--" + search.value(), depth + 1, closed);
        return closed ? Nested::kClosed : Nested::kInputEnded;
    }

    LineReader reader_;
    ByteSink& out_;
    LinePiece line_;
    QuotedPrintableDecoder quoted_;
    std::string decoded_;
    bool metDelimiter_ = false;
};

}  // namespace

std::int32_t extractMimeText(ByteSource& message, ByteSink& out, std::string_view delimiter) {
    if (delimiter.empty()) return -1;
    TextExtractor extractor(message, out);
    extractor.copyHeaderBlock();
    const std::uint64_t body = extractor.position();
    bool closed = false;
    std::uint32_t count = extractor.walk(delimiter, 0, closed);
    if (!extractor.metDelimiter()) extractor.copyBodyFrom(body);
    if (extractor.failed()) return -1;
    return static_cast<std::int32_t>(count & 0x7FFFFFFF);
}

std::int32_t extractMimeTextFile(const char* inName, const char* outName, std::string_view delimiter) {
    if (delimiter.empty()) return -1;
    FileSource in(inName);
    if (!in.isOpen()) return -1;
    FileSink out(outName);
    if (!out.isOpen()) return -1;
    std::int32_t count = extractMimeText(in, out, delimiter);
    return out.close() ? count : -1;
}

}  // namespace util::mime
