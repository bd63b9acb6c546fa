#include "storage/Data_File.h"

#include "platform/Text.h"
#include "storage/Crc32.h"
#include "storage/Unicode_Block.h"

#include <array>
#include <optional>

namespace {

// The CRC-32 of each 8-bit text field as read, so that a Unicode block proves it was
// written beside these very fields before it replaces them.
struct Field_Stamps {
    std::array<std::optional<uint32_t>, Max_Slots> Text, Description;
    std::optional<uint32_t> Text_Font, Tip_Font;
};

struct Text_Reader {
    Byte_Reader& R;
    const Text_Codec& Text;

    template <class Out_Text> void Read(Out_Text& Out, std::optional<uint32_t>* Stamp = nullptr) {
        std::string Bytes;
        if (!R.Read_Counted(Bytes)) return;
        Out = Text.From_Code_Page(Bytes);
        if (Stamp) *Stamp = Crc32(Bytes);
    }
};

void Read_Nodes(Text_Reader& T, LinkList& List, Field_Stamps* Stamps) {
    for (size_t I = 0; I < Max_Slots; ++I) {
        Slot_Node& N = List.Nodes[I];
        T.R.Read_I16(N.Prev);
        T.R.Read_I16(N.Next);
        T.R.Read_Bool(N.Data.Locked);
        T.Read(N.Data.Text, Stamps ? &Stamps->Text[I] : nullptr);
        T.Read(N.Data.Description, Stamps ? &Stamps->Description[I] : nullptr);
    }
    for (int16_t& V : List.Free_Stack)
        T.R.Read_I16(V);
}

void Apply_Unicode_Block(Byte_Reader& R, Settings_Record& S, LinkList& List,
                         const Field_Stamps& Stamps) {
    auto Fields = Read_Unicode_Block(R);
    if (!Fields) return;
    for (Wide_Field& F : *Fields) {
        const std::optional<uint32_t>* Stamp = nullptr;
        std::string* Target = nullptr;
        Slot_Text* Text_Target = nullptr;
        switch (F.Kind) {
        case Wide_Kind::Text:
            Stamp = &Stamps.Text[F.Index];
            Text_Target = &List.Nodes[F.Index].Data.Text;
            break;
        case Wide_Kind::Description:
            Stamp = &Stamps.Description[F.Index];
            Target = &List.Nodes[F.Index].Data.Description;
            break;
        case Wide_Kind::Text_Font:
            Stamp = &Stamps.Text_Font;
            Target = &S.Text_Font_Name;
            break;
        case Wide_Kind::Tip_Font:
            Stamp = &Stamps.Tip_Font;
            Target = &S.Tip_Font_Name;
            break;
        }
        if (!Stamp || *Stamp != F.Field_Crc) continue;
        if (Target) *Target = std::move(F.Utf8);
        if (Text_Target) *Text_Target = std::move(F.Utf8);
    }
}

void Read_1_00_50(Byte_Reader& R, const Text_Codec& Text, Settings_Record& S, LinkList& List) {
    Text_Reader T{R, Text};
    Field_Stamps Stamps;
    for (int16_t* V :
         {&S.Left, &S.Top, &S.Width, &S.Height, &S.Ignore_Case, &S.Current_Slot, &S.Reserved,
          &S.Add_Mode, &S.Del_Warn, &S.On_Top, &S.Head, &S.Tail, &S.List_Ubound, &S.Free_Top})
        R.Read_I16(*V);
    T.Read(S.Text_Font_Name, &Stamps.Text_Font);
    R.Read_F32(S.Text_Font_Size);
    for (int16_t* V :
         {&S.Text_Font_Bold, &S.Text_Font_Italic, &S.Text_Font_Underline, &S.Print_Tip})
        R.Read_I16(*V);
    T.Read(S.Tip_Font_Name, &Stamps.Tip_Font);
    R.Read_F32(S.Tip_Font_Size);
    for (int16_t* V : {&S.Tip_Font_Bold, &S.Tip_Font_Italic, &S.Tip_Font_Underline})
        R.Read_I16(*V);
    Read_Nodes(T, List, &Stamps);
    List.Head = S.Head;
    List.Tail = S.Tail;
    List.Free_Top = S.Free_Top;
    List.List_Ubound = S.List_Ubound;
    if (R.Ok()) Apply_Unicode_Block(R, S, List, Stamps);
}

void Read_1_00_40(Byte_Reader& R, const Text_Codec& Text, Settings_Record& S, LinkList& List,
                  bool Keeps_Ignore_Case) {
    Text_Reader T{R, Text};
    int16_t Unused = 0;
    for (int16_t* V :
         {&S.Left, &S.Top, &S.Width, &S.Height, &S.Ignore_Case, &Unused, &S.Reserved, &S.Add_Mode,
          &S.Del_Warn, &S.On_Top, &List.Head, &List.Tail, &List.List_Ubound, &List.Free_Top})
        R.Read_I16(*V);
    if (!Keeps_Ignore_Case) S.Ignore_Case = 1;
    Read_Nodes(T, List, nullptr);
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
    for (const Slot_Record& Rec : Slots) {
        if (Rec.Text.empty() && Rec.Description.empty()) continue;
        int16_t New_Idx = No_Free_Slot;
        List_Insert(List, Rec, List.Tail, New_Idx);
    }
    S.Current_Slot = List.Head;
}

} // namespace

bool Read_Data_File(const std::vector<uint8_t>& Bytes, const Text_Codec& Text,
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
        return false;
    return true;
}
