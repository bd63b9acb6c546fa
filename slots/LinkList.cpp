#include "slots/LinkList.h"

#include <stdexcept>
#include <utility>

namespace {

// A link either names a node or ends the chain; anything else must never be followed.
bool Is_Link(int V) {
    return V == Nil_Slot || Is_Node_Index(V);
}

Slot_Node& At(LinkList& L, int Idx) {
    return L.Nodes[static_cast<size_t>(Idx)];
}

} // namespace

Slot_Node& Node(LinkList& L, int Idx) {
    if (!Is_Node_Index(Idx)) throw std::out_of_range("slot index out of range");
    return L.Nodes[static_cast<size_t>(Idx)];
}

const Slot_Node& Node(const LinkList& L, int Idx) {
    if (!Is_Node_Index(Idx)) throw std::out_of_range("slot index out of range");
    return L.Nodes[static_cast<size_t>(Idx)];
}

// Free nodes have both links nil, so only the head can be chained without a Prev.
bool Is_Chained(const LinkList& L, int Idx) {
    if (!Is_Node_Index(Idx) || L.List_Ubound < 0) return false;
    return Idx == L.Head || L.Nodes[static_cast<size_t>(Idx)].Prev != Nil_Slot;
}

void List_Init(LinkList& L) {
    for (int16_t i = 0; i < Max_Slots; ++i) {
        L.Nodes[i].Prev = Nil_Slot;
        L.Nodes[i].Next = Nil_Slot;
        L.Free_Stack[i] = static_cast<int16_t>(Max_Slots - 1 - i);
    }
    L.Head = Nil_Slot;
    L.Tail = Nil_Slot;
    L.List_Ubound = -1;
    L.Free_Top = Max_Slots - 1;
}

int16_t Pop_Free(LinkList& L) {
    if (L.Free_Top < 0 || L.Free_Top >= Max_Slots) return No_Free_Slot;
    const int16_t Idx = L.Free_Stack[static_cast<size_t>(L.Free_Top)];
    if (!Is_Node_Index(Idx)) return No_Free_Slot;
    --L.Free_Top;
    return Idx;
}

namespace {

// Inserting below a node that is not in the chain would corrupt the links.
bool Can_Insert(const LinkList& L, int16_t Where) {
    const bool Top = Where == Nil_Slot || Where == Pos_Top || L.Head == Nil_Slot;
    const bool Bottom = !Top && (Where == Pos_Bottom || Where == L.Tail);
    if (!Top && !Bottom && !Is_Chained(L, Where)) return false;
    if (!Is_Link(L.Head) || !Is_Link(L.Tail)) return false;
    return Top || Bottom || Is_Link(L.Nodes[static_cast<size_t>(Where)].Next);
}

// Chains the free node NewIdx, already filled, at Where (checked with Can_Insert).
void Link_Node(LinkList& L, int16_t NewIdx, int16_t Where) {
    const bool Top = Where == Nil_Slot || Where == Pos_Top || L.Head == Nil_Slot;
    const bool Bottom = !Top && (Where == Pos_Bottom || Where == L.Tail);
    Slot_Node& New = At(L, NewIdx);
    if (Top) {
        New.Next = L.Head;
        New.Prev = Nil_Slot;
        if (L.Head == Nil_Slot)
            L.Tail = NewIdx;
        else
            At(L, L.Head).Prev = NewIdx;
        L.Head = NewIdx;
    } else if (Bottom) {
        New.Next = Nil_Slot;
        New.Prev = L.Tail;
        if (L.Tail == Nil_Slot)
            L.Head = NewIdx;
        else
            At(L, L.Tail).Next = NewIdx;
        L.Tail = NewIdx;
    } else {
        Slot_Node& W = At(L, Where);
        New.Next = W.Next;
        New.Prev = Where;
        if (W.Next != Nil_Slot) At(L, W.Next).Prev = NewIdx;
        W.Next = NewIdx;
    }
    ++L.List_Ubound;
}

} // namespace

