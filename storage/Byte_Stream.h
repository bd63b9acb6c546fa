#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Reads little-endian fields from a file image. Running past the end fails that read and
// every later one, leaving their targets untouched: a short file keeps the later fields as
// they were.
class Byte_Reader {
  public:
    Byte_Reader(const uint8_t* Data, size_t Size) : Data_(Data), Size_(Size) {}
    explicit Byte_Reader(const std::vector<uint8_t>& Bytes)
        : Byte_Reader(Bytes.data(), Bytes.size()) {}

    bool Ok() const { return Ok_; }
    size_t Position() const { return Pos_; }
    size_t Remaining() const { return Ok_ ? Size_ - Pos_ : 0; }

    bool Read_Bytes(size_t Count, std::string& Out);
    // The next Count bytes in place, without copying them.
    bool Read_Span(size_t Count, const uint8_t*& At) { return Take(Count, At); }
    bool Read_U8(uint8_t& Out);
    bool Read_U16(uint16_t& Out);
    bool Read_I16(int16_t& Out);
    bool Read_U32(uint32_t& Out);
    bool Read_U64(uint64_t& Out);
    bool Read_F32(float& Out);
    bool Read_Bool(bool& Out); // any non-zero Integer is True

  private:
    bool Take(size_t Count, const uint8_t*& At);
    const uint8_t* Data_;
    size_t Size_;
    size_t Pos_ = 0;
    bool Ok_ = true;
};

class Byte_Writer {
  public:
    std::vector<uint8_t> Bytes;

    void Write_Bytes(const std::string& S) { Write_Raw(S.data(), S.size()); }
    void Write_Raw(const void* Data, size_t Size);
    void Write_U8(uint8_t V) { Bytes.push_back(V); }
    void Write_U16(uint16_t V);
    void Write_I16(int16_t V) { Write_U16(static_cast<uint16_t>(V)); }
    void Write_U32(uint32_t V);
    void Write_U64(uint64_t V);
    void Write_F32(float V);
    void Write_Bool(bool V) { Write_I16(static_cast<int16_t>(V ? -1 : 0)); }
    // The caller keeps S within 65,535 bytes.
    void Write_Counted(const std::string& S);
};
