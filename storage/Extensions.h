#pragma once
#include "storage/Byte_Stream.h"
#include "storage/Settings.h"

#include <cstdint>
#include <map>
#include <span>
#include <vector>

// Records this program keeps after everything an older reader reads, found from the file's
// end:
//
//   per record: U16 tag, U32 size, the bytes
//   the trailer, 28 bytes: U32 size of the records, U32 check of the records, U32 size of the
//               head the next check covers (from the file's start), U32 check of that head,
//               U32 offset of the records from the file's start, "PLFTEXT1"
//
// Every check is XXH32. The head holds every field and the Unicode block's rows, and each row
// checks its own text, so the head's check vouches for all that precedes the records. Older
// programs rewrite the file without truncating it: a trailer they leave behind no longer
// matches the head before it, and is never read.
enum class Extension_Tag : uint16_t {
    Quick_Paste = 1, // U8 on (0 or 1), U8 virtual key, U8 modifiers
    // U64 identity, U64 number of the last journal record the file holds, U64 the identity
    // it replaced, U64 that journal's last record (the first two only in earlier files)
    Journal = 2,
    History = 3, // U32 texts the history keeps
    // U8 paused (0 or 1), U16 days after which copies expire, U16 count of excluded programs,
    // per program a U16-counted UTF-8 file name; only when one of them is not the default
    Privacy = 4,
    // per node with a known time, by index: U8 index, I64 seconds since 1970 UTC it was filled
    Slot_Times = 5,
};

using Extensions = std::map<Extension_Tag, std::vector<uint8_t>>;

// The records and the trailer for a file whose head is Head and whose records start at
// Records_Start; nothing when there are no records.
std::vector<uint8_t> Write_Extensions(const Extensions& Records, std::span<const uint8_t> Head,
                                      size_t Records_Start);

// The intact records of a whole file image; none when its trailer is missing, damaged or
// left behind by another writer. Unknown tags are left out.
Extensions Read_Extensions(std::span<const uint8_t> File);

// Tag, size and Bytes, as records and journal entries are framed; nothing for no bytes.
void Write_Tagged(Byte_Writer& W, uint16_t Tag, std::span<const uint8_t> Bytes);

// The settings records, which journal entries repeat; none at the defaults. A reader of a
// short or damaged one gives the defaults.
std::vector<uint8_t> History_Bytes(const Settings& U);
void Read_History(std::span<const uint8_t> Bytes, Settings& U);
// The privacy settings as the Privacy record (and the journal) holds them; none at defaults.
std::vector<uint8_t> Privacy_Bytes(const Settings& U);
// Sets the privacy settings from a record; an empty, short or damaged one gives the defaults.
void Read_Privacy(std::span<const uint8_t> Bytes, Settings& U);
// The nodes' filled times as the Slot_Times record holds them: those with a time or, given
// Before, those whose time differs from Before's.
std::vector<uint8_t> Slot_Times_Bytes(const LinkList& Now, const LinkList* Before = nullptr);
// The entries onto the list's nodes; one naming no node, a time before 1970 or a cut end is
// passed over.
void Read_Slot_Times(std::span<const uint8_t> Bytes, LinkList& List);
