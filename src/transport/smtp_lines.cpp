#include "transport/smtp_lines.h"

namespace util {

bool SpoolLineReader::next(std::string_view& line, bool& ended) {
    LinePiece piece;
    if (!lines_.next(pieceLength_, piece)) return false;
    if (piece.endsLine) {
        line = piece.text;
        ended = piece.lineFeed;
        return true;
    }
    joined_.assign(piece.text);
    ended = false;
    while (lines_.next(pieceLength_, piece)) {
        joined_.append(piece.text);
        if (piece.endsLine) {
            ended = piece.lineFeed;
            break;
        }
    }
    line = joined_;
    return true;
}

}  // namespace util
