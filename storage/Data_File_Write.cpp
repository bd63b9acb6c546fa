#include "storage/Data_File.h"

#include "platform/Text.h"
#include "slots/Utf8.h"
#include "storage/Unicode_Block.h"
#include "storage/Xxh32.h"

#include <array>

namespace {

// The 8-bit fields, converted before anything is written so that the image is sized once.
struct Narrow_Fields {
    const Text_Codec& Text;
    std::vector<std::string> Bytes;
    std::vector<Wide_Field> Wide;

    void Add(std::string_view Utf8, Wide_Kind Kind, uint8_t Index) {
        // No code page needs more than four bytes of UTF-8 for one of its bytes, so this
        // prefix holds all that the 8-bit field can take: a long text is not converted whole.
        const std::string_view Prefix = Cut_Bytes(Utf8, 4 * Max_Field_Bytes);
        Code_Page_Text Narrow = Text.To_Code_Page(Prefix, Max_Field_Bytes);
        bool Exact = Narrow.Exact && Prefix.size() == Utf8.size();
        if (Narrow.Bytes.size() > Max_Field_Bytes) {
            Narrow.Bytes.resize(Max_Field_Bytes);
            Exact = false;
        }
        // The codec's own word is not enough: a best-fit mapping may call a change exact.
        if (Exact) Exact = Text.From_Code_Page(Narrow.Bytes) == Utf8;
        if (!Exact) Wide.push_back({Kind, Index, Xxh32(Narrow.Bytes), Utf8});
        Bytes.push_back(std::move(Narrow.Bytes));
    }
};

} // namespace

Data_Image Write_Data_File(const Settings_Record& S, const LinkList& List, const Text_Codec& Text) {
    Narrow_Fields N{Text, {}, {}};
    N.Bytes.reserve(2 + 2 * Max_Slots);
    N.Add(S.Text_Font_Name, Wide_Kind::Text_Font, 0);
    N.Add(S.Tip_Font_Name, Wide_Kind::Tip_Font, 0);
    for (int I = 0; I < Max_Slots; ++I) {
        const Slot_Record& R = List.Nodes[static_cast<size_t>(I)].Data;
        N.Add(R.Text, Wide_Kind::Text, static_cast<uint8_t>(I));
        N.Add(R.Description, Wide_Kind::Description, static_cast<uint8_t>(I));
    }
    size_t Size = Version_Size + 54 + 10 * Max_Slots + 2 * Max_Slots + Unicode_Rows_Size(N.Wide);
    for (const std::string& B : N.Bytes)
        Size += B.size();
    for (const Wide_Field& F : N.Wide)
        if (F.Kind >= Wide_Kind::Text_Font) Size += F.Utf8.size();

    Byte_Writer W;
    W.Bytes.reserve(Size);
    auto Counted = [&](size_t K) { W.Write_Counted(N.Bytes[K]); };
    W.Write_Bytes(std::string(Version_1_00_50));
    for (int16_t V : {S.Left, S.Top, S.Width, S.Height, S.Ignore_Case, S.Current_Slot, S.Reserved,
                      S.Add_Mode, S.Del_Warn, S.On_Top, S.Head, S.Tail, S.List_Ubound, S.Free_Top})
        W.Write_I16(V);
    Counted(0);
    W.Write_F32(S.Text_Font_Size);
    for (int16_t V : {S.Text_Font_Bold, S.Text_Font_Italic, S.Text_Font_Underline, S.Print_Tip})
        W.Write_I16(V);
    Counted(1);
    W.Write_F32(S.Tip_Font_Size);
    for (int16_t V : {S.Tip_Font_Bold, S.Tip_Font_Italic, S.Tip_Font_Underline})
        W.Write_I16(V);

    for (size_t I = 0; I < Max_Slots; ++I) {
        const Slot_Node& Node = List.Nodes[I];
        W.Write_I16(Node.Prev);
        W.Write_I16(Node.Next);
        W.Write_Bool(Node.Data.Locked);
        Counted(2 + 2 * I);
        Counted(3 + 2 * I);
    }
    for (int16_t V : List.Free_Stack)
        W.Write_I16(V);
    Write_Unicode_Rows(W, N.Wide);
    // The texts follow the rows in their order; the font names come first, copied.
    size_t K = 0;
    for (; K < N.Wide.size() && N.Wide[K].Kind >= Wide_Kind::Text_Font; ++K)
        W.Write_Raw(N.Wide[K].Utf8.data(), N.Wide[K].Utf8.size());
    Data_Image Out{std::move(W.Bytes), {}, {}};
    Out.Texts.reserve(N.Wide.size() - K);
    for (; K < N.Wide.size(); ++K)
        Out.Texts.push_back(N.Wide[K].Utf8);
    return Out;
}
