#pragma once
#include "storage/Settings.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

// The journal beside the data file: what the list and the settings became at each save since
// the data file was last written whole, so that a change costs its own size on disk.
//
//   "PLFTJRN2", U64 identity (the data file it continues carries the same one)
//   records: U32 size of the body, U32 XXH32 of the body, the body:
//     U64 number: one more than the record before it; the data file says up to which it holds
//     the list: I16 Head, Tail, List_Ubound, Free_Top, the free stack (71 I16), per node
//       I16 Prev, I16 Next, U8 Locked
//     the settings: I16 Current_Slot, Add_Mode, Ignore_Case, Reserved, U8 Del_Warn, Print_Tip,
//       On_Top, U8 placement kept (then I16 Left, Top, Width, Height), per font (text, tip) a
//       U32-counted UTF-8 name, F32 size, U8 bold, italic, underline, U8 Quick Paste on, U8 its
//       key, U8 its modifiers
//     U8 count of the nodes whose text or description changed, and per node: U8 index,
//       U32-counted text, U32-counted description (UTF-8)
//     to the body's end, entries that later versions add: U16 tag, U32 size, the bytes;
//       tags a reader does not know are skipped; a setting without its entry is the default.
//       Tag 1: U32 texts the history keeps, only when not the default. Tag 2: the privacy
//       settings as the data file's Privacy record holds them, only when not the defaults.
//       Tag 3: the nodes whose filled time changed, as the Slot_Times record holds them
//
// Journals of earlier versions start "PLFTJRNL" and their bodies end after the texts: they are
// read, never appended to, so a record of this version never reaches a reader that would take
// it for damage.
inline constexpr size_t Journal_Header_Size = 16;

std::vector<uint8_t> Journal_Header(uint64_t Identity);

struct Journal_Header_Read {
    uint64_t Identity = 0; // 0 when the bytes do not start with a journal's header
    bool Earlier = false;  // written by an earlier version
};
Journal_Header_Read Read_Journal_Header(std::span<const uint8_t> Bytes);

// The record numbered Number that takes a list whose nodes held Before's contents to Now.
std::vector<uint8_t> Journal_Record(uint64_t Number, const Settings& Util, const LinkList& Now,
                                    const LinkList& Before);

enum class Journal_End {
    Whole,     // every record applied or already held
    Torn,      // the last record was cut short by a crash: left out
    Damaged,   // a record fails its check and more follows it: it and the rest left out
    Newer,     // a record holds its check but this version cannot read it: it and the rest left
    Elsewhere, // the numbers do not continue the data file's: Data is not to be used
};

// The records run without a gap, so those above Upto, up to Final, are the ones applied.
struct Journal_Replay {
    uint64_t Final = 0;   // the number of the last whole record read; 0 when none was
    size_t Good_Size = 0; // bytes of whole records from the start, the header included
    Journal_End End = Journal_End::Whole;
    uint64_t Last(uint64_t Upto) const { return std::max(Final, Upto); } // the last applied
};

// Size bytes of the journal from Offset, fewer at its end; throws when they cannot be read.
using Journal_Reader = std::function<std::vector<uint8_t>(uint64_t Offset, size_t Size)>;

// Applies the journal's records numbered above Upto, in order, to Data, reading one record at
// a time: the journal is never in memory whole.
Journal_Replay Replay_Journal(const Journal_Reader& Read, uint64_t Upto, Stored_Data& Data);
