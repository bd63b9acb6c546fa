#pragma once
#include "storage/Settings.h"

#include <string>

struct File_System;
struct Text_Codec;

// Where the data file lives and how its 8-bit fields are written.
struct Data_Location {
    File_System& Files;
    const Text_Codec& Text;
    std::string Data_File; // full path
};

// The folder, a backslash unless it already ends in a separator, and the file's name.
std::string Path_In_Folder(const std::string& Folder, const std::string& Name);
// The data file: the title and ".ini" in the program's folder.
std::string Data_File_Path(const std::string& Folder, const std::string& Title);

enum class Load_Status {
    Fresh,  // no data file: defaults and an empty list
    Loaded, // the file's slots and settings, repaired where it was damaged
};

struct Loaded_Data {
    Load_Status Status = Load_Status::Fresh;
    Stored_Data Data;
};

// Reads the data file. Never fails: a missing, unreadable or damaged file gives defaults or
// whatever could be recovered, and the list is always consistent.
Loaded_Data Load_Data(const Data_Location& Where);

// Writes the data file atomically: the whole image to a temporary file beside it, then one
// replace. Returns "" on success, otherwise the reason; the previous file is then left whole.
std::string Save_Data(const Settings& Util, const LinkList& List, const Data_Location& Where);
