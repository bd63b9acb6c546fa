#pragma once
#include <cstddef>

// How large what the program keeps may grow. They agree: the data file a full list of the
// largest slots makes stays well below what the reader takes, and both fit in a 32-bit
// process (the file's bytes and the slots it fills are in memory together while loading).

// Texts above this many bytes of UTF-8 are not taken from the clipboard at all.
inline constexpr size_t Max_Clip_Bytes = 4u << 20;
// A description made from a text's first line: no more than a tool tip shows, in characters.
inline constexpr size_t Max_Made_Description_Chars = 1024;
// What the description box takes, in UTF-16 units (3 bytes of UTF-8 each at most).
inline constexpr size_t Max_Typed_Description_Units = 32767;
// The reader takes no file larger than this. The writer refuses to write one larger.
inline constexpr size_t Max_Data_File_Bytes = 512u << 20;
