#include "content/byte_search.h"

#include <cstdint>
#include <cstring>

#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
#include <emmintrin.h>
#endif

namespace util {

const char* findByteInWords(const char* p, const char* end, char c) {
    using Word = std::uintptr_t;
    constexpr Word kOnes = ~Word{0} / 255;
    constexpr Word kHighBits = kOnes * 0x80;
    const Word pattern = kOnes * static_cast<unsigned char>(c);
    while (p < end && (reinterpret_cast<Word>(p) & (sizeof(Word) - 1)) != 0) {
        if (*p == c) return p;
        ++p;
    }
    while (static_cast<std::size_t>(end - p) >= sizeof(Word)) {
        Word word;
        std::memcpy(&word, p, sizeof word);
        Word x = word ^ pattern;
        if ((x - kOnes) & ~x & kHighBits) break;  // some byte of the word is c
        p += sizeof(Word);
    }
    for (; p < end; ++p)
        if (*p == c) return p;
    return nullptr;
}

#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
namespace {

__attribute__((target("sse2"))) const char* findByteSse2(const char* p, const char* end, char c) {
    const __m128i pattern = _mm_set1_epi8(c);
    while (end - p >= 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        if (int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(block, pattern)))
            return p + __builtin_ctz(static_cast<unsigned>(mask));
        p += 16;
    }
    for (; p < end; ++p)
        if (*p == c) return p;
    return nullptr;
}

bool haveSse2() {
    // Asked on first use (not while the DLL loads).
    static const bool sse2 = (__builtin_cpu_init(), __builtin_cpu_supports("sse2"));
    return sse2;
}

}  // namespace

const char* findByte(const char* p, const char* end, char c) {
    return haveSse2() ? findByteSse2(p, end, c) : findByteInWords(p, end, c);
}
#else
const char* findByte(const char* p, const char* end, char c) { return findByteInWords(p, end, c); }
#endif

}  // namespace util
