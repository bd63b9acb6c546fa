#include "storage/Data_Store.h"

#include "platform/File_System.h"
#include "platform/Limits.h"
#include "platform/Text.h"
#include "platform/Trace.h"
#include "storage/Data_File.h"
#include "storage/Extensions.h"
#include "storage/Journal.h"
#include "storage/List_Repair.h"

#include <algorithm>
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

// Settings at their defaults are not written: with them, the extension holds only the mark.
Extensions To_Extensions(const Settings& U, const LinkList& List, const Journal_Mark& Mark) {
    Extensions E;
    const Hotkey K = U.Quick_Paste_Key;
    if (!U.Quick_Paste_On || K != Default_Quick_Paste_Key)
        E[Extension_Tag::Quick_Paste] = {static_cast<uint8_t>(U.Quick_Paste_On ? 1 : 0), K.Key,
                                         K.Modifiers};
    for (auto [Tag, Bytes] : {std::pair{Extension_Tag::History, History_Bytes(U)},
                              {Extension_Tag::Privacy, Privacy_Bytes(U)},
                              {Extension_Tag::Slot_Times, Slot_Times_Bytes(List)}})
        if (!Bytes.empty()) E[Tag] = std::move(Bytes);
    if (Mark.Identity != 0) {
        Byte_Writer W;
        for (uint64_t V : {Mark.Identity, Mark.Upto, Mark.Replaced, Mark.Replaced_Upto})
            W.Write_U64(V);
        E[Extension_Tag::Journal] = std::move(W.Bytes);
    }
    return E;
}

