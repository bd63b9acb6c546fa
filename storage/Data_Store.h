#pragma once
#include "storage/Settings.h"

#include <string>

struct File_System;
struct Text_Codec;
struct Trace;

// Where the data file lives and how its 8-bit fields are written.
struct Data_Location {
    File_System& Files;
    const Text_Codec& Text;
    std::string Data_File; // full path
    Trace& Log;
};

// The folder, a backslash unless it already ends in a separator, and the file's name.
std::string Path_In_Folder(const std::string& Folder, const std::string& Name);
// The data file: the title and ".ini" in the program's folder.
std::string Data_File_Path(const std::string& Folder, const std::string& Title);

enum class Load_Status {
    Fresh,     // no data file: defaults and an empty list
    Loaded,    // the file's slots and settings, repaired where it was damaged
    Recovered, // no data file, but a save cut short had written it whole: loaded from there
    Set_Aside, // the file could not be read: kept under another name, a fresh start
    Left,      // could not be read nor moved: a fresh start, and no save may write over it
};

struct Loaded_Data {
    Load_Status Status = Load_Status::Fresh;
    Stored_Data Data;
    // For the user, once, when not empty: what happened to which file and why.
    std::string Message;
};

// Reads the data file, waiting briefly while another program holds it. Never loses a file:
// one that exists but cannot be used is moved aside (or, failing that, left alone and saving
// must stay off) and the list starts fresh. The list is always consistent.
Loaded_Data Load_Data(const Data_Location& Where);

// Writes the data file atomically: the whole image to a temporary file beside it, then one
// replace. Returns "" on success, otherwise the reason. A failure leaves the previous file
// whole, or, when the replace lost it, keeps the temporary file for the next start.
std::string Save_Data(const Settings& Util, const LinkList& List, const Data_Location& Where);
