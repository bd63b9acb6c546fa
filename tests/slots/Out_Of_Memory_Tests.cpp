// Memory that runs out in the middle of a move or a capture: the list must stay whole.
#include "slots/Capture.h"
#include "tests/doubles/Cp1252_Codec.h"
#include "tests/doubles/List_Notation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

namespace {
// Large allocations left before the next one fails; negative: none fails.
int Large_Allocations_Left = -1;
constexpr size_t Large = 1 << 16;
const Cp1252_Codec Codec;
} // namespace

void* operator new(size_t Size) {
    if (Size >= Large && Large_Allocations_Left >= 0 && Large_Allocations_Left-- == 0)
        throw std::bad_alloc();
    if (void* P = std::malloc(Size ? Size : 1)) return P;
    throw std::bad_alloc();
}
void operator delete(void* P) noexcept {
    std::free(P);
}
void operator delete(void* P, size_t) noexcept {
    std::free(P);
}

// The copy of a large text fails half way: the slot being moved or replaced must survive.
TEST(Out_Of_Memory, AMoveOrACaptureKeepsEverySlot) {
    const std::string Big(Large, 'x');
    for (const int16_t Mode : {Pos_Top, Pos_Bottom}) {
        SCOPED_TRACE(Mode);
        int16_t Current = 0;
        LinkList L = Build_List("A|*B|C", Current);
        Node(L, Current).Data.Text = Big;
        Large_Allocations_Left = 1;
        EXPECT_NO_THROW(List_Move(L, Current, Mode));
        Large_Allocations_Left = -1;
        EXPECT_EQ(Show_List(L, Current), Mode == Pos_Top ? "*" + Big + "|A|C" : "A|C|*" + Big);
        L = Build_List("A|*B|C", Current);
        Large_Allocations_Left = 1; // the text copied into the new record, then no more
        EXPECT_EQ(Add_To_Clipboard(L, Current, {Mode, 1, Codec}, Big, false),
                  Capture_Result::Refresh);
        Large_Allocations_Left = -1;
        EXPECT_TRUE(List_Is_Consistent(L) && L.List_Ubound == 2);
        EXPECT_EQ(Node(L, Current).Data.Text, Big);
    }
}
