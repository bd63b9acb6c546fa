#pragma once
#include "platform/File_System.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <new>
#include <optional>
#include <string>
#include <vector>

// An in-memory folder whose save steps fail as a disk's do: a cut write leaves a partial file,
// a failed replace may (ERROR_UNABLE_TO_MOVE_REPLACEMENT) have removed the target already.
// Pauses only add up. Leaves out directories, attributes, case-insensitive names and crashes.
class Memory_File_System : public File_System {
  public:
    std::map<std::string, std::vector<uint8_t>> Files;
    // Failure injection; each stays in force until cleared.
    bool Fail_Create = false;               // the file cannot be created at all
    std::optional<size_t> Fail_Write_After; // the write stops after this many bytes
    bool Fail_Flush = false;                // every byte written, the flush fails
    bool Fail_Remove = false;               // a removed file stays
    bool Fail_Replace = false;              // the replace step fails
    bool Replace_Loses_Target = false;      // ... after removing the target
    bool Fail_Read = false;                 // an existing file cannot be read
    bool Read_Out_Of_Memory = false;
    mutable int Busy_Reads = 0; // this many more reads find the file held by another program
    int Paused_Ms = 0;
    size_t Bytes_Written = 0;
    int Unflushed_Appends = 0;
    File_Read Read_File(const std::string& Path, size_t Max_Bytes) const override {
        auto It = Files.find(Path);
        if (It == Files.end()) return {Read_Status::Missing, {}, ""};
        if (Busy_Reads > 0)
            return --Busy_Reads, File_Read{Read_Status::Busy, {}, "The file is in use."};
        if (Read_Out_Of_Memory) throw std::bad_alloc();
        if (Fail_Read) return {Read_Status::Failed, {}, "The file could not be read."};
        if (It->second.size() > Max_Bytes) return {Read_Status::Failed, {}, "Too large."};
        return {Read_Status::Ok, It->second, ""};
    }
    File_Read Read_Part(const std::string& Path, uint64_t Offset, size_t Size) const override {
        File_Read R = Read_File(Path, 0); // the faults of a whole read, without the copy
        if (R.Status == Read_Status::Missing || R.Status == Read_Status::Busy || Fail_Read)
            return R;
        const std::vector<uint8_t>& F = Files.at(Path);
        const auto From = F.begin() + std::ptrdiff_t(std::min<uint64_t>(Offset, F.size()));
        const auto To = From + std::ptrdiff_t(std::min(Size, size_t(F.end() - From)));
        return {Read_Status::Ok, {From, To}, ""};
    }
    using File_System::Write_New_File;
    std::string Write_New_File(const std::string& Path, const Byte_Pieces& Pieces) override {
        if (Fail_Create) return "The file could not be created.";
        Files[Path].clear();
        return Append_File(Path, Pieces, true);
    }
    std::string Append_File(const std::string& Path, const Byte_Pieces& Pieces,
                            bool Flush) override {
        if (Fail_Create) return "The file could not be opened.";
        Unflushed_Appends += !Flush;
        std::vector<uint8_t>& File = Files[Path];
        size_t Left = Fail_Write_After.value_or(SIZE_MAX);
        for (const auto& Piece : Pieces) {
            const size_t Take = std::min(Left, Piece.size());
            File.insert(File.end(), Piece.begin(), Piece.begin() + static_cast<ptrdiff_t>(Take));
            Left -= Take, Bytes_Written += Take;
            if (Take < Piece.size()) return "There is not enough space on the disk.";
        }
        return Flush && Fail_Flush ? "The file could not be flushed to the disk." : "";
    }
    Replace_Result Replace_File(const std::string& Source, const std::string& Target) override {
        if (Replace_Loses_Target) Files.erase(Target);
        if (Fail_Replace || Replace_Loses_Target) return {"Access is denied.", File_Exists(Target)};
        if (!Files.count(Source)) return {"The file to move does not exist.", File_Exists(Target)};
        return Files[Target] = std::move(Files.extract(Source).mapped()), Replace_Result{};
    }
    std::string Move_File(const std::string& Source, const std::string& Target) override {
        if (Busy_Reads > 0) return "The file is in use.";
        if (!Files.count(Source) || Files.count(Target)) return "The file cannot be moved.";
        return Files[Target] = std::move(Files.extract(Source).mapped()), "";
    }
    void Remove_File(const std::string& Path) override {
        if (!Fail_Remove) Files.erase(Path);
    }
    bool File_Exists(const std::string& Path) const override { return Files.count(Path) != 0; }
    std::vector<std::string> Files_Starting(const std::string& Prefix) const override {
        std::vector<std::string> Found;
        for (auto F = Files.lower_bound(Prefix); F != Files.end() && F->first.starts_with(Prefix);
             ++F)
            Found.push_back(F->first);
        return Found;
    }
    uint64_t File_Size(const std::string& Path) const override {
        const auto F = Files.find(Path);
        return F == Files.end() ? 0 : F->second.size();
    }
    void Pause(int Milliseconds) override { Paused_Ms += Milliseconds; }
    Local_Time Now() const override { return {2026, 12, 6, 15, 30, 0}; }
};
