#include "slots/Text_Search.h"

#include "platform/Text.h"
#include "slots/Utf8.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The UTF-8 lead byte of a code point.
unsigned char Lead_Byte(char32_t C) {
    if (C < 0x80) return static_cast<unsigned char>(C);
    if (C < 0x800) return static_cast<unsigned char>(0xC0 | (C >> 6));
    if (C < 0x10000) return static_cast<unsigned char>(0xE0 | (C >> 12));
    return static_cast<unsigned char>(0xF0 | (C >> 18));
}

} // namespace

Caseless_Word::Caseless_Word(std::string_view Word, const Text_Codec& Text) : Text_(Text) {
    for (size_t I = 0; I < Word.size();) {
        const char32_t C = Next_Code_Point(Word, I);
        Chars_.push_back(C);
        Upper_.push_back(Text.Upper_Case(C));
    }
    if (Chars_.empty()) return;
    // Every character that equals the first one without regard to case. The system's case
    // rules map within the Basic Multilingual Plane; outside it only the character itself.
    const auto Add = [this](unsigned char B) {
        if (!Lead_[B]) Leads_ += static_cast<char>(B);
        Lead_[B] = true;
    };
    const char32_t First = Chars_[0], First_Upper = Upper_[0];
    Add(Lead_Byte(First));
    Add(Lead_Byte(First_Upper));
    for (char32_t C = 0; C < 0x10000; ++C) {
        if (Text.Upper_Case(C) != First_Upper) continue;
        Add(Lead_Byte(C));
        // A stray byte reads as the character of its value.
        if (C >= 0x80 && C < 0x100) Add(static_cast<unsigned char>(C));
    }
}

size_t Caseless_Word::Next_Lead(std::string_view Text, size_t I) const {
    const char* P = Text.data();
    const size_t N = Text.size();
#if defined(__SSE2__)
    // Sixteen bytes at a time against each possible first byte: as fast as a plain byte
    // search runs, whatever the letter's frequency.
    if (Leads_.size() <= 4) {
        __m128i Want[4];
        for (size_t K = 0; K < Leads_.size(); ++K)
            Want[K] = _mm_set1_epi8(Leads_[K]);
        for (; I + 16 <= N; I += 16) {
            const __m128i Bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(P + I));
            __m128i Hit = _mm_cmpeq_epi8(Bytes, Want[0]);
            for (size_t K = 1; K < Leads_.size(); ++K)
                Hit = _mm_or_si128(Hit, _mm_cmpeq_epi8(Bytes, Want[K]));
            if (const int Mask = _mm_movemask_epi8(Hit))
                return I + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(Mask)));
        }
    }
#endif
    if (Leads_.size() == 1) {
        const void* Found = std::memchr(P + I, Leads_[0], N - I);
        return Found ? static_cast<size_t>(static_cast<const char*>(Found) - P) : N;
    }
    while (I < N && !Lead_[static_cast<unsigned char>(P[I])])
        ++I;
    return I;
}

bool Caseless_Word::Matches_At(std::string_view Text, size_t I) const {
    for (size_t K = 0; K < Chars_.size(); ++K) {
        if (I >= Text.size()) return false;
        const char32_t C = Next_Code_Point(Text, I);
        if (C != Chars_[K] && Text_.Upper_Case(C) != Upper_[K]) return false;
    }
    return true;
}

bool Caseless_Word::Found_In(std::string_view Text) const {
    if (Chars_.empty()) return true;
    for (size_t I = Next_Lead(Text, 0); I < Text.size(); I = Next_Lead(Text, I + 1)) {
        // A match starts where a character starts, never inside one.
        if (!Is_Continuation_Byte(static_cast<unsigned char>(Text[I])) && Matches_At(Text, I))
            return true;
    }
    return false;
}
