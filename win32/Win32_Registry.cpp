#include "win32/Win32_Registry.h"

#include "win32/Win32_Text.h"

#include <string>

namespace {

// The predefined roots are 32-bit values sign-extended to a pointer: on x64
// HKEY_LOCAL_MACHINE is 0xFFFFFFFF80000002, not 0x80000002.
HKEY Root_Handle(uint32_t Root) {
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(Root)));
}

} // namespace

long Win32_Registry::Open_Key(uint32_t Root, std::string_view Key_Name, uint32_t Access,
                              Registry_Key& Key) {
    HKEY Opened = nullptr;
    const std::string Name(Key_Name);
    const LONG Result = RegOpenKeyExA(Root_Handle(Root), Name.c_str(), 0, Access, &Opened);
    if (Result != ERROR_SUCCESS) return Result;
    Key = reinterpret_cast<Registry_Key>(Opened);
    Open_[Key] = Unique_Key(Opened);
    return ERROR_SUCCESS;
}

long Win32_Registry::Query_Value(Registry_Key Key, std::string_view Value_Name, uint32_t& Type,
                                 std::vector<uint8_t>& Buffer, uint32_t& Size) {
    const auto Found = Open_.find(Key);
    if (Found == Open_.end()) return ERROR_INVALID_HANDLE;
    const std::string Name(Value_Name);
    DWORD Value_Type = 0;
    DWORD Bytes = static_cast<DWORD>(Buffer.size());
    const LONG Result = RegQueryValueExA(Found->second.Get(), Name.c_str(), nullptr, &Value_Type,
                                         Buffer.empty() ? nullptr : Buffer.data(), &Bytes);
    Type = Value_Type;
    Size = Bytes;
    return Result;
}

void Win32_Registry::Close_Key(Registry_Key Key) {
    Open_.erase(Key);
}

long Win32_Registry::Create_User_Key(std::string_view Key_Name, uint32_t Access,
                                     Registry_Key& Key) {
    HKEY Opened = nullptr;
    const LONG Result = RegCreateKeyExW(HKEY_CURRENT_USER, To_Wide(Key_Name).c_str(), 0, nullptr, 0,
                                        Access, nullptr, &Opened, nullptr);
    if (Result != ERROR_SUCCESS) return Result;
    Key = reinterpret_cast<Registry_Key>(Opened);
    Open_[Key] = Unique_Key(Opened);
    return ERROR_SUCCESS;
}

long Win32_Registry::Query_String(Registry_Key Key, std::string_view Value_Name,
                                  std::string& Utf8) {
    const auto Found = Open_.find(Key);
    if (Found == Open_.end()) return ERROR_INVALID_HANDLE;
    const std::wstring Name = To_Wide(Value_Name);
    DWORD Type = 0, Bytes = 0;
    LONG Result =
        RegQueryValueExW(Found->second.Get(), Name.c_str(), nullptr, &Type, nullptr, &Bytes);
    if (Result != ERROR_SUCCESS) return Result;
    if (Type != REG_SZ) return ERROR_INVALID_DATATYPE;
    std::wstring Text(Bytes / sizeof(wchar_t) + 1, L'\0');
    Bytes = static_cast<DWORD>(Text.size() * sizeof(wchar_t));
    Result = RegQueryValueExW(Found->second.Get(), Name.c_str(), nullptr, &Type,
                              reinterpret_cast<BYTE*>(Text.data()), &Bytes);
    if (Result != ERROR_SUCCESS) return Result;
    // The stored string need not end in a NUL.
    Text.resize(Bytes / sizeof(wchar_t));
    Text.resize(Text.find(L'\0') == std::wstring::npos ? Text.size() : Text.find(L'\0'));
    Utf8 = To_Utf8(Text);
    return ERROR_SUCCESS;
}

long Win32_Registry::Set_String(Registry_Key Key, std::string_view Value_Name,
                                std::string_view Utf8) {
    const auto Found = Open_.find(Key);
    if (Found == Open_.end()) return ERROR_INVALID_HANDLE;
    const std::wstring Text = To_Wide(Utf8);
    return RegSetValueExW(Found->second.Get(), To_Wide(Value_Name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(Text.c_str()),
                          static_cast<DWORD>((Text.size() + 1) * sizeof(wchar_t)));
}

long Win32_Registry::Delete_Value(Registry_Key Key, std::string_view Value_Name) {
    const auto Found = Open_.find(Key);
    if (Found == Open_.end()) return ERROR_INVALID_HANDLE;
    return RegDeleteValueW(Found->second.Get(), To_Wide(Value_Name).c_str());
}
