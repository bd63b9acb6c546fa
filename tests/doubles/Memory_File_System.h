#pragma once
#include "platform/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// An in-memory folder: paths are plain strings, files are byte vectors. Each step of a save
// can be made to fail the way a disk does: a write that fails part-way leaves a partial file,
// a failed flush leaves the written bytes, a failed replace leaves both files as they were.
// Leaves out: directories, attributes, sharing, case-insensitive names and real crashes.
class Memory_File_System : public File_System {
  public:
    std::map<std::string, std::vector<uint8_t>> Files;

    // Failure injection; each stays in force until cleared.
    bool Fail_Create = false;               // the file cannot be created at all
    std::optional<size_t> Fail_Write_After; // the write stops after this many bytes
    bool Fail_Flush = false;                // every byte written, the flush fails
    bool Fail_Replace = false;              // the replace step fails
    bool Fail_Read = false;                 // an existing file cannot be read

    int Writes = 0;

    File_Read Read_File(const std::string& Path) const override {
        auto It = Files.find(Path);
        if (It == Files.end()) return {Read_Status::Missing, {}, ""};
        if (Fail_Read) return {Read_Status::Failed, {}, "The file could not be read."};
        return {Read_Status::Ok, It->second, ""};
    }

    std::string Write_New_File(const std::string& Path,
                               const std::vector<uint8_t>& Bytes) override {
        ++Writes;
        if (Fail_Create) return "The file could not be created.";
        if (Fail_Write_After && *Fail_Write_After < Bytes.size()) {
            Files[Path].assign(Bytes.begin(),
                               Bytes.begin() + static_cast<std::ptrdiff_t>(*Fail_Write_After));
            return "There is not enough space on the disk.";
        }
        Files[Path] = Bytes;
        if (Fail_Flush) return "The file could not be flushed to the disk.";
        return "";
    }

    std::string Replace_File(const std::string& Source, const std::string& Target) override {
        if (Fail_Replace) return "Access is denied.";
        auto It = Files.find(Source);
        if (It == Files.end()) return "The file to move does not exist.";
        Files[Target] = std::move(It->second);
        Files.erase(Source);
        return "";
    }

    void Remove_File(const std::string& Path) override { Files.erase(Path); }

    bool File_Exists(const std::string& Path) const override { return Files.count(Path) != 0; }
};
