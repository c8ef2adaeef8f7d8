#include "content/transfer_decoders.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "content/base64_decoder.h"
#include "content/base64_string.h"
#include "content/binhex_decoder.h"
#include "content/line_reader.h"
#include "content/mime_limits.h"
#include "content/quoted_printable.h"

namespace util {

namespace {

constexpr int kOk = 0;
constexpr int kFailed = -1;
constexpr int kEventWarning = 3;
constexpr std::string_view kLineEnd = "\r\n";

// The loop every decoder runs: look at the message queue, read a line, test
// it against the delimiter.
class DecodeLoop {
public:
    enum Step { kLine, kQuit, kEnd, kDelimiter, kReadError };

    DecodeLoop(ByteSource& in, const WorkHooks& hooks, std::string_view delimiter, std::size_t lineLength)
        : reader_(in), hooks_(hooks), delimiter_(delimiter), lineLength_(lineLength) {}

    Step next(LinePiece& piece, bool testDelimiter = true) {
        if (hooks_.quitRequested && hooks_.quitRequested()) return kQuit;
        if (!reader_.next(lineLength_, piece)) return reader_.failed() ? kReadError : kEnd;
        if (testDelimiter && isDelimiterLine(piece)) return kDelimiter;
        return kLine;
    }

    bool isDelimiterLine(const LinePiece& piece) const {
        return piece.startsLine && !delimiter_.empty() && startsWith(piece.text, delimiter_);
    }

    // Offset 1 or more: move to the part's header lines and skip them up
    // to and including the blank line.
    void enterPart(std::int64_t offset) {
        if (offset < 1) return;
        reader_.seek(static_cast<std::uint64_t>(offset));
        LinePiece piece;
        while (reader_.next(lineLength_, piece) && !piece.blank()) {
        }
    }