// Anything short or out of range keeps the defaults.
void From_Extensions(const Extensions& E, Settings& U, LinkList& List, Journal_Mark& Mark) {
    const auto Q = E.find(Extension_Tag::Quick_Paste);
    if (Q != E.end() && Q->second.size() >= 3 && Q->second[0] <= 1) {
        U.Quick_Paste_On = Q->second[0] == 1;
        U.Quick_Paste_Key = {Q->second[1], static_cast<uint8_t>(Q->second[2] & 0x0F)};
        No_Key_Is_Off(U);
    }
    if (const auto H = E.find(Extension_Tag::History); H != E.end()) Read_History(H->second, U);
    if (const auto P = E.find(Extension_Tag::Privacy); P != E.end()) Read_Privacy(P->second, U);
    if (const auto T = E.find(Extension_Tag::Slot_Times); T != E.end())
        Read_Slot_Times(T->second, List);
    const auto J = E.find(Extension_Tag::Journal);
    if (J != E.end() && J->second.size() >= 16) {
        Byte_Reader R(J->second);
        for (uint64_t* V : {&Mark.Identity, &Mark.Upto, &Mark.Replaced, &Mark.Replaced_Upto})
            R.Read_U64(*V);
    }
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

// Another program (a backup or a virus scanner) may hold the file for a moment at log-on:
// Read (the whole file or a part of it) is tried again for about a second.
template <typename Reader> File_Read Read_Waiting(File_System& Files, Reader Read) {
    constexpr int Tries = 10, Pause_Ms = 100;
    File_Read File = Read();
    for (int Try = 1; Try < Tries && File.Status == Read_Status::Busy; ++Try) {
        Files.Pause(Pause_Ms);
        File = Read();
    }
    return File;
}

File_Read Read_Part_Waiting(File_System& Files, const std::string& Path, uint64_t Offset,
                            size_t Size) {
    return Read_Waiting(Files, [&] { return Files.Read_Part(Path, Offset, Size); });
}

struct Unreadable {
    std::string Why;
};

// Fills Out from the image; "" when it did, otherwise why the file is not usable.
std::string Parse(const std::vector<uint8_t>& Bytes, const Text_Codec& Text, Loaded_Data& Out,
                  bool Must_Be_Whole) {
    // What each field keeps when the file ends before it: the defaults and the empty list.
    Settings_Record Saved = To_Record(Out.Data.Util, Out.Data.List);
    LinkList Loaded = Out.Data.List;
    std::string Version;
    const Read_Outcome R = Read_Data_File(Bytes, Text, Saved, Loaded, Version);
    if (R == Read_Outcome::Not_Ours) {
        if (Version == "[Positi") return "it is in the text format of an older program";
        for (char& C : Version)
            if (C < ' ' || C > '~') C = '?';
        return "its version \"" + Version + "\" is not one this program knows";
    }
    if (Must_Be_Whole && R != Read_Outcome::Whole) return "it is incomplete";
    Repair_List(Loaded);
    Out.Data.List = std::move(Loaded);
    Out.Data.Util = From_Record(Saved);
    if (Version == Version_1_00_50)
        From_Extensions(Read_Extensions(Bytes), Out.Data.Util, Out.Data.List, Out.Data.Mark);
    Settle_Current_Slot(Out.Data.Util, Out.Data.List);
    return "";
}

std::string Two_Digits(int V) {
    return std::string(1, static_cast<char>('0' + V / 10 % 10)) + static_cast<char>('0' + V % 10);
}

std::string Stamp(const Local_Time& T) {
    return std::to_string(T.Year) + Two_Digits(T.Month) + Two_Digits(T.Day) + "-" +
           Two_Digits(T.Hour) + Two_Digits(T.Minute) + Two_Digits(T.Second);
}

std::string Name_Of(const std::string& Path) {
    const size_t Slash = Path.find_last_of("\\/");
    return Slash == std::string::npos ? Path : Path.substr(Slash + 1);
}

// A reason as a clause: the system's sentences end in a period, and often name the path the
// message already names.
std::string Clause(std::string Why, const std::string& Path) {
    if (Why.starts_with(Path + ": ")) Why.erase(0, Path.size() + 2);
    while (!Why.empty() && (Why.back() == '.' || Why.back() == ' '))
        Why.pop_back();
    return Why;
}

Moved_Aside Move_Aside(const Data_Location& Where, const std::string& Path,
                       const std::string& Why) {
    return Move_Aside(Where.Files, Where.Log, Path, Why);
}

struct Kept_Aside {
    bool Moved = false;
    std::string Message; // says what happened; the caller adds what follows for the list
};

Kept_Aside Keep_Aside(const Data_Location& Where, const std::string& Path, const std::string& Why) {
    const Moved_Aside M = Move_Aside(Where, Path, Why);
    const std::string Said = Path + " could not be read (" + Clause(Why, Path) + "). ";
    if (M.Moved) return {true, Said + "It was kept as " + M.Name + "; "};
    return {false, Said + "Nor could it be renamed (" + M.Error + "): "};
}

Loaded_Data Set_Aside(const Data_Location& Where, const std::string& Path, const std::string& Why) {
    const Kept_Aside K = Keep_Aside(Where, Path, Why);
    if (K.Moved)
        return {Load_Status::Set_Aside, Fresh_Data(), K.Message + "the list starts empty."};
    return {Load_Status::Left, Fresh_Data(),
            K.Message + "the list starts empty and nothing is saved until a restart."};
}

// Any file that exists and cannot be used is set aside, never started over.
Loaded_Data Load_From(const Data_Location& Where, const std::string& Path, bool Must_Be_Whole,
                      Load_Status Status) {
    std::string Why;
    try {
        Loaded_Data Out{Status, Fresh_Data(), ""};
        const File_Read File = Read_Waiting(
            Where.Files, [&] { return Where.Files.Read_File(Path, Max_Data_File_Bytes); });
        if (File.Status == Read_Status::Missing) return {Load_Status::Fresh, Fresh_Data(), ""};
        if (File.Status != Read_Status::Ok) {
            Why = File.Error;
        } else {
            Why = Parse(File.Bytes, Where.Text, Out, Must_Be_Whole);
            Out.Size = File.Bytes.size();
            if (Why.empty()) return Out;
        }
    } catch (const std::bad_alloc&) {
        Why = "there was not enough memory to read it";
    }
    return Set_Aside(Where, Path, Why);
}

// A save whose replace lost the old file leaves the new one under the temporary name: the
// only copy, read with the same care as the data file.
Loaded_Data Recover(const Data_Location& Where, const std::string& Temporary) {
    Loaded_Data Out = Load_From(Where, Temporary, true, Load_Status::Recovered);
    if (Out.Status != Load_Status::Recovered) return Out;
    // In its place, the next save's temporary file cannot write over it.
    const std::string Error = Where.Files.Move_File(Temporary, Where.Data_File);
    if (!Error.empty()) {
        Out.Status = Load_Status::Left;
        Where.Log.Failure("recover", Error);
        Out.Message = "The slots were restored from " + Temporary + ", but it could not be " +
                      "renamed (" + Clause(Error, Temporary) + "): nothing is saved until a " +
                      "restart.";
    }
    return Out;
}

} // namespace

