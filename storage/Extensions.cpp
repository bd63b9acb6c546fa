#include "storage/Extensions.h"

#include "storage/Xxh32.h"

#include <string_view>

namespace {

constexpr std::string_view Magic = "PLFTEXT1";
constexpr size_t Trailer_Size = 5 * 4 + Magic.size();

bool Known(uint16_t Tag) {
    return Tag >= static_cast<uint16_t>(Extension_Tag::Quick_Paste) &&
           Tag <= static_cast<uint16_t>(Extension_Tag::History);
}

} // namespace

std::vector<uint8_t> Write_Extensions(const Extensions& Records, std::span<const uint8_t> Head,
                                      size_t Records_Start) {
    if (Records.empty()) return {};
    Byte_Writer W;
    for (const auto& [Tag, Bytes] : Records) {
        W.Write_U16(static_cast<uint16_t>(Tag));
        W.Write_U32(static_cast<uint32_t>(Bytes.size()));
        W.Write_Raw(Bytes.data(), Bytes.size());
    }
    const auto Records_Size = static_cast<uint32_t>(W.Bytes.size());
    W.Write_U32(Records_Size);
    W.Write_U32(Xxh32(W.Bytes.data(), Records_Size));
    W.Write_U32(static_cast<uint32_t>(Head.size()));
    W.Write_U32(Xxh32(Head.data(), Head.size()));
    W.Write_U32(static_cast<uint32_t>(Records_Start));
    W.Write_Raw(Magic.data(), Magic.size());
    return std::move(W.Bytes);
}

Extensions Read_Extensions(std::span<const uint8_t> File) {
    if (File.size() < Trailer_Size) return {};
    const size_t Trailer_At = File.size() - Trailer_Size;
    Byte_Reader T(File.data() + Trailer_At, Trailer_Size);
    uint32_t Records_Size = 0, Records_Check = 0, Head_Size = 0, Head_Check = 0, Start = 0;
    std::string Got;
    T.Read_U32(Records_Size), T.Read_U32(Records_Check), T.Read_U32(Head_Size);
    T.Read_U32(Head_Check), T.Read_U32(Start), T.Read_Bytes(Magic.size(), Got);
    if (Got != Magic || Start > Trailer_At || Trailer_At - Start != Records_Size ||
        Head_Size > Start || Xxh32(File.data(), Head_Size) != Head_Check ||
        Xxh32(File.data() + Start, Records_Size) != Records_Check)
        return {};
    Extensions Out;
    Byte_Reader R(File.data() + Start, Records_Size);
    while (R.Remaining() > 0) {
        uint16_t Tag = 0;
        uint32_t Size = 0;
        const uint8_t* At = nullptr;
        if (!R.Read_U16(Tag) || !R.Read_U32(Size) || !R.Read_Span(Size, At)) break;
        if (Known(Tag)) Out[static_cast<Extension_Tag>(Tag)].assign(At, At + Size);
    }
    return Out;
}
