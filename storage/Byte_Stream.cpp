#include "storage/Byte_Stream.h"

#include <cstring>

bool Byte_Reader::Take(size_t Count, const uint8_t*& At) {
    if (!Ok_ || Count > Size_ - Pos_) {
        Ok_ = false;
        return false;
    }
    At = Data_ + Pos_;
    Pos_ += Count;
    return true;
}

bool Byte_Reader::Read_Bytes(size_t Count, std::string& Out) {
    const uint8_t* At = nullptr;
    if (!Take(Count, At)) return false;
    Out.assign(reinterpret_cast<const char*>(At), Count);
    return true;
}

bool Byte_Reader::Read_U8(uint8_t& Out) {
    const uint8_t* At = nullptr;
    if (!Take(1, At)) return false;
    Out = At[0];
    return true;
}

bool Byte_Reader::Read_U16(uint16_t& Out) {
    const uint8_t* At = nullptr;
    if (!Take(2, At)) return false;
    Out = static_cast<uint16_t>(At[0] | (At[1] << 8));
    return true;
}

bool Byte_Reader::Read_I16(int16_t& Out) {
    uint16_t V = 0;
    if (!Read_U16(V)) return false;
    Out = static_cast<int16_t>(V);
    return true;
}

bool Byte_Reader::Read_U32(uint32_t& Out) {
    const uint8_t* At = nullptr;
    if (!Take(4, At)) return false;
    Out = static_cast<uint32_t>(At[0]) | (static_cast<uint32_t>(At[1]) << 8) |
          (static_cast<uint32_t>(At[2]) << 16) | (static_cast<uint32_t>(At[3]) << 24);
    return true;
}

bool Byte_Reader::Read_U64(uint64_t& Out) {
    uint32_t Low = 0, High = 0;
    if (!Read_U32(Low) || !Read_U32(High)) return false;
    Out = Low | uint64_t{High} << 32;
    return true;
}

bool Byte_Reader::Read_F32(float& Out) {
    uint32_t Bits = 0;
    if (!Read_U32(Bits)) return false;
    std::memcpy(&Out, &Bits, sizeof Out);
    return true;
}

bool Byte_Reader::Read_Bool(bool& Out) {
    int16_t V = 0;
    if (!Read_I16(V)) return false;
    Out = V != 0;
    return true;
}

void Byte_Writer::Write_Raw(const void* Data, size_t Size) {
    const auto* P = static_cast<const uint8_t*>(Data);
    Bytes.insert(Bytes.end(), P, P + Size);
}

void Byte_Writer::Write_U16(uint16_t V) {
    Bytes.push_back(static_cast<uint8_t>(V & 0xFF));
    Bytes.push_back(static_cast<uint8_t>(V >> 8));
}

void Byte_Writer::Write_U32(uint32_t V) {
    for (int Shift = 0; Shift < 32; Shift += 8)
        Bytes.push_back(static_cast<uint8_t>(V >> Shift));
}

void Byte_Writer::Write_U64(uint64_t V) {
    Write_U32(static_cast<uint32_t>(V));
    Write_U32(static_cast<uint32_t>(V >> 32));
}

void Byte_Writer::Write_F32(float V) {
    uint32_t Bits = 0;
    std::memcpy(&Bits, &V, sizeof Bits);
    Write_U32(Bits);
}

void Byte_Writer::Write_Counted(const std::string& S) {
    Write_U16(static_cast<uint16_t>(S.size()));
    Write_Bytes(S);
}
