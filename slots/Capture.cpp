#include "slots/Capture.h"

#include "platform/Clipboard.h"
#include "platform/Text.h"
#include "platform/Trace.h"
#include "slots/Utf8.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <utility>

namespace {

// Length of the common prefix of A and B (N bytes each). memcmp over blocks that grow while
// they match keeps the long equal runs at memcmp speed; a short first block keeps texts that
// differ every few characters from paying for a large block each time.
size_t Common_Prefix(const char* A, const char* B, size_t N) {
    constexpr size_t Max_Block = 4096;
    size_t Block = 16, I = 0;
    while (I < N) {
        const size_t Len = std::min(Block, N - I);
        if (std::memcmp(A + I, B + I, Len) != 0) break;
        I += Len;
        Block = std::min(Block * 2, Max_Block);
    }
    while (N - I >= 8) {
        uint64_t X, Y;
        std::memcpy(&X, A + I, 8);
        std::memcpy(&Y, B + I, 8);
        if (X != Y) break;
        I += 8;
    }
    while (I < N && A[I] == B[I])
        ++I;
    return I;
}

bool Is_Blank(const Slot_Record& R) {
    return !R.Locked && R.Text.empty() && R.Description.empty();
}

// The target of the placement rule when no blank slot exists; Nil_Slot when there is none.
int16_t Placement_Target(const LinkList& List, int16_t Current_Slot, int16_t Add_Mode) {
    const auto Unlocked = [&](int16_t I) { return !Node(List, I).Data.Locked; };
    if (Add_Mode == Pos_Top) {
        int16_t I = List.Tail;
        for (int Steps = 0; I != Nil_Slot && Steps < Max_Slots; ++Steps, I = Node(List, I).Prev)
            if (Unlocked(I)) return I;
        return List.Tail;
    }
    // Bottom mode searches from the top; the next-available mode starts below the current slot
    // and wraps round once, so the current slot itself comes last.
    int16_t I = Add_Mode == Pos_Bottom ? List.Head : Node(List, Current_Slot).Next;
    int Wraps = Add_Mode == Pos_Bottom ? 1 : 0;
    for (int Steps = 0; Steps < 2 * Max_Slots + 2; ++Steps) {
        if (I == Nil_Slot) {
            if (++Wraps == 2) break;
            I = List.Head;
            continue;
        }
        if (Unlocked(I)) return I;
        I = Node(List, I).Next;
    }
    return List.Tail;
}

} // namespace

bool Equal_Ignore_Case(const std::string& A, const std::string& B, const Text_Codec& Text) {
    size_t IA = 0, IB = 0;
    for (;;) {
        const size_t N = std::min(A.size() - IA, B.size() - IB);
        const size_t Same = Common_Prefix(A.data() + IA, B.data() + IB, N);
        IA += Same;
        IB += Same;
        if (IA == A.size() || IB == B.size()) return IA == A.size() && IB == B.size();
        // Fold whole characters: step back to where the differing character starts (the
        // bytes before it are equal, so both texts start it at the same distance back).
        size_t Back = 0;
        while (Back < Same && (Is_Continuation_Byte(static_cast<unsigned char>(A[IA - Back])) ||
                               Is_Continuation_Byte(static_cast<unsigned char>(B[IB - Back]))))
            ++Back;
        IA -= Back;
        IB -= Back;
        const char32_t CA = Next_Code_Point(A, IA);
        const char32_t CB = Next_Code_Point(B, IB);
        if (CA != CB && Text.Upper_Case(CA) != Text.Upper_Case(CB)) return false;
    }
}

std::string First_Line_Description(const std::string& Str) {
    const size_t End = std::min(Str.find("\r\n"), Str.size());
    const size_t First = Str.find_first_not_of(' ');
    if (First >= End) return "";
    const size_t Last = Str.find_last_not_of(' ', End - 1);
    // A tool tip shows no more, and a long one-line text must not be stored twice in full.
    return std::string(Cut_Chars(std::string_view(Str).substr(First, Last + 1 - First),
                                 Max_Made_Description_Chars));
}

