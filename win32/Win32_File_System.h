#pragma once
#include "platform/FileSystem.h"

// Files through CreateFileW; the atomic save ends in ReplaceFileW.
class Win32_File_System final : public File_System {
  public:
    File_Read Read_File(const std::string& Path) const override;
    std::string Write_New_File(const std::string& Path, const std::vector<uint8_t>& Bytes) override;
    std::string Replace_File(const std::string& Source, const std::string& Target) override;
    void Remove_File(const std::string& Path) override;
    bool File_Exists(const std::string& Path) const override;
};
