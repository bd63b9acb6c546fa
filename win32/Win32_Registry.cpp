#include "win32/Win32_Registry.h"

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
