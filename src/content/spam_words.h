// Words as the spam lists and the message scanner see them: maximal runs of
// characters between delimiters, compared without regard to case. List
// entries and messages are split at the same delimiter set.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "frame/ascii_case.h"

namespace util::spam {

// A list word keeps at most 255 characters, a message word at most 254;
// the rest of a longer run is dropped.
inline constexpr std::size_t kMaxListWord = 255;
inline constexpr std::size_t kMaxMessageWord = 254;

// The matched text handed back to the caller, terminator excluded.
inline constexpr std::size_t kMaxMatchText = 4095;

namespace detail {
constexpr std::array<bool, 256> makeDelimiters() {
    std::array<bool, 256> table{};
    // NUL separates words too: a message file may hold one, and a word
    // must stay a zero-terminated string.
    const char set[] = " \t\r\n.,-;:\\\"'&()!$%^*=+{}[]|";
    for (std::size_t i = 0; i + 1 < sizeof set; ++i) table[static_cast<unsigned char>(set[i])] = true;
    table[0] = true;
    table[0xA3] = true;  // the pound sign of the Windows-1252 code page
    return table;
}
inline constexpr std::array<bool, 256> kDelimiters = makeDelimiters();
}  // namespace detail

inline bool isDelimiter(char c) { return detail::kDelimiters[static_cast<unsigned char>(c)]; }

// The words of one list line or scanner phrase, each cut to maxWord.
std::vector<std::string> splitWords(std::string_view text, std::size_t maxWord = kMaxListWord);

// Where the bytes of a message or list file come from: a file on the Win32
// side, memory in tests.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Fills up to size bytes; 0 at the end of the input.
    virtual std::size_t read(char* buffer, std::size_t size) = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    std::size_t read(char* buffer, std::size_t size) override;

private:
    std::string_view bytes_;
};

// Buffered reading of a byte source, as lines or as words.
class ByteReader {
public:
    explicit ByteReader(ByteSource& source) : source_(source) {}
    ByteReader(const ByteReader&) = delete;
    ByteReader& operator=(const ByteReader&) = delete;

    // The next line without its line end (LF, and a CR right before it).
    // hadLineEnd tells whether an LF ended it. False at the end of input.
    bool nextLine(std::string& line, bool& hadLineEnd);

    // The next word, cut to maxWord characters. False at the end of input.
    bool nextWord(std::string& word, std::size_t maxWord);

private:
    bool fill();

    ByteSource& source_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::array<char, 16384> buffer_;
};

}  // namespace util::spam
