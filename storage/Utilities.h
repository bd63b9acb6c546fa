#pragma once
#include "platform/Fonts.h"
#include "slots/LinkList.h"

#include <cstdint>
#include <string>

struct File_System;
struct Text_Codec;

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

// The settings with their defaults, and what the data file needs between a load and a save.
struct Utilities {
    std::string Data_File;
    int16_t Current_Slot = 0;
    int16_t Add_Mode = Mode_Next_Free;
    bool Del_Warn = true;
    int16_t Ignore_Case = 1;
    bool Print_Tip = true;
    std::string Text_Font_Name = "Courier New";
    float Text_Font_Size = 10;
    bool Text_Font_Bold = false;
    bool Text_Font_Italic = false;
    bool Text_Font_Underline = false;
    std::string Tip_Font_Name = "Times New Roman";
    float Tip_Font_Size = 14;
    bool Tip_Font_Bold = true;
    bool Tip_Font_Italic = false;
    bool Tip_Font_Underline = false;
    std::string File_Version;
    Settings_Record Saved_Settings;
};

// The two printing fonts as one value each.
Font_Spec Text_Font(const Utilities& U);
Font_Spec Tip_Font(const Utilities& U);
void Set_Text_Font(Utilities& U, const Font_Spec& F);
void Set_Tip_Font(Utilities& U, const Font_Spec& F);

// The only parts of the main window the data file reads and sets.
struct Data_Window {
    virtual ~Data_Window() = default;
    virtual int WindowState() const = 0;
    virtual double Left() const = 0;
    virtual double Top() const = 0;
    virtual double Width() const = 0;
    virtual double Height() const = 0;
    virtual void Set_Left(double Twips) = 0;
    virtual void Set_Top(double Twips) = 0;
    virtual void Set_Width(double Twips) = 0;
    virtual void Set_Height(double Twips) = 0;
    virtual double Screen_Width() const = 0;
    virtual double Screen_Height() const = 0;
    virtual bool Top_Checked() const = 0; // mnuTop's check mark
    virtual void Set_Top_Checked(bool Checked) = 0;
};

// Where the data file lives and how its 8-bit fields are written.
struct Data_Store {
    File_System& Files;
    const Text_Codec& Text;
    std::string Folder; // the program's folder
    std::string Title;  // the application title
};

// The folder, a backslash unless it already ends in a separator, and the file's name.
std::string Path_In_Folder(const std::string& Folder, const std::string& Name);
// The data file: the title and ".ini" in the program's folder.
std::string Data_File_Path(const std::string& Folder, const std::string& Title);

// Sets the defaults, reads the data file into List and U, and places the window. Never fails:
// a missing, unreadable or damaged file gives defaults or whatever could be recovered.
void Load_Data(Utilities& U, LinkList& List, Data_Window& Win, const Data_Store& Store);

// Writes the data file atomically: the whole image to a temporary file beside it, then one
// replace. Returns "" on success, otherwise the reason; the previous file is then left whole.
std::string Save_Data(Utilities& U, const LinkList& List, const Data_Window& Win,
                      const Data_Store& Store);
