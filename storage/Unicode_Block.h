#pragma once
#include "storage/Byte_Stream.h"

#include <cstdint>
#include <string_view>
#include <vector>

// The texts that the 8-bit fields could not hold exactly, kept whole in UTF-8 after the free
// stack. Readers that stop at the free stack never see it.
//
//   "PLFTWIDE"  magic, 8 bytes
//   U16         number of entries
//   per entry, 22 bytes: U8 kind, U8 node index, U32 check of the 8-bit field as written
//               beside it, U32 offset of its text from the end of these rows, U32 size of
//               the text, U32 check of the text, U32 check of this row's first 18 bytes
//   the texts
//
// Each row and each text has its own check, so damage costs only the entries it touches.
// The field check ties a text to its 8-bit field, so a block left behind by a writer that
// later changed the field (an older program writes over the file without truncating it) is
// not applied to the new field. Every check is XXH32.
//
// Earlier builds wrote "PLFTUTF8", U32 body size, the body (U16 count; per entry U8 kind,
// U8 index, U32 CRC-32 of the 8-bit field, U32 size, the text) and the body's CRC-32; it is
// still read, whole or not at all.
enum class Wide_Kind : uint8_t { Text = 0, Description = 1, Text_Font = 2, Tip_Font = 3 };

struct Wide_Field {
    Wide_Kind Kind = Wide_Kind::Text;
    uint8_t Index = 0;
    uint32_t Field_Check = 0;
    std::string_view Utf8; // into the writer's list or the reader's file image
};

struct Wide_Block {
    bool Crc_Checks = false; // an earlier build's block: field checks are CRC-32
    std::vector<Wide_Field> Fields;
};

// Bytes the block of these fields takes before its texts; 0 when there is nothing to add.
size_t Unicode_Rows_Size(const std::vector<Wide_Field>& Fields);
// Everything but the texts, which follow in the order of Fields.
void Write_Unicode_Rows(Byte_Writer& W, const std::vector<Wide_Field>& Fields);

// The intact entries of a block at the reader's position; none when there is no block.
Wide_Block Read_Unicode_Block(Byte_Reader& R);
