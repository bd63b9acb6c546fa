#include "storage/Data_File.h"

#include "platform/Text.h"
#include "storage/Crc32.h"
#include "storage/Unicode_Block.h"

namespace {

struct Text_Writer {
    Byte_Writer& W;
    const Text_Codec& Text;
    std::vector<Wide_Field> Wide;

    // The 8-bit field keeps the layout; whatever it cannot hold exactly goes to the block.
    void Write(const std::string& Utf8, Wide_Kind Kind, uint8_t Index) {
        const Code_Page_Text Narrow = Text.To_Code_Page(Utf8, Max_Field_Bytes);
        std::string_view Bytes = Narrow.Bytes;
        if (Bytes.size() > Max_Field_Bytes) Bytes = Bytes.substr(0, Max_Field_Bytes);
        W.Write_Counted(std::string(Bytes));
        if (!Narrow.Exact || Bytes.size() != Narrow.Bytes.size() ||
            Text.From_Code_Page(Bytes) != Utf8)
            Wide.push_back({Kind, Index, Crc32(Bytes), Utf8});
    }
};

} // namespace

std::vector<uint8_t> Write_Data_File(const Settings_Record& S, const LinkList& List,
                                     const Text_Codec& Text) {
    Byte_Writer W;
    Text_Writer T{W, Text, {}};
    W.Write_Bytes(std::string(Version_1_00_50));
    for (int16_t V : {S.Left, S.Top, S.Width, S.Height, S.Ignore_Case, S.Current_Slot, S.Reserved,
                      S.Add_Mode, S.Del_Warn, S.On_Top, S.Head, S.Tail, S.List_Ubound, S.Free_Top})
        W.Write_I16(V);
    T.Write(S.Text_Font_Name, Wide_Kind::Text_Font, 0);
    W.Write_F32(S.Text_Font_Size);
    for (int16_t V : {S.Text_Font_Bold, S.Text_Font_Italic, S.Text_Font_Underline, S.Print_Tip})
        W.Write_I16(V);
    T.Write(S.Tip_Font_Name, Wide_Kind::Tip_Font, 0);
    W.Write_F32(S.Tip_Font_Size);
    for (int16_t V : {S.Tip_Font_Bold, S.Tip_Font_Italic, S.Tip_Font_Underline})
        W.Write_I16(V);

    for (int I = 0; I < Max_Slots; ++I) {
        const Slot_Node& N = List.Nodes[static_cast<size_t>(I)];
        W.Write_I16(N.Prev);
        W.Write_I16(N.Next);
        W.Write_Bool(N.Data.Locked);
        T.Write(N.Data.Text, Wide_Kind::Text, static_cast<uint8_t>(I));
        T.Write(N.Data.Description, Wide_Kind::Description, static_cast<uint8_t>(I));
    }
    for (int16_t V : List.Free_Stack)
        W.Write_I16(V);
    Write_Unicode_Block(W, T.Wide);
    return std::move(W.Bytes);
}
