#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class Read_Status {
    Ok,
    Missing,
    Busy,   // another program holds the file open: worth another try shortly
    Failed, // anything else, including a file larger than the caller takes
};

struct File_Read {
    Read_Status Status = Read_Status::Missing;
    std::vector<uint8_t> Bytes;
    std::string Error;
};

struct Replace_Result {
    std::string Error;       // "" on success
    bool Target_Kept = true; // on failure: the old target is still in place
};

struct Local_Time {
    int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};

// Whole-file reads, the two steps of an atomic save and what recovery needs beside them. Each
// write returns "" on success, otherwise the reason in words the user can read.
struct File_System {
    virtual ~File_System() = default;
    virtual File_Read Read_File(const std::string& Path, size_t Max_Bytes) const = 0;
    // Creates or truncates Path, writes all of Bytes and flushes them to the disk.
    virtual std::string Write_New_File(const std::string& Path,
                                       const std::vector<uint8_t>& Bytes) = 0;
    // Puts Source in Target's place in one step. A failure may still have removed Target
    // (Source then keeps the only copy): the result says.
    virtual Replace_Result Replace_File(const std::string& Source, const std::string& Target) = 0;
    // Renames Source to Target; fails when Target exists.
    virtual std::string Move_File(const std::string& Source, const std::string& Target) = 0;
    virtual void Remove_File(const std::string& Path) = 0;
    virtual bool File_Exists(const std::string& Path) const = 0;
    // Waits before another try at a busy file; tests do not wait.
    virtual void Pause(int Milliseconds) = 0;
    virtual Local_Time Now() const = 0;
};
