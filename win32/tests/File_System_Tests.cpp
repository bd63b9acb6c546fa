#include "win32/Win32_File_System.h"
#include "win32/Win32_Text.h"
#include "win32/tests/Check.h"

#include <windows.h>

int File_System_Tests() {
    Check_Count C;
    Win32_File_System Fs;
    wchar_t Base[MAX_PATH];
    GetTempPathW(MAX_PATH, Base);
    const std::wstring Folder = std::wstring(Base) + L"PimLoft tests \x00E9\x65E5";
    CreateDirectoryW(Folder.c_str(), nullptr);
    const std::string Dir = To_Utf8(Folder), Target = Dir + "\\PimLoft.ini";
    const std::string Temp = Target + ".new";
    Fs.Remove_File(Target);
    CHECK(C, Fs.Read_File(Target).Status == Read_Status::Missing);

    // The save's two steps: first with no old file, then over one.
    const std::vector<uint8_t> Generations[] = {{1, 2, 3, 0, 255}, std::vector<uint8_t>(3 << 20, 7)};
    for (const auto& Bytes : Generations) {
        CHECK(C, Fs.Write_New_File(Temp, Bytes).empty() && Fs.Replace_File(Temp, Target).empty());
        const File_Read Back = Fs.Read_File(Target);
        CHECK(C, !Fs.File_Exists(Temp) && Back.Status == Read_Status::Ok && Back.Bytes == Bytes);
    }

    // A failure names the file and gives the system's reason; the old file stays whole.
    const std::string Nowhere = Dir + "\\no such folder\\PimLoft.ini";
    const std::string Error = Fs.Write_New_File(Nowhere, {1});
    CHECK(C, Error.find(Nowhere) == 0 && Error.size() > Nowhere.size() + 2);
    CHECK(C, !Fs.Replace_File(Dir + "\\absent.new", Target).empty());
    CHECK(C, Fs.Read_File(Target).Bytes == Generations[1]);
    Fs.Remove_File(Target);
    CHECK(C, !Fs.File_Exists(Target));
    RemoveDirectoryW(Folder.c_str());
    return C.Failures;
}
