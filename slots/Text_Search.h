#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

struct Text_Codec;

// A word looked for in texts without regard to case, whole characters compared as
// Equal_Ignore_Case compares them. Made once per keystroke; the texts are searched as they
// lie, never copied or folded (a folded copy of a full list would not fit in a 32-bit process).
class Caseless_Word {
  public:
    Caseless_Word(std::string_view Word, const Text_Codec& Text);
    bool Found_In(std::string_view Text) const;

  private:
    // Bytes a scan looks for at one place: a character's last bytes in each case.
    struct Byte_Set {
        std::array<bool, 256> Has{};
        std::string List;
    };
    size_t Next_Candidate(std::string_view Text, size_t From) const;
    bool Matches_At(std::string_view Text, size_t At) const;

    const Text_Codec& Text_;
    std::vector<char32_t> Chars_, Upper_;
    size_t Anchor_ = 0; // the character the scan looks for
    // A later character whose last byte lies Span_ bytes after the anchor's in every case
    // (0: none). Both are looked for at once, so a word's common start alone stops nothing.
    size_t Span_ = 0;
    Byte_Set Lead_, Pair_;
    // The last bytes of the character before the anchor, the first bytes of the one after it.
    std::array<bool, 256> Before_{}, After_{};
};
