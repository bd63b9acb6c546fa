#include "win32/Win32_File_System.h"
#include "win32/Win32_Text.h"
#include "win32/tests/Check.h"

#include <windows.h>

namespace {

std::string Temp_Folder() {
    wchar_t Base[MAX_PATH];
    GetTempPathW(MAX_PATH, Base);
    std::wstring Dir = std::wstring(Base) + L"PimLoft tests \x00E9\x65E5";
    CreateDirectoryW(Dir.c_str(), nullptr);
    return To_Utf8(Dir);
}

} // namespace

int File_System_Tests() {
    Check_Count C;
    Win32_File_System Fs;
    const std::string Dir = Temp_Folder();
    const std::string Target = Dir + "\\PimLoft.ini";
    const std::string Temp = Dir + "\\PimLoft.ini.new";
    Fs.Remove_File(Target);
    Fs.Remove_File(Temp);

    const File_Read Missing = Fs.Read_File(Target, 64u << 20);
    CHECK(C, Missing.Status == Read_Status::Missing);

    // The save's two steps: first with no old file, then over one.
    const std::vector<std::vector<uint8_t>> Generations = {{1, 2, 3, 0, 255},
                                                           std::vector<uint8_t>(3 << 20, 7)};
    for (const auto& Bytes : Generations) {
        CHECK(C, Fs.Write_New_File(Temp, Bytes).empty());
        CHECK(C, Fs.Replace_File(Temp, Target).Error.empty());
        CHECK(C, !Fs.File_Exists(Temp));
        const File_Read Back = Fs.Read_File(Target, 64u << 20);
        CHECK(C, Back.Status == Read_Status::Ok);
        CHECK(C, Back.Bytes == Bytes);
    }

    // A failure names the file and gives the system's reason; the old file stays whole.
    const std::string Nowhere = Dir + "\\no such folder\\PimLoft.ini";
    const std::string Error = Fs.Write_New_File(Nowhere, std::vector<uint8_t>{1});
    CHECK(C, Error.find(Nowhere) == 0 && Error.size() > Nowhere.size() + 2);
    CHECK(C, !Fs.Replace_File(Dir + "\\absent.new", Target).Error.empty());
    CHECK(C, Fs.Read_File(Target, 64u << 20).Bytes == Generations.back());

    Fs.Remove_File(Target);
    CHECK(C, !Fs.File_Exists(Target));
    RemoveDirectoryW(To_Wide(Dir).c_str());
    return C.Failures;
}
