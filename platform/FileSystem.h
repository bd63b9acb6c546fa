#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum class Read_Status { Ok, Missing, Failed };

struct File_Read {
    Read_Status Status = Read_Status::Missing;
    std::vector<uint8_t> Bytes;
    std::string Error;
};

// Whole-file reads and the two steps of an atomic save. Each write returns "" on success,
// otherwise the reason in words the user can read.
struct File_System {
    virtual ~File_System() = default;
    virtual File_Read Read_File(const std::string& Path) const = 0;
    // Creates or truncates Path, writes all of Bytes and flushes them to the disk.
    virtual std::string Write_New_File(const std::string& Path,
                                       const std::vector<uint8_t>& Bytes) = 0;
    // Puts Source in Target's place in one step (the old Target stays whole on failure).
    virtual std::string Replace_File(const std::string& Source, const std::string& Target) = 0;
    virtual void Remove_File(const std::string& Path) = 0;
    virtual bool File_Exists(const std::string& Path) const = 0;
};
