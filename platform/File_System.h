#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
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

// A file's bytes in pieces, written one after the other: a large text goes to the disk from
// where it lies, not through a copy of the whole file.
using Byte_Pieces = std::vector<std::span<const uint8_t>>;

struct Local_Time {
    int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};

// Whole-file reads, the two steps of an atomic save and what recovery needs beside them. Each
// write returns "" on success, otherwise the reason in words the user can read.
struct File_System {
    virtual ~File_System() = default;
    virtual File_Read Read_File(const std::string& Path, size_t Max_Bytes) const = 0;
    // Up to Size bytes from Offset; fewer at the file's end.
    virtual File_Read Read_Part(const std::string& Path, uint64_t Offset, size_t Size) const = 0;
    // Creates or truncates Path, writes all the pieces and flushes them to the disk.
    virtual std::string Write_New_File(const std::string& Path, const Byte_Pieces& Pieces) = 0;
    std::string Write_New_File(const std::string& Path, const std::vector<uint8_t>& Bytes) {
        return Write_New_File(Path, Byte_Pieces{std::span<const uint8_t>(Bytes)});
    }
    // Adds the pieces at the end of Path, creating it when missing; Flush: on the disk before
    // it returns, not only in the system's cache (which a killed program does not lose).
    virtual std::string Append_File(const std::string& Path, const Byte_Pieces& Pieces,
                                    bool Flush) = 0;
    // Puts Source in Target's place in one step. A failure may still have removed Target
    // (Source then keeps the only copy): the result says.
    virtual Replace_Result Replace_File(const std::string& Source, const std::string& Target) = 0;
    // Renames Source to Target; fails when Target exists.
    virtual std::string Move_File(const std::string& Source, const std::string& Target) = 0;
    virtual void Remove_File(const std::string& Path) = 0;
    virtual bool File_Exists(const std::string& Path) const = 0;
    // The full paths of the files whose path starts with Prefix (its folder's files only).
    virtual std::vector<std::string> Files_Starting(const std::string& Prefix) const = 0;
    // Its size in bytes; 0 for a missing file or one whose size cannot be read.
    virtual uint64_t File_Size(const std::string& Path) const = 0;
    // Waits before another try at a busy file; tests do not wait.
    virtual void Pause(int Milliseconds) = 0;
    virtual Local_Time Now() const = 0;
};