std::string Path_In_Folder(const std::string& Folder, const std::string& Name) {
    const bool Ends_In_Separator =
        !Folder.empty() && (Folder.back() == '\\' || Folder.back() == '/');
    return Folder + (Ends_In_Separator ? "" : "\\") + Name;
}

// The file's bytes may be all the user has: they go out of the way, never over the edge.
// One name for every file kept aside, whatever the reason: the user finds them all by it.
Moved_Aside Move_Aside(File_System& Files, Trace& Log, const std::string& Path,
                       const std::string& Why) {
    Log.Failure("load", Why);
    const std::string Aside = Path + std::string(Aside_Mark) + Stamp(Files.Now());
    const std::string Error = Files.Move_File(Path, Aside);
    return {Error.empty(), Aside, Name_Of(Aside), Clause(Error, Path)};
}

std::string Data_File_Path(const std::string& Folder, const std::string& Title) {
    return Path_In_Folder(Folder, Title + ".ini");
}

std::string Journal_Path(const std::string& Data_File) {
    return Data_File + ".journal";
}

namespace {

// A journal that reads well but is not this file's to apply: kept whole, for the user.
Journal_State Keep_Other(const Data_Location& Where, const std::string& Path, uint64_t Upto,
                         const std::string& Why, const std::string& Said) {
    const Moved_Aside M = Move_Aside(Where, Path, Why);
    if (M.Moved) return {Upto, 0, false, Said + " kept in " + M.Name + "."};
    return {Upto, 0, false,
            Said + " in " + Name_Of(Path) + ", which could not be renamed (" + M.Error +
                "): nothing is saved until a restart.",
            true};
}

// The program's name, as the data file's name carries it.
std::string Title_Of(const Data_Location& Where) {
    const std::string Name = Name_Of(Where.Data_File);
    return Name.substr(0, Name.rfind('.'));
}

std::string Not_Continued(const Data_Location& Where) {
    const std::string Name = Name_Of(Where.Data_File), Title = Title_Of(Where);
    if (!Where.Files.File_Exists(Where.Data_File))
        return Name + " is missing; the changes of " + Title + "'s last session are";
    return Name + " was replaced while " + Title + " was away; the changes of its last session are";
}

} // namespace

Journal_State Load_Journal(const Data_Location& Where, Stored_Data& Data) {
    const std::string Path = Journal_Path(Where.Data_File);
    const Journal_Mark Mark = Data.Mark;
    if (!Where.Files.File_Exists(Path)) return {Mark.Upto, 0, Mark.Identity != 0, ""};
    std::string Why;
    try {
        const File_Read File = Read_Part_Waiting(Where.Files, Path, 0, Journal_Header_Size);
        const Journal_Header_Read Header = Read_Journal_Header(File.Bytes);
        // Its creation was cut short: it holds nothing, and nothing may follow what it holds.
        if (File.Status == Read_Status::Ok && File.Bytes.size() < Journal_Header_Size)
            return {Mark.Upto, File.Bytes.size(), false, ""};
        const bool Ours = Header.Identity != 0 && Header.Identity == Mark.Identity;
        const bool Replaced = Header.Identity != 0 && Header.Identity == Mark.Replaced;
        if (File.Status != Read_Status::Ok) {
            Why = File.Error;
        } else if (Header.Identity == 0) {
            Why = "it is not a journal of this program";
        } else if (Ours || Replaced) {
            // Applied to a copy: a journal that stops being readable half way is kept aside
            // whole, and none of it applied.
            Stored_Data Replayed = Data;
            const Journal_Replay R = Replay_Journal(
                [&](uint64_t Offset, size_t Size) {
                    File_Read Part = Read_Part_Waiting(Where.Files, Path, Offset, Size);
                    if (Part.Status != Read_Status::Ok) throw Unreadable{Part.Error};
                    return std::move(Part.Bytes);
                },
                Ours ? Mark.Upto : Mark.Replaced_Upto, Replayed);
            const uint64_t Last = R.Last(Mark.Upto);
            const bool Clean = R.End == Journal_End::Whole || R.End == Journal_End::Torn;
            if (R.End == Journal_End::Torn)
                Where.Log.Failure("journal", "a record cut short was left out");
            if (Replaced && Clean && R.Final <= Mark.Replaced_Upto) {
                // The data file was written whole after it; a crash kept it from being removed.
                Where.Files.Remove_File(Path);
                const bool Left = Where.Files.File_Exists(Path);
                return {Mark.Upto, Left ? R.Good_Size : 0, !Left && Mark.Identity != 0, "", false,
                        Left};
            }
            if (Ours && R.End != Journal_End::Elsewhere) {
                Data = std::move(Replayed);
                Repair_List(Data.List);
                Settle_Current_Slot(Data.Util, Data.List);
                // A record after one the data file is past would leave a gap in the numbers.
                const bool Continues = R.Final == 0 || R.Final >= Mark.Upto;
                if (Clean)
                    return {Last, R.Good_Size,
                            R.End == Journal_End::Whole && !Header.Earlier && Continues, ""};
                if (R.End == Journal_End::Newer)
                    return Keep_Other(Where, Path, Last, "it is from a newer version",
                                      Path + " was written by a newer version of " +
                                          Title_Of(Where) +
                                          "; the changes this version cannot read are");
                const Kept_Aside K = Keep_Aside(Where, Path, "part of it is damaged");
                if (K.Moved)
                    return {Last, 0, false,
                            K.Message + "the slots are as they were before the damaged part."};
                return {Last, 0, false, K.Message + "nothing is saved until a restart.", true};
            }
        }
        // The data file is not the state the journal continues: a backup put back, a copy
        // from another computer, or an older version's rewrite.
        if (Why.empty())
            return Keep_Other(Where, Path, Mark.Upto,
                              "it continues another " + Name_Of(Where.Data_File),
                              Not_Continued(Where));
    } catch (const Unreadable& Failure) {
        Why = Failure.Why;
    } catch (const std::bad_alloc&) {
        Why = "there was not enough memory to read it";
    }
    const Kept_Aside K = Keep_Aside(Where, Path, Why);
    if (K.Moved)
        return {Mark.Upto, 0, false, K.Message + "the slots are as they were saved whole."};
    return {Mark.Upto, 0, false, K.Message + "nothing is saved until a restart.", true};
}

