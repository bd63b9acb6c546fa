#include "slots/Slot_Text.h"

#include <algorithm>
#include <cstring>

namespace {

bool Is_Break(char C) {
    return C == '\r' || C == '\n';
}

// Position of the first CR or LF at or after From, or the text's size. Cache-sized chunks so
// that both searches read each byte from memory once.
size_t Find_Break(std::string_view S, size_t From) {
    constexpr size_t Chunk = 16 * 1024;
    const char* Base = S.data();
    for (size_t At = From; At < S.size(); At += Chunk) {
        const size_t Len = std::min(Chunk, S.size() - At);
        const void* Lf = std::memchr(Base + At, '\n', Len);
        const size_t Cr_Len =
            Lf ? static_cast<size_t>(static_cast<const char*>(Lf) - (Base + At)) : Len;
        const void* Cr = std::memchr(Base + At, '\r', Cr_Len);
        if (Cr) return static_cast<size_t>(static_cast<const char*>(Cr) - Base);
        if (Lf) return static_cast<size_t>(static_cast<const char*>(Lf) - Base);
    }
    return S.size();
}

} // namespace

Line_Span Find_Line_End(std::string_view Text, size_t From) {
    const size_t End = Find_Break(Text, std::min(From, Text.size()));
    size_t Next = End;
    if (End < Text.size()) {
        ++Next;
        if (Next < Text.size() && Is_Break(Text[Next]) && Text[Next] != Text[End]) ++Next;
    }
    return {End, Next};
}

void Slot_Text::Find_Lines() const {
    size_t From = 0;
    uint8_t Count = 0;
    while (Count < Max_Lines) {
        const Line_Span L = Find_Line_End(str(), From);
        Lines_[Count++] = L;
        if (L.End >= size()) break;
        From = L.Next;
    }
    Line_Count_ = Count;
}
