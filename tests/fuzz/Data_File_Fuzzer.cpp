#include "storage/Data_File.h"
#include "tests/storage/Byte_Image.h"

#include <cstdlib>

// Any file must load into a consistent list with a usable current slot, and what was loaded
// must survive a save and a second load unchanged: the same slots and every setting, which the
// second save writes byte for byte as the first (a float may be NaN, so bytes, not values).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    World W;
    const Stored_Data First = W.Load(std::vector<uint8_t>(Data, Data + Size)).Data;
    const LinkList& L = First.List;
    if (!List_Is_Consistent(L) || (L.List_Ubound >= 0 && !Is_Chained(L, First.Util.Current_Slot)))
        std::abort();
    if (!W.Save(First).empty()) std::abort();
    const std::vector<uint8_t> Saved = W.File();
    const Stored_Data Again = Load_Data(W.Where).Data;
    if (Again.List != First.List || !W.Save(Again).empty() || W.File() != Saved) std::abort();
    return 0;
}
