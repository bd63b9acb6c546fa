#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <utility>

// One line of a text: it ends at its first CR or LF (or the text's end), and the next line
// begins after that break. CR LF and LF CR end one line; two equal breaks end two.
struct Line_Span {
    size_t End = 0;
    size_t Next = 0;
};

// The line that starts at From. At the text's end, End and Next are both its size.
Line_Span Find_Line_End(std::string_view Text, size_t From);

// A slot's text, which also remembers where its first lines end: a slot may hold megabytes on
// one line, and every redraw would otherwise search all of it for a break. The text can only
// be replaced as a whole, so the lines can never describe an older text; and copies share one
// string, so a copy of the whole list (for a save on another thread) costs no copy of a text,
// and whether a text changed since a copy is told by identity, not by comparing megabytes.
class Slot_Text {
  public:
    // Enough for any line height in the 18-px text rectangle of a row.
    static constexpr size_t Max_Lines = 18;

    Slot_Text() = default;
    Slot_Text(std::string S) : Str_(Share(std::move(S))) {}
    Slot_Text(std::string_view S) : Slot_Text(std::string(S)) {}
    Slot_Text(const char* S) : Slot_Text(std::string(S)) {}

    Slot_Text(const Slot_Text&) = default;
    Slot_Text& operator=(const Slot_Text&) = default;
    // The moved-from text is left empty, and its lines must not outlive it.
    Slot_Text(Slot_Text&& O) noexcept
        : Str_(std::move(O.Str_)), Lines_(O.Lines_), Line_Count_(O.Line_Count_) {
        O.Line_Count_ = 0;
    }
    Slot_Text& operator=(Slot_Text&& O) noexcept {
        if (this != &O) {
            Str_ = std::move(O.Str_);
            Lines_ = O.Lines_;
            Line_Count_ = O.Line_Count_;
            O.Line_Count_ = 0;
        }
        return *this;
    }

    const std::string& str() const noexcept { return Str_ ? *Str_ : Empty(); }
    operator const std::string&() const noexcept { return str(); }
    operator std::string_view() const noexcept { return str(); }

    bool empty() const noexcept { return str().empty(); }
    size_t size() const noexcept { return str().size(); }
    const char* data() const noexcept { return str().data(); }
    const char* c_str() const noexcept { return str().c_str(); }
    // The same string, not merely equal text: nothing was stored in between.
    bool Same_As(const Slot_Text& O) const noexcept { return Str_ == O.Str_; }

    // The first lines, at most Max_Lines, found on the first call after the text was set.
    // The last one ends at the text's size unless all Max_Lines were needed.
    std::span<const Line_Span> First_Lines() const {
        if (Line_Count_ == 0) Find_Lines();
        return {Lines_.data(), Line_Count_};
    }

    friend bool operator==(const Slot_Text& A, const Slot_Text& B) {
        return A.Same_As(B) || A.str() == B.str();
    }
    friend bool operator==(const Slot_Text& A, const std::string& B) { return A.str() == B; }
    friend bool operator==(const Slot_Text& A, std::string_view B) { return A.str() == B; }
    friend bool operator==(const Slot_Text& A, const char* B) { return A.str() == B; }

  private:
    // Empty texts share no string.
    static std::shared_ptr<const std::string> Share(std::string&& S) {
        if (S.empty()) return nullptr;
        return std::make_shared<const std::string>(std::move(S));
    }
    static const std::string& Empty() noexcept {
        static const std::string None;
        return None;
    }

    std::shared_ptr<const std::string> Str_;
    // Found lazily, from a const draw; 0 means not yet (every text has at least one line).
    mutable std::array<Line_Span, Max_Lines> Lines_{};
    mutable uint8_t Line_Count_ = 0;

    void Find_Lines() const;
};

// Inline, so only the tests that print a text pull in the iostreams: in the exe they cost
// over half a megabyte.
inline std::ostream& operator<<(std::ostream& Out, const Slot_Text& Text) {
    return Out << Text.str();
}
