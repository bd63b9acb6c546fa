#include "tests/storage/Byte_Image.h"

#include <cstdlib>

// Any file must load into a consistent list with a usable current slot, and what was loaded
// must survive a save and a second load unchanged.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    World W;
    W.Load(std::vector<uint8_t>(Data, Data + Size));
    const bool Sound = List_Is_Consistent(W.List) &&
                       (W.List.List_Ubound < 0 || Is_Chained(W.List, W.U.Current_Slot));
    if (!Sound || !W.Save().empty()) std::abort();
    World Again;
    Again.Load(W.File());
    if (Again.List != W.List || Again.U.Current_Slot != W.U.Current_Slot ||
        Again.U.Text_Font_Name != W.U.Text_Font_Name || Again.U.Tip_Font_Name != W.U.Tip_Font_Name)
        std::abort();
    return 0;
}
