#pragma once
#include "slots/Slot_Record.h"

#include <array>
#include <cstdint>

inline constexpr int16_t Max_Slots = 71;
inline constexpr int16_t Nil_Slot = 9988;
inline constexpr int16_t Pos_Top = 1101;
inline constexpr int16_t Pos_Bottom = 9909;
inline constexpr int16_t No_Free_Slot = 1001;
inline constexpr int16_t Mode_Next_Free = 2;

struct Slot_Node {
    int16_t Prev = Nil_Slot;
    int16_t Next = Nil_Slot;
    Slot_Record Data;
    bool operator==(const Slot_Node&) const = default;
};

// The fixed-capacity slot list: nodes chained both ways by index, with a stack of free
// indices. Its whole state is also the stored format, so it stays plain data.
struct LinkList {
    int16_t Head = Nil_Slot;
    int16_t Tail = Nil_Slot;
    std::array<Slot_Node, Max_Slots> Nodes{};
    int16_t List_Ubound = -1;
    std::array<int16_t, Max_Slots> Free_Stack{};
    int16_t Free_Top = -1;
    bool operator==(const LinkList&) const = default;
};

inline bool Is_Node_Index(int Idx) {
    return Idx >= 0 && Idx < Max_Slots;
}

void List_Init(LinkList& L);
int16_t Pop_Free(LinkList& L);
bool List_Insert(LinkList& L, const Slot_Record& Rec, int16_t Where, int16_t& NewIdx);
// Takes Rec's contents: cannot run out of memory.
bool List_Insert(LinkList& L, Slot_Record&& Rec, int16_t Where, int16_t& NewIdx);
bool List_Delete(LinkList& L, int16_t Idx);
bool List_Move(LinkList& L, int16_t FromIdx, int16_t ToWhere);

// Every operation fails cleanly (False, nothing changed) rather than follow a link or a
// free-stack entry outside 0..70, so even a damaged list reaches no memory beyond its nodes.

// Bounds-checked access: an index outside 0..70 throws std::out_of_range.
Slot_Node& Node(LinkList& L, int Idx);
const Slot_Node& Node(const LinkList& L, int Idx);

// True when Idx is a slot of the chain (not a free node).
bool Is_Chained(const LinkList& L, int Idx);

// Do(index, record) for each slot of the chain, top to bottom; a damaged chain ends early.
// Do may change the record, not the links.
template <typename List, typename F> void Each_Slot(List& L, F Do) {
    int16_t I = L.Head;
    for (int Seen = 0; Is_Node_Index(I) && Seen <= L.List_Ubound; ++Seen) {
        auto& N = L.Nodes[static_cast<size_t>(I)];
        Do(I, N.Data);
        I = N.Next;
    }
}

// The invariants: Head..Tail chained both ways without a cycle, List_Ubound + 1 nodes long;
// the free stack holding every other node once, each with nil links.
bool List_Is_Consistent(const LinkList& L);
