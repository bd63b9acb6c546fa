#include "storage/Utilities.h"

#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "storage/Data_File.h"
#include "storage/List_Repair.h"

#include <cmath>
#include <exception>
#include <new>

namespace {

// Whole twips as the window's integer properties round them; NaN and infinities give 0.
long long Whole(double V) {
    if (!std::isfinite(V)) return 0;
    if (V > 1e15) return 1000000000000000LL;
    if (V < -1e15) return -1000000000000000LL;
    return static_cast<long long>(std::nearbyint(V));
}

// A 16-bit field cannot hold a window beyond 32,767 twips; the nearest value it can hold
// keeps the window on the same side of the screen.
int16_t Clamp16(double V) {
    const long long W = Whole(V);
    return static_cast<int16_t>(W < -32768 ? -32768 : W > 32767 ? 32767 : W);
}

int16_t Stored_Bool(bool V) {
    return static_cast<int16_t>(V ? -1 : 0);
}

void Set_Defaults(Utilities& U) {
    Utilities D;
    D.Data_File = U.Data_File;
    D.File_Version = U.File_Version;
    D.Saved_Settings = U.Saved_Settings;
    U = std::move(D);
}

// What each settings field keeps when the file ends before it: the defaults, the centred
// window and the empty list.
Settings_Record Current_Settings(const Utilities& U, const LinkList& List, const Data_Window& Win,
                                 int16_t Reserved) {
    Settings_Record S;
    S.Left = Clamp16(Win.Left());
    S.Top = Clamp16(Win.Top());
    S.Width = Clamp16(Win.Width());
    S.Height = Clamp16(Win.Height());
    S.Ignore_Case = U.Ignore_Case;
    S.Current_Slot = U.Current_Slot;
    S.Reserved = Reserved;
    S.Add_Mode = U.Add_Mode;
    S.Del_Warn = Stored_Bool(U.Del_Warn);
    S.On_Top = Stored_Bool(Win.Top_Checked());
    S.Head = List.Head;
    S.Tail = List.Tail;
    S.List_Ubound = List.List_Ubound;
    S.Free_Top = List.Free_Top;
    S.Text_Font_Name = U.Text_Font_Name;
    S.Text_Font_Size = U.Text_Font_Size;
    S.Text_Font_Bold = Stored_Bool(U.Text_Font_Bold);
    S.Text_Font_Italic = Stored_Bool(U.Text_Font_Italic);
    S.Text_Font_Underline = Stored_Bool(U.Text_Font_Underline);
    S.Print_Tip = Stored_Bool(U.Print_Tip);
    S.Tip_Font_Name = U.Tip_Font_Name;
    S.Tip_Font_Size = U.Tip_Font_Size;
    S.Tip_Font_Bold = Stored_Bool(U.Tip_Font_Bold);
    S.Tip_Font_Italic = Stored_Bool(U.Tip_Font_Italic);
    S.Tip_Font_Underline = Stored_Bool(U.Tip_Font_Underline);
    return S;
}

void Apply_Saved_Settings(Utilities& U, Data_Window& Win) {
    const Settings_Record& S = U.Saved_Settings;
    Win.Set_Left(S.Left);
    Win.Set_Top(S.Top);
    Win.Set_Width(S.Width);
    Win.Set_Height(S.Height);
    Win.Set_Top_Checked(S.On_Top != 0);
    U.Current_Slot = S.Current_Slot;
    U.Add_Mode = S.Add_Mode;
    U.Ignore_Case = S.Ignore_Case;
    U.Text_Font_Name = S.Text_Font_Name;
    U.Text_Font_Size = S.Text_Font_Size;
    U.Text_Font_Bold = S.Text_Font_Bold != 0;
    U.Text_Font_Italic = S.Text_Font_Italic != 0;
    U.Text_Font_Underline = S.Text_Font_Underline != 0;
    U.Tip_Font_Name = S.Tip_Font_Name;
    U.Tip_Font_Size = S.Tip_Font_Size;
    U.Tip_Font_Bold = S.Tip_Font_Bold != 0;
    U.Tip_Font_Italic = S.Tip_Font_Italic != 0;
    U.Tip_Font_Underline = S.Tip_Font_Underline != 0;
    U.Print_Tip = S.Print_Tip != 0;
    U.Del_Warn = S.Del_Warn != 0;
}

// Every command acts on Current_Slot, so it must name a slot of the list. An empty list gets
// the node its first slot will take, as a missing file's 0 does.
void Settle_Current_Slot(Utilities& U, const LinkList& List) {
    if (Is_Chained(List, U.Current_Slot)) return;
    if (List.List_Ubound >= 0)
        U.Current_Slot = List.Head;
    else
        U.Current_Slot = List.Free_Stack[static_cast<size_t>(List.Free_Top)];
}

void Centre_Window(Data_Window& Win) {
    Win.Set_Left(static_cast<double>(Whole(Win.Screen_Width()) / 2 - Whole(Win.Width()) / 2));
    Win.Set_Top(static_cast<double>(Whole(Win.Screen_Height()) / 2 - Whole(Win.Height()) / 2));
}

void Load_File(Utilities& U, LinkList& List, Data_Window& Win, const Data_Store& Store) {
    U.Data_File = Data_File_Path(Store.Folder, Store.Title);
    Centre_Window(Win);
    Set_Defaults(U);
    List = LinkList{};
    List_Init(List);
    U.Saved_Settings = Current_Settings(U, List, Win, U.Saved_Settings.Reserved);

    const File_Read File = Store.Files.Read_File(U.Data_File);
    if (File.Status != Read_Status::Ok) return;
    Settings_Record Saved = U.Saved_Settings;
    LinkList Loaded = List;
    std::string Version;
    const bool Used = Read_Data_File(File.Bytes, Store.Text, Saved, Loaded, Version);
    U.File_Version = Version;
    // An unknown version or an older text file is treated like a missing file.
    if (!Used) return;
    Repair_List(Loaded);
    List = std::move(Loaded);
    U.Saved_Settings = std::move(Saved);
    Apply_Saved_Settings(U, Win);
    Settle_Current_Slot(U, List);
}

} // namespace

