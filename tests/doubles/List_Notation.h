#pragma once
#include "slots/LinkList.h"

#include <string>

// A list written as its slots top to bottom, "A|*B|!C": '*' marks the current slot, '!' a
// locked one; each slot's description is its text. Show_List writes a list the same way.
inline LinkList Build_List(const std::string& Rows, int16_t& Current) {
    LinkList L;
    List_Init(L);
    Current = Nil_Slot;
    for (size_t From = 0, End = 0; From <= Rows.size(); From = End + 1) {
        End = std::min(Rows.find('|', From), Rows.size());
        std::string S = Rows.substr(From, End - From);
        const bool Cur = S.starts_with('*') && (S.erase(0, 1), true);
        const bool Locked = S.starts_with('!') && (S.erase(0, 1), true);
        int16_t Idx = 0;
        List_Insert(L, Slot_Record{Locked, S, S}, Pos_Bottom, Idx);
        if (Cur) Current = Idx;
    }
    return L;
}

inline std::string Show_List(const LinkList& L, int16_t Current) {
    std::string Out;
    for (int16_t I = L.Head; I != Nil_Slot; I = Node(L, I).Next) {
        const Slot_Record& D = Node(L, I).Data;
        Out += (I == L.Head ? "" : "|") + std::string(I == Current ? "*" : "") +
               (D.Locked ? "!" : "") + D.Text.str();
    }
    return Out;
}
