#include "storage/Unicode_Block.h"

#include "slots/LinkList.h"
#include "storage/Crc32.h"
#include "storage/Xxh32.h"

namespace {

constexpr std::string_view Magic = "PLFTWIDE";
constexpr std::string_view Old_Magic = "PLFTUTF8";
constexpr size_t Row_Size = 22;
constexpr size_t Row_Checked = Row_Size - 4;

bool Valid_Target(uint8_t Kind, uint8_t Index) {
    switch (static_cast<Wide_Kind>(Kind)) {
    case Wide_Kind::Text:
    case Wide_Kind::Description:
        return Index < Max_Slots;
    case Wide_Kind::Text_Font:
    case Wide_Kind::Tip_Font:
        return Index == 0;
    }
    return false;
}

std::string_view As_Text(const uint8_t* At, size_t Size) {
    return {reinterpret_cast<const char*>(At), Size};
}

Wide_Block Read_Old_Block(Byte_Reader& R) {
    uint32_t Size = 0, Crc = 0;
    const uint8_t* Body = nullptr;
    if (!R.Read_U32(Size) || !R.Read_Span(Size, Body) || !R.Read_U32(Crc) ||
        Crc32(Body, Size) != Crc)
        return {};
    Byte_Reader B(Body, Size);
    Wide_Block Out{true, {}};
    uint16_t Count = 0;
    B.Read_U16(Count);
    for (uint16_t K = 0; K < Count; ++K) {
        Wide_Field F;
        uint8_t Kind = 0;
        uint32_t Length = 0;
        const uint8_t* Text = nullptr;
        if (!B.Read_U8(Kind) || !B.Read_U8(F.Index) || !B.Read_U32(F.Field_Check) ||
            !B.Read_U32(Length) || !B.Read_Span(Length, Text) || !Valid_Target(Kind, F.Index))
            return {};
        F.Kind = static_cast<Wide_Kind>(Kind);
        F.Utf8 = As_Text(Text, Length);
        Out.Fields.push_back(F);
    }
    if (!B.Ok() || B.Remaining() != 0) return {};
    return Out;
}

} // namespace

size_t Unicode_Rows_Size(const std::vector<Wide_Field>& Fields) {
    return Fields.empty() ? 0 : Magic.size() + 2 + Row_Size * Fields.size();
}

void Write_Unicode_Rows(Byte_Writer& W, const std::vector<Wide_Field>& Fields) {
    if (Fields.empty()) return;
    W.Write_Raw(Magic.data(), Magic.size());
    W.Write_U16(static_cast<uint16_t>(Fields.size()));
    uint32_t Offset = 0;
    for (const Wide_Field& F : Fields) {
        const size_t Row = W.Bytes.size();
        W.Write_U8(static_cast<uint8_t>(F.Kind));
        W.Write_U8(F.Index);
        W.Write_U32(F.Field_Check);
        W.Write_U32(Offset);
        W.Write_U32(static_cast<uint32_t>(F.Utf8.size()));
        W.Write_U32(Xxh32(F.Utf8));
        W.Write_U32(Xxh32(W.Bytes.data() + Row, Row_Checked));
        Offset += static_cast<uint32_t>(F.Utf8.size());
    }
}

Wide_Block Read_Unicode_Block(Byte_Reader& R) {
    std::string Got;
    if (!R.Read_Bytes(Magic.size(), Got)) return {};
    if (Got == Old_Magic) return Read_Old_Block(R);
    uint16_t Count = 0;
    const uint8_t* Rows = nullptr;
    if (Got != Magic || !R.Read_U16(Count) || !R.Read_Span(size_t{Count} * Row_Size, Rows))
        return {};
    const uint8_t* Texts = nullptr;
    const size_t Texts_Size = R.Remaining();
    R.Read_Span(Texts_Size, Texts);

    Wide_Block Out;
    for (size_t K = 0; K < Count; ++K) {
        const uint8_t* Row = Rows + K * Row_Size;
        Byte_Reader B(Row, Row_Size);
        Wide_Field F;
        uint8_t Kind = 0;
        uint32_t Offset = 0, Size = 0, Text_Check = 0, Row_Check = 0;
        B.Read_U8(Kind), B.Read_U8(F.Index), B.Read_U32(F.Field_Check), B.Read_U32(Offset);
        B.Read_U32(Size), B.Read_U32(Text_Check), B.Read_U32(Row_Check);
        if (Row_Check != Xxh32(Row, Row_Checked) || !Valid_Target(Kind, F.Index) ||
            Offset > Texts_Size || Size > Texts_Size - Offset ||
            Xxh32(Texts + Offset, Size) != Text_Check)
            continue;
        F.Kind = static_cast<Wide_Kind>(Kind);
        F.Utf8 = As_Text(Texts + Offset, Size);
        Out.Fields.push_back(F);
    }
    return Out;
}
