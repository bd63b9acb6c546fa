#include "slots/Text_Search.h"

#include "platform/Text.h"
#include "slots/Utf8.h"

#include <algorithm>
#include <cstring>

// GCC and Clang on x86 build the 16-byte scan whatever the target; the 32-bit build, which
// may meet a processor without SSE2, asks the processor first.
#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
#define PIMLOFT_SCAN_16 1
#include <emmintrin.h>
#endif

namespace {

#if PIMLOFT_SCAN_16
bool Has_Sse2() {
#if defined(__SSE2__)
    return true;
#else
    static const bool Has = (__builtin_cpu_init(), __builtin_cpu_supports("sse2"));
    return Has;
#endif
}

// Where in 16 bytes from At one of the bytes of List (one to four) lies.
__attribute__((target("sse2"))) __m128i Any_Of(const std::string& List, const char* At) {
    const __m128i Bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(At));
    __m128i Hit = _mm_cmpeq_epi8(Bytes, _mm_set1_epi8(List[0]));
    for (size_t K = 1; K < List.size(); ++K)
        Hit = _mm_or_si128(Hit, _mm_cmpeq_epi8(Bytes, _mm_set1_epi8(List[K])));
    return Hit;
}

// Sixteen places at a time: as fast as a plain byte search runs, whatever the letters'
// frequency. Stops where fewer than 16 places are left (returns that place).
__attribute__((target("sse2"))) size_t Scan_16(const char* P, size_t I, size_t N,
                                               const std::string& Lead, const std::string& Pair,
                                               size_t Span) {
    for (; I + Span + 16 <= N; I += 16) {
        __m128i Hit = Any_Of(Lead, P + I);
        if (Span > 0) Hit = _mm_and_si128(Hit, Any_Of(Pair, P + I + Span));
        if (const int Mask = _mm_movemask_epi8(Hit))
            return I + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(Mask)));
    }
    return I;
}
#endif

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

// The UTF-8 length of a code point.
size_t Utf8_Length(char32_t C) {
    return C < 0x80 ? 1 : C < 0x800 ? 2 : C < 0x10000 ? 3 : 4;
}

} // namespace

Case_Table::Case_Table(const Text_Codec& Text) : Upper_(0x10000) {
    for (char32_t C = 0; C < 0x10000; ++C) {
        const char32_t U = Text.Upper_Case(C);
        Upper_[C] = static_cast<char16_t>(U < 0x10000 ? U : C);
        if (Upper_[C] != C) By_Upper_.emplace_back(Upper_[C], static_cast<char16_t>(C));
    }
    std::sort(By_Upper_.begin(), By_Upper_.end());
}

std::span<const std::pair<char16_t, char16_t>> Case_Table::Sharing(char32_t Upper) const {
    if (Upper >= 0x10000) return {};
    const auto U = static_cast<char16_t>(Upper);
    const auto Ends =
        std::equal_range(By_Upper_.begin(), By_Upper_.end(), std::pair(U, char16_t{}),
                         [](const auto& A, const auto& B) { return A.first < B.first; });
    return {Ends.first, Ends.second};
}

