#include "transport/smtp_data.h"

#include "frame/ascii_case.h"
#include "transport/smtp_address.h"

#include <string>

namespace util {

bool beginsWithFrom(std::string_view line) {
    return startsWithIgnoringCase(line, "from:");
}

DataOutcome writeMessageData(SpoolLineReader& reader, std::string_view rewriteSender, DataSink& sink) {
    bool skipping = false;
    if (!rewriteSender.empty()) {
        std::string from = "From: ";
        from.append(rewriteSender);
        from += "\r\n";
        if (!sink.write(from)) return DataOutcome::WriteFailed;
        skipping = true;
    }
    bool droppingFolded = false;  // continuation lines of the From line left out
    std::uint64_t total = 0;
    std::string_view line;
    bool ended = false;
    while (reader.next(line, ended)) {
        std::size_t offset = 0;
        bool first = true;
        do {
            std::size_t length = line.size() - offset < kDataPieceMax ? line.size() - offset : kDataPieceMax;
            bool last = offset + length == line.size();
            if (!sink.proceed()) return DataOutcome::Aborted;
            if (first) {
                if (droppingFolded && !continuesHeader(line)) droppingFolded = false;
                bool leaveOut = droppingFolded;
                if (skipping && !leaveOut) {
                    if (line.empty() && ended) {
                        skipping = false;
                    } else if (beginsWithFrom(line)) {
                        skipping = false;
                        droppingFolded = true;
                        leaveOut = true;
                    }
                }
                if (leaveOut) break;
                if (!line.empty() && line[0] == '.' && !sink.write(".")) return DataOutcome::WriteFailed;
            }
            std::string_view piece = line.substr(offset, length);
            if (!piece.empty() && !sink.write(piece)) return DataOutcome::WriteFailed;
            total += piece.size();
            if (last && ended) {
                if (!sink.write("\r\n")) return DataOutcome::WriteFailed;
                total += 2;
            }
            sink.sent(total);
            offset += length;
            first = false;
        } while (offset < line.size());
    }
    return DataOutcome::Sent;
}

}  // namespace util
