#pragma once
#include "platform/File_System.h"

// Files through CreateFileW; the atomic save ends in ReplaceFileW.
class Win32_File_System final : public File_System {
  public:
    File_Read Read_File(const std::string& Path, size_t Max_Bytes) const override;
    File_Read Read_Part(const std::string& Path, uint64_t Offset, size_t Size) const override;
    using File_System::Write_New_File;
    std::string Write_New_File(const std::string& Path, const Byte_Pieces& Pieces) override;
    std::string Append_File(const std::string& Path, const Byte_Pieces& Pieces,
                            bool Flush) override;
    Replace_Result Replace_File(const std::string& Source, const std::string& Target) override;
    std::string Move_File(const std::string& Source, const std::string& Target) override;
    void Remove_File(const std::string& Path) override;
    bool File_Exists(const std::string& Path) const override;
    std::vector<std::string> Files_Starting(const std::string& Prefix) const override;
    uint64_t File_Size(const std::string& Path) const override;
    void Pause(int Milliseconds) override;
    Local_Time Now() const override;
};
