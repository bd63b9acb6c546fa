#pragma once
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct Text_Codec;

// The system's case rules over the Basic Multilingual Plane, asked once: asking per keystroke
// took the codec 65,536 calls for every character typed. Never changed once made, so searches
// on any thread may share it. Outside the plane a character equals only itself.
class Case_Table {
  public:
    explicit Case_Table(const Text_Codec& Text);
    char32_t Upper(char32_t C) const { return C < Upper_.size() ? Upper_[C] : C; }
    // The characters whose upper case is Upper but which are not Upper themselves.
    std::span<const std::pair<char16_t, char16_t>> Sharing(char32_t Upper) const;

  private:
    std::vector<char16_t> Upper_;
    std::vector<std::pair<char16_t, char16_t>> By_Upper_; // (upper case, character), sorted
};

// A word looked for in texts without regard to case, whole characters compared as
// Equal_Ignore_Case compares them. Made once per keystroke; the texts are searched as they
// lie, never copied or folded (a folded copy of a full list would not fit in a 32-bit process).
class Caseless_Word {
  public:
    Caseless_Word(std::string_view Word, const Case_Table& Cases);
    bool Found_In(std::string_view Text) const;

  private:
    // Bytes a scan looks for at one place: a character's last bytes in each case.
    struct Byte_Set {
        std::array<bool, 256> Has{};
        std::string List;
    };
    size_t Next_Candidate(std::string_view Text, size_t From) const;
    bool Matches_At(std::string_view Text, size_t At) const;

    const Case_Table& Cases_;
    std::vector<char32_t> Chars_, Upper_;
    size_t Anchor_ = 0; // the character the scan looks for
    // A later character whose last byte lies Span_ bytes after the anchor's in every case
    // (0: none). Both are looked for at once, so a word's common start alone stops nothing.
    size_t Span_ = 0;
    Byte_Set Lead_, Pair_;
    // The last bytes of the character before the anchor, the first bytes of the one after it.
    std::array<bool, 256> Before_{}, After_{};
};

// Space, tab and the line breaks: what splits a filter into words.
inline bool Is_Blank_Char(char C) {
    return C == ' ' || C == '\t' || C == '\r' || C == '\n' || C == '\v' || C == '\f';
}

// The words of a filter, each looked for on its own: a text passes when it holds all of them,
// wherever and in whatever order. No words (an empty filter) pass every text.
std::vector<Caseless_Word> Filter_Words(std::string_view Filter, const Case_Table& Cases);
bool Holds_All(std::span<const Caseless_Word> Words, std::string_view Text);
