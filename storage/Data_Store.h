#pragma once
#include "platform/File_System.h"
#include "storage/Settings.h"

#include <string>
#include <string_view>

struct Text_Codec;
struct Trace;

// Where the data file lives and how its 8-bit fields are written.
struct Data_Location {
    File_System& Files;
    const Text_Codec& Text;
    std::string Data_File; // full path
    Trace& Log;
};

struct Moved_Aside {
    bool Moved = false;
    std::string Path;  // the name it was to take, in full
    std::string Name;  // and without the folder
    std::string Error; // why it could not, as a clause
};
// What a file kept aside has after its name, before the time stamp.
inline constexpr std::string_view Aside_Mark = ".unreadable-";
// Renames a file that could not be used to Path.unreadable-YYYYMMDD-HHMMSS; Why goes to the trace.
Moved_Aside Move_Aside(File_System& Files, Trace& Log, const std::string& Path,
                       const std::string& Why);

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
    size_t Size = 0; // of the file loaded
};

// Reads the data file, waiting briefly while another program holds it. Never loses a file:
// one that exists but cannot be used is moved aside (or, failing that, left alone and saving
// must stay off) and the list starts fresh. The list is always consistent.
Loaded_Data Load_Data(const Data_Location& Where);

// The journal beside the data file, which continues it with the changes since it was last
// written whole.
std::string Journal_Path(const std::string& Data_File);

struct Journal_State {
    uint64_t Last = 0;          // the number of its last record (the data file's Upto when none)
    size_t Size = 0;            // its bytes on disk; 0 when there is none
    bool Appendable = false;    // it continues the data file and ends with a whole record
    std::string Message;        // for the user: a journal kept aside
    bool Left = false;          // one that could be neither used nor moved: nothing may be saved
    bool Replaced_Left = false; // the one the data file replaced, which could not be removed
};

// Applies the journal that continues Data (as loaded from the data file) to it: the records
// that follow the data file's mark without a gap. The journal the data file replaced is
// removed when the file holds all of it. Any other journal (one that cannot be read, is
// damaged, comes from a newer version or continues another state of the data file) is moved
// aside whole, never written over; the records before damage are applied.
Journal_State Load_Journal(const Data_Location& Where, Stored_Data& Data);

// Writes the data file atomically: the whole image to a temporary file beside it, then one
// replace. Returns "" on success, otherwise the reason. A failure leaves the previous file
// whole, or, when the replace lost it, keeps the temporary file for the next start.
// Mark names the journal that continues the file, if any.
// Written, when given, receives the file's size.
std::string Save_Data(const Settings& Util, const LinkList& List, const Data_Location& Where,
                      const Journal_Mark& Mark = {}, size_t* Written = nullptr);