Caseless_Word::Caseless_Word(std::string_view Word, const Case_Table& Cases) : Cases_(Cases) {
    for (size_t I = 0; I < Word.size();) {
        const char32_t C = Next_Code_Point(Word, I);
        Chars_.push_back(C);
        Upper_.push_back(Cases.Upper(C));
    }
    // For each character, the first and last bytes of every character equal to it without
    // regard to case, and their length when all have one.
    const size_t N = Chars_.size();
    std::vector<Byte_Set> Lasts(N);
    std::vector<std::array<bool, 256>> Firsts(N);
    std::vector<size_t> Length(N), Cost(N);
    for (size_t K = 0; K < N; ++K) {
        Length[K] = Utf8_Length(Chars_[K]);
        const auto Add = [&](char32_t C) {
            Firsts[K][Lead_Byte(C)] = Lasts[K].Has[Last_Byte(C)] = true;
            if (Utf8_Length(C) != Length[K]) Length[K] = 0;
        };
        Add(Chars_[K]);
        Add(Upper_[K]);
        for (const auto& Pair : Cases.Sharing(Upper_[K]))
            Add(Pair.second);
        for (int B = 0; B < 256; ++B)
            if (Lasts[K].Has[static_cast<size_t>(B)]) {
                Lasts[K].List += static_cast<char>(B);
                Cost[K] += static_cast<size_t>(Frequency(static_cast<unsigned char>(B)));
            }
        if (Cost[K] < Cost[Anchor_]) Anchor_ = K;
    }
    if (N == 0) return;
    // Two characters looked for together rule out far more than one: the pair least likely
    // in text, and of those the one furthest apart, so that a word's common start (typed
    // while the text holds it everywhere) does not pass.
    size_t Best = SIZE_MAX;
    for (size_t First = 0; First < N; ++First) {
        size_t Span = 0;
        for (size_t Second = First + 1; Second < N && Length[Second] != 0; ++Second) {
            Span += Length[Second];
            if (Lasts[First].List.size() > 4 || Lasts[Second].List.size() > 4) continue;
            const size_t Score = Cost[First] * Cost[Second];
            if (Score > Best || (Score == Best && Span <= Span_)) continue;
            Best = Score;
            Anchor_ = First;
            Span_ = Span;
            Pair_ = Lasts[Second];
        }
    }
    Lead_ = Lasts[Anchor_];
    Before_.fill(true);
    After_.fill(true);
    if (Anchor_ > 0) Before_ = Lasts[Anchor_ - 1].Has;
    if (Anchor_ + 1 < N) After_ = Firsts[Anchor_ + 1];
}

size_t Caseless_Word::Next_Candidate(std::string_view Text, size_t I) const {
    const char* P = Text.data();
    const size_t N = Text.size();
#if PIMLOFT_SCAN_16
    if (Lead_.List.size() <= 4 && Has_Sse2()) {
        I = Scan_16(P, I, N, Lead_.List, Pair_.List, Span_);
        if (I + Span_ + 16 <= N) return I;
    }
#endif
    if (Span_ == 0 && Lead_.List.size() == 1) {
        const void* Found = std::memchr(P + I, Lead_.List[0], N - I);
        return Found ? static_cast<size_t>(static_cast<const char*>(Found) - P) : N;
    }
    for (; I + Span_ < N; ++I)
        if (Lead_.Has[static_cast<unsigned char>(P[I])] &&
            (Span_ == 0 || Pair_.Has[static_cast<unsigned char>(P[I + Span_])]))
            return I;
    return N;
}

bool Caseless_Word::Matches_At(std::string_view Text, size_t I) const {
    for (size_t K = 0; K < Chars_.size(); ++K) {
        if (I >= Text.size()) return false;
        const char32_t C = Next_Code_Point(Text, I);
        if (C != Chars_[K] && Cases_.Upper(C) != Upper_[K]) return false;
    }
    return true;
}

bool Caseless_Word::Found_In(std::string_view Text) const {
    if (Chars_.empty()) return true;
    const auto Is_Tail = [&](size_t I) {
        return Is_Continuation_Byte(static_cast<unsigned char>(Text[I]));
    };
    for (size_t I = Next_Candidate(Text, 0); I < Text.size(); I = Next_Candidate(Text, I + 1)) {
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

std::vector<Caseless_Word> Filter_Words(std::string_view Filter, const Case_Table& Cases) {
    std::vector<Caseless_Word> Words;
    for (size_t I = 0; I < Filter.size();) {
        while (I < Filter.size() && Is_Blank_Char(Filter[I]))
            ++I;
        const size_t Start = I;
        while (I < Filter.size() && !Is_Blank_Char(Filter[I]))
            ++I;
        if (I > Start) Words.emplace_back(Filter.substr(Start, I - Start), Cases);
    }
    return Words;
}

bool Holds_All(std::span<const Caseless_Word> Words, std::string_view Text) {
    return std::ranges::all_of(Words, [&](const Caseless_Word& W) { return W.Found_In(Text); });
}
