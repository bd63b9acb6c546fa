#include "storage/Unicode_Block.h"

#include "slots/LinkList.h"
#include "storage/Crc32.h"

#include <string_view>

namespace {

constexpr std::string_view Magic = "PLFTUTF8";

bool Valid_Target(Wide_Kind Kind, uint8_t Index) {
    switch (Kind) {
    case Wide_Kind::Text:
    case Wide_Kind::Description:
        return Index < Max_Slots;
    case Wide_Kind::Text_Font:
    case Wide_Kind::Tip_Font:
        return Index == 0;
    }
    return false;
}

} // namespace

void Write_Unicode_Block(Byte_Writer& W, const std::vector<Wide_Field>& Fields) {
    if (Fields.empty()) return;
    size_t Size = 2;
    for (const Wide_Field& F : Fields)
        Size += 10 + F.Utf8.size();
    W.Bytes.reserve(W.Bytes.size() + Magic.size() + 8 + Size);
    W.Write_Raw(Magic.data(), Magic.size());
    W.Write_U32(static_cast<uint32_t>(Size));
    const size_t Body = W.Bytes.size();
    W.Write_U16(static_cast<uint16_t>(Fields.size()));
    for (const Wide_Field& F : Fields) {
        W.Write_U8(static_cast<uint8_t>(F.Kind));
        W.Write_U8(F.Index);
        W.Write_U32(F.Field_Crc);
        W.Write_U32(static_cast<uint32_t>(F.Utf8.size()));
        W.Write_Bytes(F.Utf8);
    }
    W.Write_U32(Crc32(W.Bytes.data() + Body, Size));
}

std::optional<std::vector<Wide_Field>> Read_Unicode_Block(Byte_Reader& R) {
    std::string Got;
    uint32_t Size = 0;
    if (!R.Read_Bytes(Magic.size(), Got) || Got != Magic || !R.Read_U32(Size)) return {};
    const uint8_t* Body = nullptr;
    uint32_t Crc = 0;
    if (!R.Read_Span(Size, Body) || !R.Read_U32(Crc) || Crc32(Body, Size) != Crc) return {};

    Byte_Reader B(Body, Size);
    uint16_t Count = 0;
    if (!B.Read_U16(Count)) return {};
    std::vector<Wide_Field> Fields;
    for (uint16_t K = 0; K < Count; ++K) {
        Wide_Field F;
        uint8_t Kind = 0;
        uint32_t Length = 0;
        if (!B.Read_U8(Kind) || !B.Read_U8(F.Index) || !B.Read_U32(F.Field_Crc) ||
            !B.Read_U32(Length) || !B.Read_Bytes(Length, F.Utf8))
            return {};
        F.Kind = static_cast<Wide_Kind>(Kind);
        if (Kind > static_cast<uint8_t>(Wide_Kind::Tip_Font) || !Valid_Target(F.Kind, F.Index))
            return {};
        Fields.push_back(std::move(F));
    }
    if (B.Remaining() != 0) return {};
    return Fields;
}
