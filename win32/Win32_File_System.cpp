#include "win32/Win32_File_System.h"

#include "win32/System_Error.h"
#include "win32/Unique_Handle.h"
#include "win32/Win32_Text.h"

#include <algorithm>

namespace {

constexpr DWORD Chunk = 1u << 20;

std::string Reason(const std::string& Path, DWORD Code) {
    return Path + ": " + System_Error_Text(Code);
}

// Opens Path to read; on failure R says why, in the terms the loaders retry on. Share: what
// others may do meanwhile.
Unique_File Open_To_Read(const std::string& Path, File_Read& R, DWORD Share = FILE_SHARE_READ) {
    Unique_File F(CreateFileW(To_Wide(Path).c_str(), GENERIC_READ, Share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (F) return F;
    const DWORD Code = GetLastError();
    R.Status = Code == ERROR_FILE_NOT_FOUND || Code == ERROR_PATH_NOT_FOUND ? Read_Status::Missing
               : Code == ERROR_SHARING_VIOLATION || Code == ERROR_LOCK_VIOLATION
                   ? Read_Status::Busy
                   : Read_Status::Failed;
    R.Error = Reason(Path, Code);
    return F;
}

} // namespace

File_Read Win32_File_System::Read_File(const std::string& Path, size_t Max_Bytes) const {
    File_Read R;
    const Unique_File F = Open_To_Read(Path, R);
    if (!F) return R;
    LARGE_INTEGER Size{};
    if (!GetFileSizeEx(F.Get(), &Size) ||
        static_cast<unsigned long long>(Size.QuadPart) > Max_Bytes) {
        R.Status = Read_Status::Failed;
        R.Error = Path + ": the file is too large";
        return R;
    }
    R.Bytes.resize(static_cast<size_t>(Size.QuadPart));
    size_t Done = 0;
    while (Done < R.Bytes.size()) {
        const DWORD Want = static_cast<DWORD>(std::min<size_t>(Chunk, R.Bytes.size() - Done));
        DWORD Got = 0;
        if (!ReadFile(F.Get(), R.Bytes.data() + Done, Want, &Got, nullptr)) {
            const DWORD Code = GetLastError();
            R.Status = Code == ERROR_LOCK_VIOLATION ? Read_Status::Busy : Read_Status::Failed;
            R.Error = Reason(Path, Code);
            R.Bytes.clear();
            return R;
        }
        if (Got == 0) break; // the file shrank meanwhile
        Done += Got;
    }
    R.Bytes.resize(Done);
    R.Status = Read_Status::Ok;
    return R;
}

namespace {

std::string Write_Pieces(HANDLE F, const std::string& Path, const Byte_Pieces& Pieces) {
    for (const std::span<const uint8_t> Piece : Pieces) {
        size_t Done = 0;
        while (Done < Piece.size()) {
            const DWORD Want = static_cast<DWORD>(std::min<size_t>(Chunk, Piece.size() - Done));
            DWORD Put = 0;
            if (!WriteFile(F, Piece.data() + Done, Want, &Put, nullptr) || Put == 0)
                return Reason(Path, GetLastError());
            Done += Put;
        }
    }
    return "";
}

} // namespace

File_Read Win32_File_System::Read_Part(const std::string& Path, uint64_t Offset,
                                       size_t Size) const {
    File_Read R;
    // A search reads the history while its writer appends and a rewrite replaces it: the
    // records it reads never change, and a replaced file's handle still reads the old one.
    const Unique_File F =
        Open_To_Read(Path, R, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    if (!F) return R;
    LARGE_INTEGER At{};
    At.QuadPart = static_cast<LONGLONG>(Offset);
    if (!SetFilePointerEx(F.Get(), At, nullptr, FILE_BEGIN)) {
        R.Status = Read_Status::Failed;
        R.Error = Reason(Path, GetLastError());
        return R;
    }
    R.Bytes.resize(Size);
    size_t Done = 0;
    while (Done < Size) {
        const DWORD Want = static_cast<DWORD>(std::min<size_t>(Chunk, Size - Done));
        DWORD Got = 0;
        if (!ReadFile(F.Get(), R.Bytes.data() + Done, Want, &Got, nullptr)) {
            R.Status = Read_Status::Failed;
            R.Error = Reason(Path, GetLastError());
            R.Bytes.clear();
            return R;
        }
        if (Got == 0) break; // the file's end
        Done += Got;
    }
    R.Bytes.resize(Done);
    R.Status = Read_Status::Ok;
    return R;
}

std::string Win32_File_System::Write_New_File(const std::string& Path, const Byte_Pieces& Pieces) {
    Unique_File F(CreateFileW(To_Wide(Path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!F) return Reason(Path, GetLastError());
    if (std::string Error = Write_Pieces(F.Get(), Path, Pieces); !Error.empty()) return Error;
    // The replace that follows must never put a file in place whose bytes are still cached.
    if (!FlushFileBuffers(F.Get())) return Reason(Path, GetLastError());
    return "";
}

std::string Win32_File_System::Append_File(const std::string& Path, const Byte_Pieces& Pieces,
                                           bool Flush) {
    Unique_File F(CreateFileW(To_Wide(Path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!F) return Reason(Path, GetLastError());
    if (std::string Error = Write_Pieces(F.Get(), Path, Pieces); !Error.empty()) return Error;
    if (Flush && !FlushFileBuffers(F.Get())) return Reason(Path, GetLastError());
    return "";
}

Replace_Result Win32_File_System::Replace_File(const std::string& Source,
                                               const std::string& Target) {
    const std::wstring Src = To_Wide(Source);
    const std::wstring Dst = To_Wide(Target);
    if (ReplaceFileW(Dst.c_str(), Src.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr))
        return {};
    // No old target, or a file system without ReplaceFile; and after
    // ERROR_UNABLE_TO_MOVE_REPLACEMENT the old file is gone, so the move is the way out.
    if (MoveFileExW(Src.c_str(), Dst.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    const DWORD Code = GetLastError();
    return {Reason(Target, Code), File_Exists(Target)};
}

std::string Win32_File_System::Move_File(const std::string& Source, const std::string& Target) {
    if (MoveFileExW(To_Wide(Source).c_str(), To_Wide(Target).c_str(), MOVEFILE_WRITE_THROUGH))
        return "";
    return Reason(Source, GetLastError());
}

void Win32_File_System::Remove_File(const std::string& Path) {
    DeleteFileW(To_Wide(Path).c_str());
}

uint64_t Win32_File_System::File_Size(const std::string& Path) const {
    WIN32_FILE_ATTRIBUTE_DATA A{};
    if (!GetFileAttributesExW(To_Wide(Path).c_str(), GetFileExInfoStandard, &A)) return 0;
    return uint64_t{A.nFileSizeHigh} << 32 | A.nFileSizeLow;
}

bool Win32_File_System::File_Exists(const std::string& Path) const {
    const DWORD A = GetFileAttributesW(To_Wide(Path).c_str());
    return A != INVALID_FILE_ATTRIBUTES && !(A & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> Win32_File_System::Files_Starting(const std::string& Prefix) const {
    std::vector<std::string> Found;
    const size_t Slash = Prefix.find_last_of("\\/");
    const std::string Folder = Slash == std::string::npos ? "" : Prefix.substr(0, Slash + 1);
    WIN32_FIND_DATAW F{};
    const Unique_Find Find(FindFirstFileW(To_Wide(Prefix + "*").c_str(), &F));
    if (!Find) return Found;
    do {
        if (!(F.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            Found.push_back(Folder + To_Utf8(F.cFileName));
    } while (FindNextFileW(Find.Get(), &F));
    return Found;
}

void Win32_File_System::Pause(int Milliseconds) {
    Sleep(static_cast<DWORD>(Milliseconds));
}

Local_Time Win32_File_System::Now() const {
    SYSTEMTIME T{};
    GetLocalTime(&T);
    return {T.wYear, T.wMonth, T.wDay, T.wHour, T.wMinute, T.wSecond};
}
