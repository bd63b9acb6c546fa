#pragma once
#include "storage/Byte_Stream.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The texts that the 8-bit fields could not hold exactly, kept whole in UTF-8 after the free
// stack. Readers that stop at the free stack never see it.
//
//   "PLFTUTF8"  magic, 8 bytes
//   U32         size of the body
//   body:       U16 count, then per text: U8 kind, U8 node index, U32 CRC-32 of the 8-bit
//               field as written beside it, U32 size, the UTF-8 bytes
//   U32         CRC-32 of the body
//
// The per-text CRC ties each text to its 8-bit field, so a block left behind by a writer that
// later changed the field (an older program writes over the file without truncating it) is
// not applied to the new field.
enum class Wide_Kind : uint8_t { Text = 0, Description = 1, Text_Font = 2, Tip_Font = 3 };

struct Wide_Field {
    Wide_Kind Kind = Wide_Kind::Text;
    uint8_t Index = 0;
    uint32_t Field_Crc = 0;
    std::string Utf8;
};

// Writes nothing when there is nothing to add.
void Write_Unicode_Block(Byte_Writer& W, const std::vector<Wide_Field>& Fields);

// The fields of an intact block at the reader's position; nothing when there is no block or
// any part of it is damaged.
std::optional<std::vector<Wide_Field>> Read_Unicode_Block(Byte_Reader& R);
