#include "storage/Data_File.h"

#include "platform/Text.h"
#include "storage/Crc32.h"
#include "storage/Unicode_Block.h"
#include "storage/Xxh32.h"

#include <array>

namespace {

// An 8-bit field as it lies in the file. Converted only once the Unicode block is known, and
// not at all when the block replaces it.
struct Field {
    bool Read = false;
    std::string_view Bytes;
    std::string_view Utf8; // from the block
    bool Wide = false;
};

struct Fields {
    std::array<Field, Max_Slots> Text, Description;
    Field Text_Font, Tip_Font;
};

struct Text_Reader {
    Byte_Reader& R;
    const Text_Codec& Text;

    void Take(Field& F) {
        uint16_t Count = 0;
        const uint8_t* At = nullptr;
        if (!R.Read_U16(Count) || !R.Read_Span(Count, At)) return;
        F.Read = true;
        F.Bytes = {reinterpret_cast<const char*>(At), Count};
    }
    template <class Out_Text> void Store(const Field& F, Out_Text& Out) const {
        if (!F.Read) return;
        if (F.Wide)
            Out = std::string(F.Utf8);
        else
            Out = Text.From_Code_Page(F.Bytes);
    }
    template <class Out_Text> void Read(Out_Text& Out) {
        Field F;
        Take(F);
        Store(F, Out);
    }
};

void Read_Nodes(Text_Reader& T, LinkList& List, Fields& F) {
    for (size_t I = 0; I < Max_Slots; ++I) {
        Slot_Node& N = List.Nodes[I];
        T.R.Read_I16(N.Prev);
        T.R.Read_I16(N.Next);
        T.R.Read_Bool(N.Data.Locked);
        T.Take(F.Text[I]);
        T.Take(F.Description[I]);
    }
    for (int16_t& V : List.Free_Stack)
        T.R.Read_I16(V);
}

void Store_Nodes(const Text_Reader& T, LinkList& List, const Fields& F) {
    for (size_t I = 0; I < Max_Slots; ++I) {
        T.Store(F.Text[I], List.Nodes[I].Data.Text);
        T.Store(F.Description[I], List.Nodes[I].Data.Description);
    }
}

void Apply_Unicode_Block(Byte_Reader& R, Fields& All) {
    const Wide_Block Block = Read_Unicode_Block(R);
    for (const Wide_Field& W : Block.Fields) {
        Field& F = W.Kind == Wide_Kind::Text          ? All.Text[W.Index]
                   : W.Kind == Wide_Kind::Description ? All.Description[W.Index]
                   : W.Kind == Wide_Kind::Text_Font   ? All.Text_Font
                                                      : All.Tip_Font;
        const uint32_t Check = Block.Crc_Checks ? Crc32(F.Bytes) : Xxh32(F.Bytes);
        if (!F.Read || Check != W.Field_Check) continue;
        F.Wide = true;
        F.Utf8 = W.Utf8;
    }
}

void Read_1_00_50(Byte_Reader& R, const Text_Codec& Text, Settings_Record& S, LinkList& List) {
    Text_Reader T{R, Text};
    Fields F;
    for (int16_t* V :
         {&S.Left, &S.Top, &S.Width, &S.Height, &S.Ignore_Case, &S.Current_Slot, &S.Reserved,
          &S.Add_Mode, &S.Del_Warn, &S.On_Top, &S.Head, &S.Tail, &S.List_Ubound, &S.Free_Top})
        R.Read_I16(*V);
    T.Take(F.Text_Font);
    R.Read_F32(S.Text_Font_Size);
    for (int16_t* V :
         {&S.Text_Font_Bold, &S.Text_Font_Italic, &S.Text_Font_Underline, &S.Print_Tip})
        R.Read_I16(*V);
    T.Take(F.Tip_Font);
    R.Read_F32(S.Tip_Font_Size);
    for (int16_t* V : {&S.Tip_Font_Bold, &S.Tip_Font_Italic, &S.Tip_Font_Underline})
        R.Read_I16(*V);
    Read_Nodes(T, List, F);
    List.Head = S.Head;
    List.Tail = S.Tail;
    List.Free_Top = S.Free_Top;
    List.List_Ubound = S.List_Ubound;
    if (R.Ok()) {
        Byte_Reader Rest = R;
        Apply_Unicode_Block(Rest, F);
    }
    T.Store(F.Text_Font, S.Text_Font_Name);
    T.Store(F.Tip_Font, S.Tip_Font_Name);
    Store_Nodes(T, List, F);
}

void Read_1_00_40(Byte_Reader& R, const Text_Codec& Text, Settings_Record& S, LinkList& List,
                  bool Keeps_Ignore_Case) {
    Text_Reader T{R, Text};
    Fields F;
    int16_t Unused = 0;
    for (int16_t* V :
         {&S.Left, &S.Top, &S.Width, &S.Height, &S.Ignore_Case, &Unused, &S.Reserved, &S.Add_Mode,
          &S.Del_Warn, &S.On_Top, &List.Head, &List.Tail, &List.List_Ubound, &List.Free_Top})
        R.Read_I16(*V);
    if (!Keeps_Ignore_Case) S.Ignore_Case = 1;
    Read_Nodes(T, List, F);
    Store_Nodes(T, List, F);
}

void Read_1_00_00(Byte_Reader& R, const Text_Codec& Text, Settings_Record& S, LinkList& List) {
    Text_Reader T{R, Text};
    std::array<Slot_Record, Old_Slot_Count> Slots{};
    int16_t Unused = 0;
    for (int16_t* V : {&S.Left, &S.Top, &S.Width, &S.Height, &Unused, &Unused, &S.Reserved})
        R.Read_I16(*V);
    for (Slot_Record& Rec : Slots)
        T.Read(Rec.Text);
    for (Slot_Record& Rec : Slots)
        R.Read_Bool(Rec.Locked);
    R.Read_I16(Unused);
    R.Read_I16(Unused);
    for (Slot_Record& Rec : Slots)
        T.Read(Rec.Description);
    R.Read_I16(S.On_Top);

    List_Init(List);
    for (Slot_Record& Rec : Slots) {
        if (Rec.Text.empty() && Rec.Description.empty()) continue;
        int16_t New_Idx = No_Free_Slot;
        List_Insert(List, Rec, List.Tail, New_Idx);
    }
    S.Current_Slot = List.Head;
}

} // namespace

Read_Outcome Read_Data_File(const std::vector<uint8_t>& Bytes, const Text_Codec& Text,
                            Settings_Record& Saved, LinkList& List, std::string& Version) {
    Byte_Reader R(Bytes);
    Version.clear();
    R.Read_Bytes(Version_Size, Version);
    if (Version == Version_1_00_50)
        Read_1_00_50(R, Text, Saved, List);
    else if (Version == Version_1_00_40)
        Read_1_00_40(R, Text, Saved, List, true);
    else if (Version == Version_1_00_10)
        Read_1_00_40(R, Text, Saved, List, false);
    else if (Version == Version_1_00_00)
        Read_1_00_00(R, Text, Saved, List);
    else
        return Read_Outcome::Not_Ours;
    return R.Ok() ? Read_Outcome::Whole : Read_Outcome::Partial;
}
