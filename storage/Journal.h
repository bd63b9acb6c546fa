#pragma once
#include "storage/Settings.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

// The journal beside the data file: what the list and the settings became at each save since
// the data file was last written whole, so that a change costs its own size on disk.
//
//   "PLFTJRNL", U64 identity (the data file it continues carries the same one)
//   records: U32 size of the body, U32 XXH32 of the body, the body:
//     U64 number: 1, 2, ... over the data file's life; the data file says up to which it holds
//     the list: I16 Head, Tail, List_Ubound, Free_Top, the free stack (71 I16), per node
//       I16 Prev, I16 Next, U8 Locked
//     the settings: I16 Current_Slot, Add_Mode, Ignore_Case, Reserved, U8 Del_Warn, Print_Tip,
//       On_Top, U8 placement kept (then I16 Left, Top, Width, Height), per font (text, tip) a
//       U32-counted UTF-8 name, F32 size, U8 bold, italic, underline, U8 Quick Paste on, U8 its
//       key, U8 its modifiers
//     U8 count of the nodes whose text or description changed, and per node: U8 index,
//       U32-counted text, U32-counted description (UTF-8)
//
// A record is applied whole or not at all: one whose size or check does not hold ends the
// journal there (a write cut short by a crash).
inline constexpr size_t Journal_Header_Size = 16;

std::vector<uint8_t> Journal_Header(uint64_t Identity);
// 0 when Bytes do not start with a journal's header.
uint64_t Journal_Identity(std::span<const uint8_t> Bytes);

// The record numbered Number that takes a list whose nodes held Before's contents to Now.
std::vector<uint8_t> Journal_Record(uint64_t Number, const Settings& Util, const LinkList& Now,
                                    const LinkList& Before);

struct Journal_Replay {
    uint64_t Last = 0;  // the number of the last record applied, or Upto when none was
    size_t Records = 0; // applied
    size_t Good_Size = 0; // bytes of whole records from the start, the header included
    bool Damaged = false; // bytes after the last good record that are not one
};

// Size bytes of the journal from Offset, fewer at its end; throws when they cannot be read.
using Journal_Reader = std::function<std::vector<uint8_t>(uint64_t Offset, size_t Size)>;

// Applies the journal's records numbered above Upto, in order, to Data, reading one record at
// a time: the journal is never in memory whole.
Journal_Replay Replay_Journal(const Journal_Reader& Read, uint64_t Upto, Stored_Data& Data);
