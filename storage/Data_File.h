#pragma once
#include "slots/LinkList.h"
#include "storage/Settings.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct Text_Codec;

inline constexpr std::string_view Version_1_00_50 = "1.00.50";
inline constexpr std::string_view Version_1_00_40 = "1.00.40";
inline constexpr std::string_view Version_1_00_10 = "1.00.10";
inline constexpr std::string_view Version_1_00_00 = "1.00.00";
inline constexpr size_t Version_Size = 7;
inline constexpr int Old_Slot_Count = 41;        // slots of a "1.00.00" file
inline constexpr size_t Max_Field_Bytes = 32767; // an 8-bit text field's limit

// The settings block as the data file stores it.
struct Settings_Record {
    int16_t Left = 0, Top = 0, Width = 0, Height = 0;
    int16_t Ignore_Case = 0;
    int16_t Current_Slot = 0;
    int16_t Reserved = 0;
    int16_t Add_Mode = 0;
    int16_t Del_Warn = 0;
    int16_t On_Top = 0;
    int16_t Head = 0, Tail = 0, List_Ubound = 0, Free_Top = 0;
    std::string Text_Font_Name;
    float Text_Font_Size = 0;
    int16_t Text_Font_Bold = 0, Text_Font_Italic = 0, Text_Font_Underline = 0;
    int16_t Print_Tip = 0;
    std::string Tip_Font_Name;
    float Tip_Font_Size = 0;
    int16_t Tip_Font_Bold = 0, Tip_Font_Italic = 0, Tip_Font_Underline = 0;
    bool operator==(const Settings_Record&) const = default;
};

enum class Read_Outcome {
    Not_Ours, // an unknown version or an older text file; Version holds the field as read
    Partial,  // a known version that ends before its free stack
    Whole,
};

// Reads a data file image into Saved and List. On entry they hold what each field keeps when
// the file ends before it.
Read_Outcome Read_Data_File(const std::vector<uint8_t>& Bytes, const Text_Codec& Text,
                            Settings_Record& Saved, LinkList& List, std::string& Version);

// A file image in three parts: Head, the Unicode block's texts where they lie in the list,
// and Tail.
// Head owns everything else, the font names included, so the image never points into the
// settings record it was made from (callers pass temporaries).
struct Data_Image {
    std::vector<uint8_t> Head;
    std::vector<std::string_view> Texts;
    std::vector<uint8_t> Tail; // the extension records, after the texts
    size_t Size() const {
        size_t N = Head.size() + Tail.size();
        for (std::string_view T : Texts)
            N += T.size();
        return N;
    }
};

// The "1.00.50" image of Saved and List, followed by the Unicode block when any text needs it.
// It refers to List's texts, so List must outlive it; Saved need not.
Data_Image Write_Data_File(const Settings_Record& Saved, const LinkList& List,
                           const Text_Codec& Text);