bool List_Insert(LinkList& L, Slot_Record&& Rec, int16_t Where, int16_t& NewIdx) {
    NewIdx = No_Free_Slot;
    if (!Can_Insert(L, Where)) return false;
    NewIdx = Pop_Free(L);
    if (NewIdx == No_Free_Slot) return false;
    At(L, NewIdx).Data = std::move(Rec);
    Link_Node(L, NewIdx, Where);
    return true;
}

bool List_Insert(LinkList& L, const Slot_Record& Rec, int16_t Where, int16_t& NewIdx) {
    // Copied first: running out of memory here must leave the list as it was.
    Slot_Record Copy = Rec;
    return List_Insert(L, std::move(Copy), Where, NewIdx);
}

bool List_Delete(LinkList& L, int16_t Idx) {
    if (L.Free_Top >= Max_Slots - 1 || L.Free_Top < -1) return false;
    // Deleting a free node twice would put it on the free stack twice.
    if (!Is_Chained(L, Idx)) return false;
    Slot_Node& N = At(L, Idx);
    if (!Is_Link(N.Prev) || !Is_Link(N.Next)) return false;
    L.Free_Stack[static_cast<size_t>(++L.Free_Top)] = Idx;
    if (N.Prev != Nil_Slot) {
        At(L, N.Prev).Next = N.Next;
    } else if (N.Next != Nil_Slot) {
        At(L, N.Next).Prev = Nil_Slot;
        L.Head = N.Next;
    } else {
        L.Head = Nil_Slot;
    }
    if (N.Next != Nil_Slot) {
        At(L, N.Next).Prev = N.Prev;
    } else if (N.Prev != Nil_Slot) {
        At(L, N.Prev).Next = Nil_Slot;
        L.Tail = N.Prev;
    } else {
        L.Tail = Nil_Slot;
    }
    N.Prev = Nil_Slot;
    N.Next = Nil_Slot;
    --L.List_Ubound;
    return true;
}

bool List_Move(LinkList& L, int16_t FromIdx, int16_t ToWhere) {
    if (ToWhere == Nil_Slot || FromIdx == Nil_Slot || FromIdx == ToWhere) return false;
    if (!Is_Chained(L, FromIdx)) return false;
    const bool Position_Code = ToWhere == Pos_Top || ToWhere == Pos_Bottom;
    if (!Position_Code && !Is_Chained(L, ToWhere)) return false;
    // The node keeps its record and its index: only the links change, so nothing can fail
    // half way (a copy of a large text could) and leave the list a slot short.
    if (!Can_Insert(L, ToWhere) || !List_Delete(L, FromIdx)) return false;
    --L.Free_Top; // the node the delete just freed
    Link_Node(L, FromIdx, ToWhere);
    return true;
}

bool List_Is_Consistent(const LinkList& L) {
    if (L.List_Ubound < -1 || L.List_Ubound >= Max_Slots) return false;
    if (L.Free_Top != Max_Slots - 2 - L.List_Ubound) return false;
    std::array<bool, Max_Slots> Seen{};
    int Count = 0;
    int Prev = Nil_Slot;
    for (int Idx = L.Head; Idx != Nil_Slot; Idx = L.Nodes[static_cast<size_t>(Idx)].Next) {
        if (!Is_Node_Index(Idx) || Seen[static_cast<size_t>(Idx)]) return false;
        if (L.Nodes[static_cast<size_t>(Idx)].Prev != Prev) return false;
        Seen[static_cast<size_t>(Idx)] = true;
        Prev = Idx;
        ++Count;
    }
    if (Prev != L.Tail || Count != L.List_Ubound + 1) return false;
    for (int K = 0; K <= L.Free_Top; ++K) {
        const int Idx = L.Free_Stack[static_cast<size_t>(K)];
        if (!Is_Node_Index(Idx) || Seen[static_cast<size_t>(Idx)]) return false;
        const Slot_Node& N = L.Nodes[static_cast<size_t>(Idx)];
        if (N.Prev != Nil_Slot || N.Next != Nil_Slot) return false;
        Seen[static_cast<size_t>(Idx)] = true;
    }
    return true; // the counts add up to 71, so every node was seen exactly once
}
