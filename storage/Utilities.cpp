#include "storage/Utilities.h"

#include "platform/FileSystem.h"
#include "platform/Text.h"
#include "storage/Data_File.h"
#include "storage/List_Repair.h"

#include <new>

namespace {

int16_t Stored_Bool(bool V) {
    return static_cast<int16_t>(V ? -1 : 0);
}

Settings_Record To_Record(const Settings& U, const LinkList& List) {
    Settings_Record S;
    const Window_Placement P = U.Placement.value_or(Window_Placement{});
    S.Left = P.Left;
    S.Top = P.Top;
    S.Width = P.Width;
    S.Height = P.Height;
    S.Ignore_Case = U.Ignore_Case;
    S.Current_Slot = U.Current_Slot;
    S.Reserved = U.Reserved;
    S.Add_Mode = U.Add_Mode;
    S.Del_Warn = Stored_Bool(U.Del_Warn);
    S.On_Top = Stored_Bool(U.On_Top);
    S.Head = List.Head;
    S.Tail = List.Tail;
    S.List_Ubound = List.List_Ubound;
    S.Free_Top = List.Free_Top;
    S.Text_Font_Name = U.Text_Font.Name;
    S.Text_Font_Size = U.Text_Font.Size;
    S.Text_Font_Bold = Stored_Bool(U.Text_Font.Bold);
    S.Text_Font_Italic = Stored_Bool(U.Text_Font.Italic);
    S.Text_Font_Underline = Stored_Bool(U.Text_Font.Underline);
    S.Print_Tip = Stored_Bool(U.Print_Tip);
    S.Tip_Font_Name = U.Tip_Font.Name;
    S.Tip_Font_Size = U.Tip_Font.Size;
    S.Tip_Font_Bold = Stored_Bool(U.Tip_Font.Bold);
    S.Tip_Font_Italic = Stored_Bool(U.Tip_Font.Italic);
    S.Tip_Font_Underline = Stored_Bool(U.Tip_Font.Underline);
    return S;
}

Settings From_Record(const Settings_Record& S) {
    Settings U;
    // A file cut short before the placement leaves the window centred.
    if (S.Width > 0 && S.Height > 0)
        U.Placement = Window_Placement{S.Left, S.Top, S.Width, S.Height};
    U.On_Top = S.On_Top != 0;
    U.Current_Slot = S.Current_Slot;
    U.Add_Mode = S.Add_Mode;
    U.Ignore_Case = S.Ignore_Case;
    U.Text_Font = {S.Text_Font_Name, S.Text_Font_Size, S.Text_Font_Bold != 0,
                   S.Text_Font_Italic != 0, S.Text_Font_Underline != 0};
    U.Tip_Font = {S.Tip_Font_Name, S.Tip_Font_Size, S.Tip_Font_Bold != 0, S.Tip_Font_Italic != 0,
                  S.Tip_Font_Underline != 0};
    U.Print_Tip = S.Print_Tip != 0;
    U.Del_Warn = S.Del_Warn != 0;
    U.Reserved = S.Reserved;
    return U;
}

// Every command acts on Current_Slot, so it must name a slot of the list. An empty list gets
// the node its first slot will take, as a missing file's 0 does.
void Settle_Current_Slot(Settings& U, const LinkList& List) {
    if (Is_Chained(List, U.Current_Slot)) return;
    if (List.List_Ubound >= 0)
        U.Current_Slot = List.Head;
    else
        U.Current_Slot = List.Free_Stack[static_cast<size_t>(List.Free_Top)];
}

Stored_Data Fresh_Data() {
    Stored_Data D;
    List_Init(D.List);
    return D;
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

Loaded_Data Load_Data(const Data_Location& Where) {
    Loaded_Data Out{Load_Status::Fresh, Fresh_Data()};
    const File_Read File = Where.Files.Read_File(Where.Data_File);
    if (File.Status != Read_Status::Ok) return Out;
    // What each field keeps when the file ends before it: the defaults and the empty list.
    Settings_Record Saved = To_Record(Out.Data.Util, Out.Data.List);
    LinkList Loaded = Out.Data.List;
    std::string Version;
    // An unknown version or an older text file is treated like a missing file.
    if (!Read_Data_File(File.Bytes, Where.Text, Saved, Loaded, Version)) return Out;
    Repair_List(Loaded);
    Out.Data.List = std::move(Loaded);
    Out.Data.Util = From_Record(Saved);
    Settle_Current_Slot(Out.Data.Util, Out.Data.List);
    Out.Status = Load_Status::Loaded;
    return Out;
}

std::string Save_Data(const Settings& Util, const LinkList& List, const Data_Location& Where) {
    const std::string Temporary = Where.Data_File + ".tmp";
    try {
        const std::vector<uint8_t> Image = Write_Data_File(To_Record(Util, List), List, Where.Text);
        std::string Error = Where.Files.Write_New_File(Temporary, Image);
        if (Error.empty()) Error = Where.Files.Replace_File(Temporary, Where.Data_File);
        if (Error.empty()) return "";
        Where.Files.Remove_File(Temporary);
        return "The slots could not be saved to " + Where.Data_File + ": " + Error;
    } catch (const std::bad_alloc&) {
        Where.Files.Remove_File(Temporary);
        return "The slots could not be saved to " + Where.Data_File + ": not enough memory.";
    }
}
