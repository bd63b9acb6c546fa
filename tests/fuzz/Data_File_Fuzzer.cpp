#include "storage/Utilities.h"
#include "tests/doubles/Cp1252_Codec.h"
#include "tests/doubles/Memory_File_System.h"

#include <cstdlib>

namespace {

struct Fuzz_Window : Data_Window {
    double L = 0, T = 0, W = 4800, H = 3600;
    bool On_Top = false;
    int WindowState() const override { return 0; }
    double Left() const override { return L; }
    double Top() const override { return T; }
    double Width() const override { return W; }
    double Height() const override { return H; }
    void Set_Left(double V) override { L = V; }
    void Set_Top(double V) override { T = V; }
    void Set_Width(double V) override { W = V; }
    void Set_Height(double V) override { H = V; }
    double Screen_Width() const override { return 15360; }
    double Screen_Height() const override { return 11520; }
    bool Top_Checked() const override { return On_Top; }
    void Set_Top_Checked(bool V) override { On_Top = V; }
};

void Require(bool Condition) {
    if (!Condition) std::abort();
}

} // namespace

// Any file must load into a consistent list with a usable current slot, and what was loaded
// must survive a save and a second load unchanged.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
    Memory_File_System Files;
    Cp1252_Codec Codec;
    const Data_Store Store{Files, Codec, "C:\\PimLoft", "PimLoft"};
    const std::string Path = Data_File_Path(Store.Folder, Store.Title);
    Files.Files[Path].assign(Data, Data + Size);

    Fuzz_Window Win;
    Utilities U;
    LinkList List;
    Load_Data(U, List, Win, Store);
    Require(List_Is_Consistent(List));
    Require(List.List_Ubound < 0 || Is_Chained(List, U.Current_Slot));

    Require(Save_Data(U, List, Win, Store).empty());
    Utilities Again_U;
    LinkList Again;
    Load_Data(Again_U, Again, Win, Store);
    Require(Again == List);
    Require(Again_U.Current_Slot == U.Current_Slot);
    Require(Again_U.Text_Font_Name == U.Text_Font_Name);
    Require(Again_U.Tip_Font_Name == U.Tip_Font_Name);
    return 0;
}
