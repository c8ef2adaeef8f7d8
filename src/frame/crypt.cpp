#include "frame/crypt.h"

#include <array>
#include <cctype>
#include <cstring>

namespace util {
namespace {

// The tables are rebuilt for every call: the alphabet C of letters, digits
// and punctuation, the key alphabet A (the key's distinct characters, then
// the rest of C), and eight rows of C rotated to start at the seed's
// characters.
class CryptTables {
public:
    explicit CryptTables(std::string_view key) {
        for (int c = 0; c < 256; ++c)
            if (std::isupper(c) || std::islower(c) || std::isdigit(c) || std::ispunct(c))
                alphabet_[n_++] = static_cast<unsigned char>(c);

        std::array<bool, 256> used{};
        for (unsigned char c : key)
            if (!used[c]) {
                used[c] = true;
                keyAlphabet_[keyLen_++] = c;
            }
        for (int i = 0; i < n_; ++i)
            if (!used[alphabet_[i]]) keyAlphabet_[keyLen_++] = alphabet_[i];

        keyPos_.fill(-1);
        for (int k = keyLen_ - 1; k >= 0; --k) keyPos_[keyAlphabet_[k]] = k;

        static constexpr char seed[] = "Rq52-tKw";
        for (int r = 0; r < 8; ++r) {
            int p = positionInAlphabet(static_cast<unsigned char>(seed[r]));
            if (p < 0) p = 0;
            rowPos_[r].fill(-1);
            for (int j = 0; j < n_; ++j) {
                unsigned char c = alphabet_[(p + j) % n_];
                rows_[r][j] = c;
                rowPos_[r][c] = j;
            }
        }
    }

    unsigned char scramble(unsigned char c, int position) const {
        int k = keyPos_[c];
        // A key character outside the alphabet lengthens A; what lands past
        // the rows' end has no image and stays as it is.
        if (k < 0 || k >= n_ || !inAlphabet(c)) return c;
        return rows_[position % 8][k];
    }

    unsigned char unscramble(unsigned char c, int position) const {
        int k = rowPos_[position % 8][c];
        if (k < 0) return c;
        return keyAlphabet_[k];
    }

private:
    bool inAlphabet(unsigned char c) const { return positionInAlphabet(c) >= 0; }
    int positionInAlphabet(unsigned char c) const {
        for (int i = 0; i < n_; ++i)
            if (alphabet_[i] == c) return i;
        return -1;
    }

    std::array<unsigned char, 256> alphabet_{};
    int n_ = 0;
    std::array<unsigned char, 512> keyAlphabet_{};
    int keyLen_ = 0;
    std::array<int, 256> keyPos_{};
    std::array<std::array<unsigned char, 256>, 8> rows_{};
    std::array<std::array<int, 256>, 8> rowPos_{};
};

}  // namespace

void cryptInPlace(std::string_view key, const char* input, char* output, bool scramble) {
    if (!output) return;
    if (!input) {
        output[0] = '\0';
        return;
    }
    CryptTables tables(key);
    std::size_t length = std::strlen(input);
    for (std::size_t i = 0; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(input[i]);
        int position = static_cast<int>(i % 8);
        if (c != ' ') c = scramble ? tables.scramble(c, position) : tables.unscramble(c, position);
        output[i] = static_cast<char>(c);
    }
    output[length] = '\0';
}

std::string crypt(std::string_view key, std::string_view input, bool scramble) {
    std::string in(input);
    std::string out(in.size(), '\0');
    cryptInPlace(key, in.c_str(), out.data(), scramble);
    return out;
}

}  // namespace util