int Find_Match(const LinkList& List, int16_t Current_Slot, const Capture_Rules& Rules,
               const std::string& Str) {
    int Result = -1;
    int16_t I = List.Head;
    for (int Seen = 0; I != Nil_Slot && Seen <= List.List_Ubound && Is_Node_Index(I); ++Seen) {
        const std::string& Text = List.Nodes[static_cast<size_t>(I)].Data.Text;
        const bool Match =
            Rules.Ignore_Case == 1 ? Equal_Ignore_Case(Str, Text, Rules.Text) : Str == Text;
        if (Match) {
            Result = I;
            if (I == Current_Slot) break;
        }
        I = List.Nodes[static_cast<size_t>(I)].Next;
    }
    return Result;
}

Capture_Result Add_To_Clipboard(LinkList& List, int16_t& Current_Slot, const Capture_Rules& Rules,
                                std::string Str, bool ForceAdd) {
    bool Changed = false;
    try {
        if (Str.empty() || Str.size() > Max_Clip_Bytes) return Capture_Result::Unchanged;

        const int M = ForceAdd ? -1 : Find_Match(List, Current_Slot, Rules, Str);
        if (M >= 0) {
            Slot_Record& Held = Node(List, M).Data;
            if (Held.Text != Str) {
                Held.Text = std::move(Str); // the same text in other case: keep the newer form
            } else if (Current_Slot == M) {
                return Capture_Result::Unchanged;
            }
            Current_Slot = static_cast<int16_t>(M);
            return Capture_Result::Refresh;
        }

        Slot_Record Rec;
        Rec.Description = First_Line_Description(Str);
        Rec.Text = std::move(Str);

        int16_t Target = Nil_Slot;
        int16_t I = List.Head;
        for (int Seen = 0; I != Nil_Slot && Seen <= List.List_Ubound; ++Seen) {
            if (Is_Blank(Node(List, I).Data)) {
                Target = I;
                break;
            }
            I = Node(List, I).Next;
        }
        if (Target == Nil_Slot) Target = Placement_Target(List, Current_Slot, Rules.Add_Mode);
        if (!Is_Chained(List, Target)) return Capture_Result::Unchanged;

        if (Rules.Add_Mode == Pos_Top || Rules.Add_Mode == Pos_Bottom) {
            // The record is moved in, not copied: nothing between the delete and the insert
            // can fail and leave the list a slot short.
            if (!List_Delete(List, Target)) return Capture_Result::Unchanged;
            Changed = true;
            int16_t New_Idx = No_Free_Slot;
            List_Insert(List, std::move(Rec), Rules.Add_Mode, New_Idx);
            Current_Slot = New_Idx;
        } else {
            Node(List, Target).Data = std::move(Rec);
            Current_Slot = Target;
        }
        return Capture_Result::Refresh;
    } catch (const std::exception& Failure) {
        // A capture that fails (a Current_Slot from a damaged file, no memory) ends here and
        // keeps what it already changed; the next copy tries again.
        if (Rules.Log) Rules.Log->Failure("capture", Failure.what());
        return Changed ? Capture_Result::Refresh : Capture_Result::Unchanged;
    }
}

bool Verify_Locks(LinkList& List, const Slot_Record& Blank_Slot) {
    int16_t I = List.Head;
    for (int Seen = 0; I != Nil_Slot && Seen <= List.List_Ubound && Is_Node_Index(I); ++Seen) {
        if (!List.Nodes[static_cast<size_t>(I)].Data.Locked) return false;
        I = List.Nodes[static_cast<size_t>(I)].Next;
    }
    int16_t New_Idx = No_Free_Slot;
    List_Insert(List, Blank_Slot, Pos_Bottom, New_Idx);
    return true;
}
