#include "storage/List_Repair.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

using Marks = std::array<bool, Max_Slots>;

// Follows one kind of link from Start until it leaves the nodes or comes round again.
void Walk(const LinkList& L, int Start, bool Forward, Marks& Seen, std::vector<int16_t>& Out) {
    for (int Idx = Start; Is_Node_Index(Idx) && !Seen[static_cast<size_t>(Idx)];) {
        Seen[static_cast<size_t>(Idx)] = true;
        Out.push_back(static_cast<int16_t>(Idx));
        const Slot_Node& N = L.Nodes[static_cast<size_t>(Idx)];
        Idx = Forward ? N.Next : N.Prev;
    }
}

} // namespace

bool Repair_List(LinkList& L) {
    if (List_Is_Consistent(L)) return false;

    Marks Chained{};
    std::vector<int16_t> Order;
    Walk(L, L.Head, true, Chained, Order);
    // A broken Next must not cost the slots below it: pick them up from the bottom.
    Marks Back_Seen = Chained;
    std::vector<int16_t> Backward;
    Walk(L, L.Tail, false, Back_Seen, Backward);
    Order.insert(Order.end(), Backward.rbegin(), Backward.rend());
    for (int16_t Idx : Backward)
        Chained[static_cast<size_t>(Idx)] = true;

    for (size_t K = 0; K < Order.size(); ++K) {
        Slot_Node& N = L.Nodes[static_cast<size_t>(Order[K])];
        N.Prev = K == 0 ? Nil_Slot : Order[K - 1];
        N.Next = K + 1 == Order.size() ? Nil_Slot : Order[K + 1];
    }
    L.Head = Order.empty() ? Nil_Slot : Order.front();
    L.Tail = Order.empty() ? Nil_Slot : Order.back();
    L.List_Ubound = static_cast<int16_t>(static_cast<int>(Order.size()) - 1);

    // Keep the stored reuse order for the entries that are sound; nodes the stack lost go
    // beneath them, lowest index popped first as on a fresh list.
    Marks Taken = Chained;
    std::vector<int16_t> Kept;
    const int Top = std::clamp<int>(L.Free_Top, -1, Max_Slots - 1);
    for (int K = 0; K <= Top; ++K) {
        const int16_t Idx = L.Free_Stack[static_cast<size_t>(K)];
        if (!Is_Node_Index(Idx) || Taken[static_cast<size_t>(Idx)]) continue;
        Taken[static_cast<size_t>(Idx)] = true;
        Kept.push_back(Idx);
    }
    std::vector<int16_t> Stack;
    for (int Idx = Max_Slots - 1; Idx >= 0; --Idx)
        if (!Taken[static_cast<size_t>(Idx)]) Stack.push_back(static_cast<int16_t>(Idx));
    Stack.insert(Stack.end(), Kept.begin(), Kept.end());
    for (size_t K = 0; K < Stack.size(); ++K) {
        L.Free_Stack[K] = Stack[K];
        Slot_Node& N = L.Nodes[static_cast<size_t>(Stack[K])];
        N.Prev = Nil_Slot;
        N.Next = Nil_Slot;
    }
    L.Free_Top = static_cast<int16_t>(static_cast<int>(Stack.size()) - 1);
    return true;
}
