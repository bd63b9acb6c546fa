#include "slots/Text_Search.h"

#include "platform/Text.h"
#include "slots/Utf8.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The first byte of a code point's UTF-8 form.
unsigned char Lead_Byte(char32_t C) {
    if (C < 0x80) return static_cast<unsigned char>(C);
    if (C < 0x800) return static_cast<unsigned char>(0xC0 | (C >> 6));
    if (C < 0x10000) return static_cast<unsigned char>(0xE0 | (C >> 12));
    return static_cast<unsigned char>(0xF0 | (C >> 18));
}

// The last byte of a code point's UTF-8 form: what tells the letters of one script apart.
unsigned char Last_Byte(char32_t C) {
    return static_cast<unsigned char>(C < 0x80 ? C : 0x80 | (C & 0x3F));
}

// How often a byte turns up in text, roughly: the scan looks for the rarest character.
int Frequency(unsigned char B) {
    static constexpr char English[] = "etaoinshrdlcumwfgypbvkjxqz"; // most frequent first
    if (B == ' ') return 40;
    if (B >= 'a' && B <= 'z')
        return 30 - static_cast<int>(std::string_view(English).find(static_cast<char>(B)));
    if (B >= 0xC0 || B < 0x20) return 12; // lead bytes of non-Latin scripts, line breaks
    if (B >= 0x80) return 3;              // continuation bytes spread over 64 values
    return 2;                             // capitals, digits, punctuation
}

} // namespace

Caseless_Word::Caseless_Word(std::string_view Word, const Text_Codec& Text) : Text_(Text) {
    for (size_t I = 0; I < Word.size();) {
        const char32_t C = Next_Code_Point(Word, I);
        Chars_.push_back(C);
        Upper_.push_back(Text.Upper_Case(C));
    }
    // For each character, the first and last bytes of every character equal to it without
    // regard to case; the scan looks for the last bytes of the one that costs least, and its
    // neighbours' bytes sort out most of what it finds. The system's case rules map within the
    // Basic Multilingual Plane; outside it a character equals only itself.
    std::vector<std::array<bool, 256>> Firsts(Chars_.size()), Lasts(Chars_.size());
    int Best = -1;
    for (size_t K = 0; K < Chars_.size(); ++K) {
        const auto Add = [&](char32_t C) {
            Firsts[K][Lead_Byte(C)] = Lasts[K][Last_Byte(C)] = true;
        };
        Add(Chars_[K]);
        Add(Upper_[K]);
        for (char32_t C = 0; C < 0x10000; ++C)
            if (Text.Upper_Case(C) == Upper_[K]) Add(C);
        int Cost = 0;
        for (int B = 0; B < 256; ++B)
            Cost += Lasts[K][static_cast<size_t>(B)] ? Frequency(static_cast<unsigned char>(B)) : 0;
        if (Best >= 0 && Cost >= Best) continue;
        Best = Cost;
        Anchor_ = K;
    }
    if (Chars_.empty()) return;
    Lead_ = Lasts[Anchor_];
    Before_.fill(true);
    After_.fill(true);
    if (Anchor_ > 0) Before_ = Lasts[Anchor_ - 1];
    if (Anchor_ + 1 < Chars_.size()) After_ = Firsts[Anchor_ + 1];
    for (int B = 0; B < 256; ++B)
        if (Lead_[static_cast<size_t>(B)]) Leads_ += static_cast<char>(B);
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
    const auto Is_Tail = [&](size_t I) {
        return Is_Continuation_Byte(static_cast<unsigned char>(Text[I]));
    };
    for (size_t I = Next_Lead(Text, 0); I < Text.size(); I = Next_Lead(Text, I + 1)) {
        // I holds the anchor character's last byte: back to its start, and from there back
        // over the characters before it in the word. Clipboard text is whole UTF-8, so a
        // character's start is never in doubt.
        size_t Start = I;
        while (Start > 0 && I - Start < 3 && Is_Tail(Start))
            --Start;
        size_t End = Start;
        Next_Code_Point(Text, End);
        const auto Byte = [&](size_t At) { return static_cast<unsigned char>(Text[At]); };
        if (End != I + 1) continue;
        if (Anchor_ + 1 < Chars_.size() && (End == Text.size() || !After_[Byte(End)])) continue;
        if (Anchor_ > 0 && (Start == 0 || !Before_[Byte(Start - 1)])) continue;
        bool Room = true;
        for (size_t K = 0; K < Anchor_ && Room; ++K) {
            Room = Start > 0;
            if (!Room) break;
            --Start;
            while (Start > 0 && Is_Tail(Start))
                --Start;
        }
        if (Room && !Is_Tail(Start) && Matches_At(Text, Start)) return true;
    }
    return false;
}
