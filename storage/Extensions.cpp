#include "storage/Extensions.h"

#include "storage/Xxh32.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::string_view Magic = "PLFTEXT1";
constexpr size_t Trailer_Size = 5 * 4 + Magic.size();

bool Known(uint16_t Tag) {
    return Tag >= static_cast<uint16_t>(Extension_Tag::Quick_Paste) &&
           Tag <= static_cast<uint16_t>(Extension_Tag::Slot_Times);
}

bool Sane_Name(const std::string& Name) {
    return !Name.empty() && Name.size() <= Max_Program_Name_Bytes;
}

} // namespace

void Write_Tagged(Byte_Writer& W, uint16_t Tag, std::span<const uint8_t> Bytes) {
    if (Bytes.empty()) return;
    W.Write_U16(Tag);
    W.Write_U32(static_cast<uint32_t>(Bytes.size()));
    W.Write_Raw(Bytes.data(), Bytes.size());
}

std::vector<uint8_t> History_Bytes(const Settings& U) {
    if (U.History_Keep == Default_History_Keep) return {};
    Byte_Writer W;
    W.Write_U32(U.History_Keep);
    return std::move(W.Bytes);
}

void Read_History(std::span<const uint8_t> Bytes, Settings& U) {
    Byte_Reader R(Bytes.data(), Bytes.size());
    uint32_t Keep = Default_History_Keep;
    R.Read_U32(Keep);
    U.History_Keep = R.Ok() ? std::min(Keep, Max_History_Keep) : Default_History_Keep;
}

std::vector<uint8_t> Write_Extensions(const Extensions& Records, std::span<const uint8_t> Head,
                                      size_t Records_Start) {
    if (Records.empty()) return {};
    Byte_Writer W;
    for (const auto& [Tag, Bytes] : Records)
        Write_Tagged(W, static_cast<uint16_t>(Tag), Bytes);
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

std::vector<uint8_t> Privacy_Bytes(const Settings& U) {
    if (!U.Capture_Paused && U.Excluded_Programs.empty() && U.Expire_Days == 0) return {};
    std::vector<const std::string*> Names;
    for (const std::string& Name : U.Excluded_Programs)
        if (Sane_Name(Name) && Names.size() < Max_Excluded_Programs) Names.push_back(&Name);
    Byte_Writer W;
    W.Write_U8(U.Capture_Paused ? 1 : 0);
    W.Write_U16(U.Expire_Days);
    W.Write_U16(static_cast<uint16_t>(Names.size()));
    for (const std::string* Name : Names)
        W.Write_Counted(*Name);
    return std::move(W.Bytes);
}

void Read_Privacy(std::span<const uint8_t> Bytes, Settings& U) {
    Byte_Reader R(Bytes.data(), Bytes.size());
    uint8_t Paused = 0;
    uint16_t Days = 0, Count = 0;
    std::vector<std::string> Names;
    R.Read_U8(Paused), R.Read_U16(Days), R.Read_U16(Count);
    for (uint16_t K = 0; K < Count && R.Ok(); ++K) {
        uint16_t Size = 0;
        std::string Name;
        R.Read_U16(Size), R.Read_Bytes(Size, Name);
        if (Sane_Name(Name) && Names.size() < Max_Excluded_Programs)
            Names.push_back(std::move(Name));
    }
    if (!R.Ok() || Paused > 1) Paused = 0, Days = 0, Names.clear();
    U.Capture_Paused = Paused == 1;
    U.Expire_Days = std::min(Days, Max_Expire_Days);
    U.Excluded_Programs = std::move(Names);
}

std::vector<uint8_t> Slot_Times_Bytes(const LinkList& Now, const LinkList* Before) {
    Byte_Writer W;
    for (size_t I = 0; I < Max_Slots; ++I)
        if (const int64_t T = Now.Nodes[I].Data.Filled;
            Before ? T != Before->Nodes[I].Data.Filled : T != 0) {
            W.Write_U8(static_cast<uint8_t>(I));
            W.Write_U64(static_cast<uint64_t>(T));
        }
    return std::move(W.Bytes);
}

void Read_Slot_Times(std::span<const uint8_t> Bytes, LinkList& List) {
    Byte_Reader R(Bytes.data(), Bytes.size());
    for (;;) {
        uint8_t Index = 0;
        uint64_t Seconds = 0;
        if (!R.Read_U8(Index) || !R.Read_U64(Seconds)) return;
        const auto Filled = static_cast<int64_t>(Seconds);
        if (Index < Max_Slots && Filled >= 0) List.Nodes[Index].Data.Filled = Filled;
    }
}