std::string Path_In_Folder(const std::string& Folder, const std::string& Name) {
    const bool Ends_In_Separator =
        !Folder.empty() && (Folder.back() == '\\' || Folder.back() == '/');
    return Folder + (Ends_In_Separator ? "" : "\\") + Name;
}

std::string Data_File_Path(const std::string& Folder, const std::string& Title) {
    return Path_In_Folder(Folder, Title + ".ini");
}

void Load_Data(Utilities& U, LinkList& List, Data_Window& Win, const Data_Store& Store) {
    try {
        Load_File(U, List, Win, Store);
    } catch (const std::exception&) {
        // Only memory can run out here; start as if there were no file rather than not at all.
        List = LinkList{};
        List_Init(List);
        Set_Defaults(U);
    }
}

std::string Save_Data(Utilities& U, const LinkList& List, const Data_Window& Win,
                      const Data_Store& Store) {
    if (U.Data_File.empty()) U.Data_File = Data_File_Path(Store.Folder, Store.Title);
    U.File_Version = std::string(Version_1_00_50);
    Settings_Record& S = U.Saved_Settings;
    const Settings_Record Now = Current_Settings(U, List, Win, S.Reserved);
    // A minimised or maximised window keeps the placement last loaded or saved.
    if (Win.WindowState() != 0) {
        const Settings_Record Kept = S;
        S = Now;
        S.Left = Kept.Left;
        S.Top = Kept.Top;
        S.Width = Kept.Width;
        S.Height = Kept.Height;
    } else {
        S = Now;
    }

    const std::string Temporary = U.Data_File + ".tmp";
    try {
        const std::vector<uint8_t> Image = Write_Data_File(S, List, Store.Text);
        std::string Error = Store.Files.Write_New_File(Temporary, Image);
        if (Error.empty()) Error = Store.Files.Replace_File(Temporary, U.Data_File);
        if (Error.empty()) return "";
        Store.Files.Remove_File(Temporary);
        return "The slots could not be saved to " + U.Data_File + ": " + Error;
    } catch (const std::bad_alloc&) {
        Store.Files.Remove_File(Temporary);
        return "The slots could not be saved to " + U.Data_File + ": not enough memory.";
    }
}

Font_Spec Text_Font(const Utilities& U) {
    return {U.Text_Font_Name, U.Text_Font_Size, U.Text_Font_Bold, U.Text_Font_Italic,
            U.Text_Font_Underline};
}

Font_Spec Tip_Font(const Utilities& U) {
    return {U.Tip_Font_Name, U.Tip_Font_Size, U.Tip_Font_Bold, U.Tip_Font_Italic,
            U.Tip_Font_Underline};
}

void Set_Text_Font(Utilities& U, const Font_Spec& F) {
    U.Text_Font_Name = F.Name;
    U.Text_Font_Size = F.Size;
    U.Text_Font_Bold = F.Bold;
    U.Text_Font_Italic = F.Italic;
    U.Text_Font_Underline = F.Underline;
}

void Set_Tip_Font(Utilities& U, const Font_Spec& F) {
    U.Tip_Font_Name = F.Name;
    U.Tip_Font_Size = F.Size;
    U.Tip_Font_Bold = F.Bold;
    U.Tip_Font_Italic = F.Italic;
    U.Tip_Font_Underline = F.Underline;
}