    LineReader& reader() { return reader_; }

private:
    LineReader reader_;
    const WorkHooks& hooks_;
    std::string_view delimiter_;
    std::size_t lineLength_;
};

// How a decoding that stopped at step ends: a read error or a short write
// is a failure, anything else a success.
int finish(DecodeLoop::Step step, const ByteSink& out) {
    return step == DecodeLoop::kReadError || out.failed() ? kFailed : kOk;
}

template <typename Decode>
int withFiles(const char* inName, const char* outName, Decode&& decode) {
    FileSource in(inName);
    if (!in.isOpen()) return kFailed;
    FileSink out(outName);
    if (!out.isOpen()) return kFailed;
    int result = decode(in, out);
    in.close();
    if (!out.close()) result = kFailed;
    return result;
}

// One uuencoded line: the count character, then groups of four characters
// of six bits each; a character missing at the end of the line counts as
// a space (some encoders strip trailing spaces).
void decodeUuLine(std::string_view line, std::string& out) {
    std::size_t count = line.empty() ? 0 : static_cast<unsigned char>(line[0] - 32) & 63;
    std::string_view data = line.substr(line.empty() ? 0 : 1);
    auto value = [&](std::size_t k) -> unsigned {
        return k < data.size() ? static_cast<unsigned char>(data[k] - 32) & 63 : 0;
    };
    for (std::size_t g = 0; out.size() < count; g += 4) {
        unsigned bytes[3] = {value(g) << 2 | value(g + 1) >> 4, (value(g + 1) & 15) << 4 | value(g + 2) >> 2,
                             (value(g + 2) & 3) << 6 | value(g + 3)};
        for (unsigned b : bytes)
            if (out.size() < count) out += static_cast<char>(b & 0xFF);
    }
}

}  // namespace

int decodeBase64(ByteSource& in, ByteSink& out, const DecodeRange& range, const WorkHooks& hooks) {
    DecodeLoop loop(in, hooks, range.delimiter, mime::kCodedLineLength);
    loop.enterPart(range.offset);
    // The part is one stream of text: its lines are read only to find the
    // delimiter line, which can begin no piece but a line's first.
    Base64Decoder decoder;
    char bytes[Base64Decoder::maxBytes(mime::kCodedLineLength)];
    LinePiece piece;
    for (;;) {
        DecodeLoop::Step step = loop.next(piece);
        char* end = step == DecodeLoop::kLine ? decoder.more(piece.text, bytes) : decoder.finish(bytes);
        std::size_t n = static_cast<std::size_t>(end - bytes);
        if (n && !out.write(bytes, n)) return kFailed;
        if (step != DecodeLoop::kLine) return finish(step, out);
    }
}

int decodeQuoted(ByteSource& in, ByteSink& out, bool copyHeaders, const DecodeRange& range,
                 const WorkHooks& hooks) {
    DecodeLoop loop(in, hooks, range.delimiter, mime::kScanLineLength);
    LinePiece piece;
    if (range.offset >= 1) {
        loop.enterPart(range.offset);
    } else if (copyHeaders) {
        // The header block as it stands, up to and including the blank line.
        for (;;) {
            DecodeLoop::Step step = loop.next(piece, false);
            if (step != DecodeLoop::kLine) return finish(step, out);
            out.write(piece.text);
            if (piece.endsLine && !out.write(kLineEnd)) return kFailed;
            if (piece.blank()) break;
        }
    }
    // A line longer than the read limit goes on in the next piece and
    // decodes as if read whole.
    QuotedPrintableDecoder decoder;
    std::string text;
    for (;;) {
        DecodeLoop::Step step = loop.next(piece);
        if (step != DecodeLoop::kLine) return finish(step, out);
        text.clear();
        decoder.more(piece.text, piece.endsLine, text);
        if (!text.empty() && !out.write(text)) return kFailed;
    }
}

int decodeUuencode(ByteSource& in, ByteSink& out, std::int64_t& position, std::string_view delimiter,
                   const WorkHooks& hooks) {
    DecodeLoop loop(in, hooks, delimiter, mime::kCodedLineLength);
    if (position >= 1) loop.reader().seek(static_cast<std::uint64_t>(position));
    LinePiece piece;
    // The "begin " line; this search goes past delimiter lines.
    for (;;) {
        DecodeLoop::Step step = loop.next(piece, false);
        if (step == DecodeLoop::kQuit) return finish(step, out);
        if (step != DecodeLoop::kLine) return kFailed;
        if (piece.startsLine && startsWith(piece.text, "begin ")) break;
    }
    std::string bytes;
    for (;;) {
        position = static_cast<std::int64_t>(loop.reader().position());
        DecodeLoop::Step step = loop.next(piece, false);
        if (step == DecodeLoop::kQuit) return finish(step, out);
        if (step != DecodeLoop::kLine) return kFailed;  // the block has no end
        if (piece.startsLine && startsWith(piece.text, "end")) {
            position = static_cast<std::int64_t>(loop.reader().position());
            return finish(step, out);
        }
        if (loop.isDelimiterLine(piece)) return finish(step, out);
        bytes.clear();
        decodeUuLine(piece.text, bytes);
        if (bytes.empty()) {
            // A line of no bytes ends the block; an "end" line may follow.
            if (loop.next(piece, false) == DecodeLoop::kLine && piece.startsLine && startsWith(piece.text, "end"))
                position = static_cast<std::int64_t>(loop.reader().position());
            return finish(step, out);
        }
        if (!out.write(bytes)) return kFailed;
    }
}

int decodeBinHexStream(ByteSource& in, ByteSink& stream, const DecodeRange& range, const WorkHooks& hooks) {
    DecodeLoop loop(in, hooks, range.delimiter, mime::kCodedLineLength);
    loop.enterPart(range.offset);
    LinePiece piece;
    // The opening line is the first that begins with ":"; lines before it
    // (the "(This file must be converted ...)" note) are not data.
    DecodeLoop::Step step;
    do {
        step = loop.next(piece, false);
        if (step != DecodeLoop::kLine) return finish(step, stream);
    } while (!piece.startsLine || !startsWith(piece.text, ":"));
    BinHexDecoder decoder(stream);
    decoder.line(piece.text, true);
    while ((step = loop.next(piece)) == DecodeLoop::kLine) decoder.line(piece.text, false);
    decoder.finish();
    return finish(step, stream);
}

int encodeBase64(ByteSource& in, ByteSink& out, const WorkHooks& hooks) {
    // Read, encoded and written many lines at a time: a read and a write a
    // line cost more than the encoding. The message queue is still looked
    // at before every line.
    constexpr std::size_t kLineText = base64Length(mime::kEncodeChunk) + kLineEnd.size();
    const std::size_t blockBytes = mime::kEncodeChunk * mime::kEncodeLinesPerBlock;
    std::vector<char> bytes(blockBytes);
    std::vector<char> text(kLineText * mime::kEncodeLinesPerBlock + kLineEnd.size());
    bool quit = false;
    std::size_t n = 0;
    do {
        n = readFully(in, bytes.data(), blockBytes);
        char* end = text.data();
        for (std::size_t at = 0; at < n; at += mime::kEncodeChunk) {
            if (hooks.quitRequested && hooks.quitRequested()) {
                quit = true;
                break;
            }
            end = encodeBase64Into(std::string_view(bytes.data() + at, std::min(mime::kEncodeChunk, n - at)), end);
            end = std::copy(kLineEnd.begin(), kLineEnd.end(), end);
        }
        if (quit || n < blockBytes) end = std::copy(kLineEnd.begin(), kLineEnd.end(), end);
        if (!out.write(text.data(), static_cast<std::size_t>(end - text.data()))) return kFailed;
    } while (!quit && n == blockBytes);
    return in.failed() ? kFailed : kOk;
}

int decodeBase64File(const char* inName, const char* outName, const DecodeRange& range, const WorkHooks& hooks) {
    return withFiles(inName, outName, [&](ByteSource& in, ByteSink& out) { return decodeBase64(in, out, range, hooks); });
}

int decodeQuotedFile(const char* inName, const char* outName, bool copyHeaders, const DecodeRange& range,
                     const WorkHooks& hooks) {
    return withFiles(inName, outName, [&](ByteSource& in, ByteSink& out) {
        return decodeQuoted(in, out, copyHeaders, range, hooks);
    });
}

int decodeUuencodeFile(const char* inName, const char* outName, std::int64_t& position,
                       std::string_view delimiter, const WorkHooks& hooks) {
    return withFiles(inName, outName, [&](ByteSource& in, ByteSink& out) {
        return decodeUuencode(in, out, position, delimiter, hooks);
    });
}

int decodeBinHexFile(const char* inName, const char* outName, const char* tempName, const DecodeRange& range,
                     const WorkHooks& hooks) {
    if (withFiles(inName, tempName, [&](ByteSource& in, ByteSink& stream) {
            return decodeBinHexStream(in, stream, range, hooks);
        }) != kOk)
        return kFailed;
    FileSource stream(tempName);
    if (!stream.isOpen()) return kFailed;
    BinHexHeader header = readBinHexHeader(stream);
    FileSink out(outName);
    if (!out.isOpen()) return kFailed;
    bool ok = copyDataFork(stream, header, out);
    return out.close() && ok ? kOk : kFailed;
}

int encodeBase64File(const char* inName, const char* outName, const WorkHooks& hooks) {
    auto log = [&](std::string_view text) {
        if (hooks.logEvent) hooks.logEvent(text, kEventWarning);
    };
    FileSource in(inName);
    if (!in.isOpen()) {
        log("Cannot open attachment file");
        return kFailed;
    }
    FileSink out(outName);
    if (!out.isOpen()) {
        log("Cannot open output attachment file");
        return kFailed;
    }
    int result = encodeBase64(in, out, hooks);
    in.close();
    if (!out.close() || result != kOk) {
        std::remove(outName);
        return kFailed;
    }
    return kOk;
}

}  // namespace util