Loaded_Data Load_Data(const Data_Location& Where) {
    Loaded_Data Out = Load_From(Where, Where.Data_File, false, Load_Status::Loaded);
    if (Out.Status != Load_Status::Fresh) return Out;
    return Recover(Where, Where.Data_File + ".tmp");
}

std::string Save_Data(const Settings& Util, const LinkList& List, const Data_Location& Where,
                      const Journal_Mark& Mark, size_t* Written) {
    const std::string Temporary = Where.Data_File + ".tmp";
    const auto Failed = [&](const std::string& Why) {
        return "The slots could not be saved to " + Where.Data_File + " (" +
               Clause(Clause(Why, Temporary), Where.Data_File) + ").";
    };
    File_System& Files = Where.Files;
    // Only a replace that lost the data file leaves a temporary file without it: that one is
    // the only copy, so it goes into place before a new one is written.
    if (!Files.File_Exists(Where.Data_File) && Files.File_Exists(Temporary)) {
        const std::string Error = Files.Move_File(Temporary, Where.Data_File);
        if (!Error.empty()) return Failed(Error);
    }
    std::string Error;
    try {
        Data_Image Image = Write_Data_File(To_Record(Util, List), List, Where.Text);
        Image.Tail = Write_Extensions(To_Extensions(Util, List, Mark), Image.Head, Image.Size());
        Byte_Pieces Pieces{std::span<const uint8_t>(Image.Head)};
        for (std::string_view T : Image.Texts)
            Pieces.emplace_back(reinterpret_cast<const uint8_t*>(T.data()), T.size());
        Pieces.emplace_back(Image.Tail);
        if (Image.Size() > Max_Data_File_Bytes)
            Error = "they would make a file of " + std::to_string(Image.Size() >> 20) +
                    " MB, more than the " + std::to_string(Max_Data_File_Bytes >> 20) +
                    " MB PimLoft can read back";
        else
            Error = Files.Write_New_File(Temporary, Pieces);
        if (Written) *Written = Image.Size();
    } catch (const std::bad_alloc&) {
        Where.Log.Failure("save", "out of memory");
        Error = "not enough memory";
    }
    if (Error.empty()) {
        const Replace_Result R = Files.Replace_File(Temporary, Where.Data_File);
        if (R.Error.empty()) return "";
        if (!R.Target_Kept)
            return Failed(R.Error) + " They are kept in " + Name_Of(Temporary) +
                   ", which is loaded at the next start.";
        Error = R.Error;
    }
    Files.Remove_File(Temporary);
    return Failed(Error);
}
