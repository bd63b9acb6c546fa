#include "storage/Data_File.h"
#include "storage/Journal.h"
#include "tests/storage/Byte_Image.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

// Any data file (then, from the first "PLFTJRN2", its journal) loads into a consistent list
// with a usable current slot, and survives a save and a load: bytes compared, a float may be NaN.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    constexpr std::string_view Magic = "PLFTJRN2";
    const uint8_t* End = Data + Size;
    const uint8_t* Split = std::search(Data, End, Magic.begin(), Magic.end());
    World W;
    W.Files.Files[Data_Path] = std::vector<uint8_t>(Data, Split);
    if (Split != End) W.Files.Files[Journal_Path(Data_Path)] = std::vector<uint8_t>(Split, End);
    Stored_Data First = Load_Data(W.Where).Data;
    Load_Journal(W.Where, First);
    const LinkList& L = First.List;
    if (!List_Is_Consistent(L) || (L.List_Ubound >= 0 && !Is_Chained(L, First.Util.Current_Slot)))
        std::abort();
    W.Files.Files.clear();
    if (!W.Save(First).empty()) std::abort();
    const std::vector<uint8_t> Saved = W.File();
    const Stored_Data Again = Load_Data(W.Where).Data;
    if (Again.List != First.List || !W.Save(Again).empty() || W.File() != Saved) std::abort();
    return 0;
}
